#include "game/shell/win_screen.h"

#include "engine/app/app.h"
#include "engine/core/input.h"
#include "engine/core/str.h"
#include "engine/media/draw.h"
#include "engine/media/music.h"
#include "engine/media/sound.h"
#include "engine/media/sprites.h"
#include "game/shell/button_focus.h"
#include "game/shell/centred_text.h"
#include "game/state/game_state.h"
#include "game/shell/media_slots.h"
#include "game/shell/title_animation.h"

namespace {

constexpr int kFrameColour = 16777010;  // red 50, green 255, blue 255
constexpr int kPictureX = 190, kPictureY = 60;
constexpr double kTextY = 510;
const char* const kMessage = "GAME OVER, YOU WIN!";

void load_pictures() {
  for (int k = 1; k <= 8; ++k) spr_load(blocks(k).image_a, k);
  load_title_animation();
}

}  // namespace

void win_screen() {
  game_screen = GameScreen::win;
  music_play("brakka.mp3", 1);
  music_volume(volume);
  draw_clear_screen(0);
  load_pictures();

  scratch = 1;  // the landmark shown
  double frame_count = 1;
  // The two copies of the animation eight frames apart.
  TitleAnimation animation{100, 108};
  ButtonFocus focus({&kWinContinue, 1}, 0);
  bool pressed = false;
  do {
    animation.step();
    frame_count = frame_count + 1;
    if (frame_count == 200) {
      scratch = scratch + 1;
      if (scratch == 9) scratch = 1;
      frame_count = 1;
    }
    animation.draw();
    draw_rect(kPictureX - 1, kPictureY - 1, 422, 422, kFrameColour);
    spr_draw(static_cast<int>(scratch), kPictureX, kPictureY);
    print_centred_text(kMessage, kTextY);
    spr_draw(sprite::continue_button, kWinContinue.x, kWinContinue.y);
    inp_mouse_state(&mouse_x, &mouse_y, &mouse_b1, &mouse_b2);
    pressed = focus.update(mouse_x, mouse_y) >= 0;
    focus.draw();
    frame_show();
  } while (!pressed && !button_clicked(kWinContinue, mouse_x, mouse_y, mouse_b1));

  snd_play(sound::click, 0, volume);
  // The landmark and the text fade with the music, additively, 0.005 a frame (180 frames from 0.9).
  for (double v = volume; v >= 0; v -= 0.005) {
    music_volume(v);
    // Alpha mode 0 would draw at full strength: a volume that lands on exactly 0 shows nothing.
    if (v > 0) {
      draw_alpha_mode(v);
      spr_draw(static_cast<int>(scratch), kPictureX, kPictureY);
      print_centred_text(kMessage, kTextY);
    }
    frame_show();
  }
  music_stop();
}
