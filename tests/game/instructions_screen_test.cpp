// The instructions screen: it leaves only on a click in its continue button, and its stars are
// drawn where the random draws put them, drifting right and coming back near the left edge.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/core/random.h"
#include "engine/platform/headless.h"
#include "game/screen_driver_helpers.h"
#include "game/shell/instructions_screen.h"
#include "support/app_test_helpers.h"

namespace {

using namespace screen_driver;

class Instructions : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(start_game_app()); }
  void TearDown() override {
    headless_set_swap_hook({});
    remove_private_temp_dir();
  }
};

Click at(int x, int y) { return Click{GameScreen::instructions, x, y}; }

TEST_F(Instructions, LeavesOnAClickInItsButtonOnly) {
  // Around the 96 x 32 box at (352, 559) each edge just outside, far away, then the box's last pixel.
  const std::vector<Click> clicks = {at(351, 570), at(448, 570), at(400, 558),
                                     at(400, 591), at(10, 10),   at(447, 590)};
  MouseRobot robot(clicks);
  instructions_screen();
  EXPECT_EQ(robot.done(), clicks.size() - 1);  // the last click is still held
  ASSERT_EQ(robot.press_frames().size(), clicks.size());
  EXPECT_EQ(headless_frames() - robot.press_frames().back(), 1u);  // no frame after the one that saw it
}

// The first frame's stars as the screen's random draws place them: for every star x, y, speed and
// colour at the start, then per frame and star the height before the width.
TEST_F(Instructions, StarsAreDrawnWhereTheDrawsPutThem) {
  struct Star {
    int x, y, speed, colour, h, w;
  };
  rnd_seed(1234);
  std::vector<Star> stars(240);
  for (Star& s : stars) s = Star{rnd_int(779) + 20, rnd_int(599), rnd_int(2) + 1, rnd_int(15000000), 0, 0};
  for (Star& s : stars) {
    s.x += s.speed;
    if (s.x > 800) s.x -= 780;
    s.h = rnd_int(1) + 1;
    s.w = rnd_int(1) + 1;
  }
  rnd_seed(1234);

  std::vector<Rgb> first;
  int frames = 0, left_of_20 = 0;
  headless_set_swap_hook([&] {
    if (frames++ == 0) first = read_screen(0, 0, 800, 600);
    for (const Rgb& c : read_screen(0, 0, 20, 600)) left_of_20 += !c.black();
  });
  Click leave = at(400, 575);
  leave.settle_frames = 800;  // every star comes round at least once: 780 pixels at 1 a frame or more
  MouseRobot robot({leave});
  instructions_screen();
  ASSERT_FALSE(first.empty());

  // Stars in the band between the last line and the button, clear of every other star: the 3 x 3
  // pixels from the star's corner show its colour exactly where its w x h rectangle lies.
  int checked = 0, wide_or_tall = 0;
  for (const Star& s : stars) {
    if (s.y < 520 || s.y > 550 || s.x > 796) continue;
    int near = 0;
    for (const Star& o : stars) near += o.x < s.x + 3 && o.x + 2 > s.x && o.y < s.y + 3 && o.y + 2 > s.y;
    if (near > 1) continue;
    const Rgb colour{static_cast<uint8_t>(s.colour & 255), static_cast<uint8_t>((s.colour >> 8) & 255),
                     static_cast<uint8_t>(s.colour >> 16)};
    for (int y = s.y; y < s.y + 3; ++y)
      for (int x = s.x; x < s.x + 3; ++x)
        EXPECT_EQ(first[static_cast<size_t>(y) * 800 + x] == colour, x < s.x + s.w && y < s.y + s.h)
            << "star at " << s.x << "," << s.y << " size " << s.w << "x" << s.h << ", pixel " << x << ","
            << y;
    ++checked;
    wide_or_tall += s.w != s.h;  // these tell the order of the two draws
  }
  EXPECT_GE(checked, 5);
  EXPECT_GE(wide_or_tall, 2);
  // Nothing is ever drawn left of x 20: stars come back in at x 21 or further right.
  EXPECT_GT(frames, 800);
  EXPECT_EQ(left_of_20, 0);
}

}  // namespace
