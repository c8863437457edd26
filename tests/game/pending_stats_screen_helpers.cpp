// Stand-in for the statistics screen until the real one is merged: shows the continue button and
// returns when it is clicked, as the real screen does in mode 1.
#include "engine/core/app.h"
#include "engine/core/input.h"
#include "engine/media/draw.h"
#include "game/round/stats_screen.h"
#include "game/shell/game_state.h"

void stats_screen(double) {
  game_screen = GameScreen::stats;
  draw_clear_screen(0);
  for (;;) {
    inp_mouse_state(&mouse_x, &mouse_y, &mouse_b1, &mouse_b2);
    spr_draw(14, 352, 545);
    frame_show();
    if (mouse_b1 != 0 &&
        draw_box_collide(static_cast<int>(mouse_x), static_cast<int>(mouse_y), 1, 1, 352, 545, 96, 32))
      return;
  }
}
