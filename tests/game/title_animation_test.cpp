// The title animation of the welcome and win screens on their first frames: the slot just below the
// animation's frames holds another picture (the round's landmark), and none of it may show while a
// copy of the animation has not reached its first frame.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "engine/media/renderer.h"
#include "engine/media/sprites.h"
#include "game/game_test_helpers.h"
#include "game/screen_test_helpers.h"
#include "game/shell/main_screen.h"
#include "game/shell/welcome_screen.h"
#include "game/shell/win_screen.h"
#include "support/app_test_helpers.h"

namespace {

constexpr int kSlotBelowFrames = 100;
// Frames presented while the first copy's counter (starting at 100, a quarter frame a frame) is
// below the first animation frame, 101.
constexpr int kFramesBeforeFirst = 3;

struct TitleScreen {
  const char* name;
  std::function<void()> run;
  int continue_x, continue_y;  // a point inside the button that leaves the screen
};

class TitleAnimation : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(start_game_app()); }
  void TearDown() override {
    headless_set_swap_hook({});
    renderer_set_blind(false);
    remove_private_temp_dir();
  }
};

// The screen's first frames, read back; the rest of the visit (the fade-out) runs blind.
std::vector<ScreenRect> first_frames(const TitleScreen& screen) {
  renderer_set_blind(false);
  const uint64_t f0 = headless_frames();
  std::vector<ScreenRect> frames;
  headless_set_swap_hook([&] {
    if (headless_frames() - f0 < kFramesBeforeFirst) frames.push_back(read_whole_screen());
    if (headless_frames() - f0 == kFramesBeforeFirst) renderer_set_blind(true);
  });
  click_at_frame(f0 + kFramesBeforeFirst + 2, screen.continue_x, screen.continue_y);
  screen.run();
  headless_set_swap_hook({});
  renderer_set_blind(false);
  return frames;
}

TEST_F(TitleAnimation, FirstFramesShowNothingOfTheSlotBelowTheFrames) {
  const TitleScreen screens[] = {
      {"welcome", [] { welcome_screen(); }, 342 + 20, 492 + 15},
      {"win",
       [] {
         draw_main_screen(1);  // as the game reaches it: font 5 current
         win_screen();
       },
       352 + 20, 550 + 10},
  };
  for (const TitleScreen& screen : screens) {
    SCOPED_TRACE(screen.name);
    // As in a game: a landmark in the slot. Then the same frames with the slot empty.
    double w = -1, h = -1;
    spr_load("1b.png", kSlotBelowFrames);
    spr_get_size(kSlotBelowFrames, &w, &h);
    ASSERT_GT(w, 0);
    const std::vector<ScreenRect> with_landmark = first_frames(screen);
    spr_load("XXX", kSlotBelowFrames);
    spr_get_size(kSlotBelowFrames, &w, &h);
    ASSERT_EQ(w, 0);
    const std::vector<ScreenRect> with_nothing = first_frames(screen);

    ASSERT_EQ(with_landmark.size(), size_t(kFramesBeforeFirst));
    ASSERT_EQ(with_nothing.size(), size_t(kFramesBeforeFirst));
    const ScreenRect black{0, 0, 800, 600, std::vector<uint8_t>(800 * 600 * 3)};
    for (int k = 0; k < kFramesBeforeFirst; ++k) {
      EXPECT_GT(with_nothing[k].differing(black), 10000) << "frame " << k + 1 << " is drawn";
      EXPECT_EQ(with_landmark[k].differing(with_nothing[k]), 0) << "frame " << k + 1;
    }
  }
}

}  // namespace
