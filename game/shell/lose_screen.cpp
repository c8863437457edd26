#include "game/shell/lose_screen.h"

#include "engine/app/app.h"
#include "engine/core/input.h"
#include "engine/core/random.h"
#include "engine/media/draw.h"
#include "engine/media/font.h"
#include "engine/media/sound.h"
#include "engine/media/sprites.h"
#include "game/shell/button_focus.h"
#include "game/shell/centred_text.h"
#include "game/state/game_state.h"
#include "game/shell/media_slots.h"
#include "game/shell/star_field.h"

namespace {

int play_ambience() { return snd_play(sound::ambience, 0, volume); }

}  // namespace

void lose_screen() {
  game_screen = GameScreen::lose;
  draw_clear_screen(0);

  StarField stars(799, 0);
  ButtonFocus focus({&kLoseContinue, 1}, 0);

  int channel = play_ambience();
  frame_show();
  for (;;) {
    // The ambience loops: whenever its channel falls silent (or never started) it is played again.
    if (channel < 0 || !snd_is_playing(channel)) channel = play_ambience();
    for (int s = 0; s < StarField::kStars; ++s) {
      stars.y(s) = stars.y(s) + stars.speed(s);
      if (stars.y(s) > 600) stars.y(s) = stars.y(s) - 600;
      draw_rect(static_cast<int>(stars.x(s)), static_cast<int>(stars.y(s)), 2, 2,
                static_cast<int>(stars.colour(s)));
    }
    font_set(font::options);
    print_centred_text("GAME OVER, YOU LOSE!", 260);
    spr_draw(sprite::continue_button, kLoseContinue.x, kLoseContinue.y);
    inp_mouse_state(&mouse_x, &mouse_y, &mouse_b1, &mouse_b2);
    const bool pressed = focus.update(mouse_x, mouse_y) >= 0;
    focus.draw();
    frame_show();
    if (pressed || button_clicked(kLoseContinue, mouse_x, mouse_y, mouse_b1)) break;
  }
  snd_stop_all();
}
