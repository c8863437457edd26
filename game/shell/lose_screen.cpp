#include "game/shell/lose_screen.h"

#include "engine/core/app.h"
#include "engine/core/dim_array.h"
#include "engine/core/input.h"
#include "engine/core/random.h"
#include "engine/media/draw.h"
#include "engine/media/font.h"
#include "engine/media/sound.h"
#include "engine/media/sprites.h"
#include "game/shell/centred_text.h"
#include "game/shell/game_state.h"
#include "game/shell/media_slots.h"

namespace {

constexpr int kStars = 240;
constexpr int kButtonX = 352, kButtonY = 310, kButtonW = 96, kButtonH = 32;

int play_ambience() { return snd_play(sound::ambience, 0, volume); }

}  // namespace

void lose_screen() {
  game_screen = GameScreen::lose;
  draw_clear_screen(0);

  DimArray<double> star_x, star_y, star_speed, star_colour;
  arr_dim_num(star_x, kStars);
  arr_dim_num(star_y, kStars);
  arr_dim_num(star_speed, kStars);
  arr_dim_num(star_colour, kStars);
  for (int s = 0; s < kStars; ++s) {
    star_x(s) = rnd_int(799);
    star_y(s) = rnd_int(599);
    star_speed(s) = rnd_int(2) + 1;
    star_colour(s) = rnd_int(15000000);
  }

  int channel = play_ambience();
  frame_show();
  for (;;) {
    // The ambience loops: whenever its channel falls silent (or never started) it is played again.
    if (channel < 0 || !snd_is_playing(channel)) channel = play_ambience();
    for (int s = 0; s < kStars; ++s) {
      star_y(s) = star_y(s) + star_speed(s);
      if (star_y(s) > 600) star_y(s) = star_y(s) - 600;
      draw_rect(static_cast<int>(star_x(s)), static_cast<int>(star_y(s)), 2, 2,
                static_cast<int>(star_colour(s)));
    }
    font_set(font::options);
    print_centred_text("GAME OVER, YOU LOSE!", 260);
    spr_draw(sprite::continue_button, kButtonX, kButtonY);
    inp_mouse_state(&mouse_x, &mouse_y, &mouse_b1, &mouse_b2);
    frame_show();
    if (mouse_b1 != 0 && draw_box_collide(static_cast<int>(mouse_x), static_cast<int>(mouse_y), 1, 1,
                                          kButtonX, kButtonY, kButtonW, kButtonH)) {
      break;
    }
  }
  snd_stop_all();
}
