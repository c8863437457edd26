// Placeholder game until the screens land: the title over its animation, a line of text, the theme
// looping, and a click sound on Space or the left button. Ends on Esc or when the window is closed.
#include <string>

#include "engine/core/app.h"
#include "engine/core/files.h"
#include "engine/core/input.h"
#include "engine/media/draw.h"
#include "engine/media/font.h"
#include "engine/media/music.h"
#include "engine/media/sound.h"
#include "engine/media/sprites.h"

void game_main() {
  file_set_cwd("Media");
  file_set_archives("data.zaz", "media.zaz");
  spr_load("brakka.png", 91);
  spr_load("edition.png", 90);
  for (int k = 1; k <= 20; ++k) spr_load(Str(("anim" + std::to_string(k) + ".png").c_str()), 100 + k);
  font_load("options.png", 5);
  snd_load("click.wav", 3, 1);
  music_play("brakka.mp3", 1);
  music_volume(0.9);
  inp_mouse_show(1);
  draw_clear_screen(0);

  const Str line = "SPACE OR CLICK: A SOUND   ESC: QUIT";
  double frame = 0;
  bool was_down = false;
  for (;;) {
    frame += 0.25;
    const int cell = 101 + int(frame) % 20;
    draw_alpha_mode(0.5);
    spr_draw_zoomed(cell, 220, 120, 2.2, 2.2);
    spr_draw_zoomed(101 + (int(frame) + 10) % 20, 220, 120, -2.2, -2.2);
    draw_alpha_mode(0);
    spr_draw(91, 80, 50);
    double w = 0, h = 0;
    spr_get_size(90, &w, &h);
    spr_draw(90, int(400 - 0.5 * w), 180);
    font_set(5);
    font_print(line, 400 - font_text_width(line, 1) / 2, 420, 1);

    double mx, my, b1, b2;
    inp_mouse_state(&mx, &my, &b1, &b2);
    const bool down = b1 != 0 || inp_key_down(57);
    if (down && !was_down) snd_play(3, 0, 0.9);
    was_down = down;
    frame_show();
  }
}
