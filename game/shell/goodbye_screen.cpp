#include "game/shell/goodbye_screen.h"

#include "engine/app/app.h"
#include "engine/core/str.h"
#include "engine/media/draw.h"
#include "engine/media/font.h"
#include "engine/media/music.h"
#include "game/state/game_state.h"
#include "game/shell/media_slots.h"

namespace {
// The rendered word replaces sprite 1; nothing of the round is drawn again once this screen runs.
constexpr int kWordSprite = 1;
constexpr int kSpinFrames = 100;
constexpr int kHoldFrames = 90;
constexpr int kZoomFrames = 40;
}  // namespace

void goodbye_screen() {
  game_screen = GameScreen::goodbye;
  draw_clear_screen(0);
  font_set(font::total);

  // Print the word once and grab it, 50 pixels high, as a sprite; the clear wipes the print.
  const Str word = "GOODBYE";
  scratch = font_text_width(word, 0);
  font_print(word, 100, 100, 0);
  spr_grab(kWordSprite, 100, 100, static_cast<int>(scratch), 50);
  draw_clear_screen(0);

  const int gx = static_cast<int>(400 - 0.5 * scratch);
  const int gy = 275;

  // One full turn while growing from nothing (t = 0, 0.01, ... 0.99).
  for (int i = 0; i < kSpinFrames; ++i) {
    const double t = i * 0.01;
    spr_draw_rotozoom(kWordSprite, gx, gy, 360 * t, t);
    frame_show();
  }
  for (int i = 0; i < kHoldFrames; ++i) {
    spr_draw(kWordSprite, gx, gy);
    frame_show();
  }
  music_stop();
  // Swelling towards the viewer: zoom 1, 3, 5, ... 79.
  for (int i = 0; i < kZoomFrames; ++i) {
    const double z = 1 + 2 * i;
    spr_draw_zoomed(kWordSprite, gx, gy, z, z);
    frame_show();
  }
  app_end();
}
