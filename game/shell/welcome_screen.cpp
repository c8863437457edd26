#include "game/shell/welcome_screen.h"

#include "engine/app/app.h"
#include "engine/core/input.h"
#include "engine/core/str.h"
#include "engine/media/draw.h"
#include "engine/media/font.h"
#include "engine/media/music.h"
#include "engine/media/sound.h"
#include "engine/media/sprites.h"
#include "game/shell/stats_screen.h"
#include "game/shell/button_focus.h"
#include "game/shell/centred_text.h"
#include "game/state/game_state.h"
#include "game/shell/goodbye_screen.h"
#include "game/shell/instructions_screen.h"
#include "game/shell/media_slots.h"
#include "game/shell/name_keyboard.h"
#include "game/shell/title_animation.h"

namespace {

// Taken this frame: a left click on it (with the mouse as last read into the shared values), or a
// control pressed while it has the focus.
bool taken(WelcomeButton button, int pressed) {
  return pressed == static_cast<int>(button) ||
         button_clicked(kWelcomeButtons[static_cast<int>(button)], mouse_x, mouse_y, mouse_b1);
}

// The pictures that stay on screen during the fade-out as well.
void draw_title_pictures(double edition_width) {
  spr_draw(sprite::title, 80, 50);
  spr_draw(sprite::edition, static_cast<int>(400 - 0.5 * edition_width), 180);
}

void draw_bottom_pictures() {
  spr_draw(sprite::copyright, 285, 561);
  spr_draw(sprite::welcome_buttons, 36, 492);
}

}  // namespace

void welcome_screen() {
  game_screen = GameScreen::welcome;

  spr_load("edition.png", sprite::edition);
  spr_load("brakka.png", sprite::title);
  spr_load("copyw.png", sprite::copyright);
  spr_load("buttons.png", sprite::welcome_buttons);
  music_play("brakka.mp3", 1);
  music_volume(volume);
  inp_mouse_show(1);
  draw_clear_screen(0);

  double edition_width = 0, edition_height = 0;
  spr_get_size(sprite::edition, &edition_width, &edition_height);
  // Ten frames apart; the first copy shows from the fourth frame on (a is below 101 until then).
  TitleAnimation animation{100, 110};
  load_title_animation();
  ButtonFocus focus(kWelcomeButtons, static_cast<int>(WelcomeButton::play));

  for (;;) {
    animation.step();
    animation.draw();
    draw_title_pictures(edition_width);

    font_set(font::options);
    Str greeting = "WELCOME ";
    str_append(greeting, player_name);
    print_centred_text(greeting, 350);
    if (str_eq_cs("EMPTY", player_name) || player_name.length == 0) {
      font_set(font::info);
      print_centred_text("TAP CHANGE NAME TO MODIFY", 380);
    }
    draw_bottom_pictures();

    inp_mouse_state(&mouse_x, &mouse_y, &mouse_b1, &mouse_b2);
    const int pressed = focus.update(mouse_x, mouse_y);
    focus.draw();
    // Each button acts at once; the later tests still use the values read above, although a
    // screen opened meanwhile may have read the mouse into them again.
    if (taken(WelcomeButton::change_name, pressed)) {
      name_keyboard(kNameKeyboardX, kNameKeyboardY);
      game_screen = GameScreen::welcome;
    }
    if (taken(WelcomeButton::high_ratings, pressed)) {
      stats_screen(1);
      game_screen = GameScreen::welcome;
    }
    if (taken(WelcomeButton::instructions, pressed)) {
      instructions_screen();
      game_screen = GameScreen::welcome;
    }
    if (taken(WelcomeButton::quit, pressed)) goodbye_screen();
    frame_show();
    // Held on the play box, the button leaves on the first frame it is seen.
    if (taken(WelcomeButton::play, pressed)) break;
  }

  snd_play(sound::click, 0, volume);
  // 180 frames from a volume of 0.9: music and pictures fade together; the animation and the texts
  // are gone.
  for (double v = volume; v >= 0; v -= 0.005) {
    music_volume(v);
    draw_alpha_mode(-v);
    draw_title_pictures(edition_width);
    draw_bottom_pictures();
    frame_show();
  }
  music_stop();
  // "XXX" names no file: loading it empties the slot.
  for (int id = sprite::edition; id <= sprite::welcome_buttons; ++id) spr_load("XXX", id);
}
