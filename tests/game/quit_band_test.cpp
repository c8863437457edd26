// The quit band over a running game: the first Esc holds the game under the band with its clock
// stopped; any other key goes back to the very frame it covered. (A second Esc, and Esc outside a
// game, are played in whole games.)
#include <gtest/gtest.h>

#include <vector>

#include "engine/app/app.h"
#include "engine/core/timer.h"
#include "engine/media/draw.h"
#include "engine/platform/headless.h"
#include "game/game_test_helpers.h"
#include "game/shell/game_keys.h"
#include "game/shell/quit_band.h"
#include "support/app_test_helpers.h"

namespace {

class QuitBand : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(start_game_app()); }
  void TearDown() override {
    quit_band_enable(false);
    headless_set_swap_hook({});
    remove_private_temp_dir();
  }
};

void draw_scene() {
  draw_rect(0, 0, 800, 600, 0x204060);
  draw_rect(100, 100, 200, 150, 0x30c0f0);
}

void key_at(uint64_t frame, int code, int hold = 2) {
  headless_at_frame(frame, script_event(HeadlessEvent::KeyDown, code));
  headless_at_frame(frame + hold, script_event(HeadlessEvent::KeyUp, code));
}

TEST_F(QuitBand, HoldsTheGameClockAndGoesBackToTheFrameItCovered) {
  quit_band_enable(true);
  draw_scene();
  frame_show();
  draw_scene();
  const std::vector<Pixel> scene = screen_rect(0, 0, 800, 600);
  int band_frames = 0;
  bool band_drawn = false;
  std::vector<Pixel> after_band;  // the first frame shown after the band: the one that ran it
  headless_set_swap_hook([&] {
    if (!quit_band_showing()) {
      if (band_frames > 0 && after_band.empty()) after_band = screen_rect(0, 0, 800, 600);
      return;
    }
    ++band_frames;
    band_drawn = band_drawn || screen_rect(0, 276, 800, 324) !=
                                   std::vector<Pixel>(scene.begin() + 276 * 800, scene.begin() + 324 * 800);
  });
  const uint64_t f0 = headless_frames();
  key_at(f0 + 2, kKeyEsc);
  key_at(f0 + 30, kKeySpace, 3);
  const double game0 = timer_ms(), real0 = headless_time_ms();
  for (int i = 0; i < 10; ++i) {
    draw_scene();
    frame_show();
  }
  EXPECT_FALSE(quit_band_showing());
  EXPECT_TRUE(band_drawn);
  EXPECT_GE(band_frames, 28);
  // The game saw ten frames; the band's time is not on its clock.
  const double game_ms = timer_ms() - game0, real_ms = headless_time_ms() - real0;
  EXPECT_GT(real_ms, 700);
  EXPECT_LT(game_ms, 300);
  EXPECT_EQ(after_band, scene) << "the frame under the band comes back";
}

}  // namespace
