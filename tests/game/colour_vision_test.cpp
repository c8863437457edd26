// The round screen as players without full colour vision see it: in greyscale and with deuteranopia or
// protanopia simulated, each tile's sign must be read from the picture alone, by the mark above its
// number, and the two kinds of tile must differ clearly in lightness.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "colour_vision.h"
#include "engine/app/app.h"
#include "engine/core/random.h"
#include "game/game_test_helpers.h"
#include "game/round/board_screen.h"
#include "game/state/round_state.h"
#include "game/round/setup_round.h"
#include "game/state/game_state.h"
#include "screen_capture.h"
#include "support/app_test_helpers.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;

// Lightness 0..255 of a pixel of the simulated picture.
double lightness(const std::vector<uint8_t>& rgb, int x, int y) {
  const uint8_t* p = &rgb[(static_cast<size_t>(y) * kWidth + x) * 3];
  return 0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2];
}

double mean(const std::vector<uint8_t>& rgb, int x0, int y0, int x1, int y1) {
  double sum = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) sum += lightness(rgb, x, y);
  return sum / ((x1 - x0) * (y1 - y0));
}

// The sign a tile at (tx, ty) shows, read from the picture: the mark above the number is a bar
// (minus) or a bar crossed by an upright (plus). Its bar stands out from the face beside it; so does
// the upright's top, above the bar, for a plus, and not for a minus. 0 when no mark stands out.
int sign_seen(const std::vector<uint8_t>& rgb, int tx, int ty, double& bar_contrast) {
  const double face =
      (mean(rgb, tx + 18, ty + 2, tx + 21, ty + 5) + mean(rgb, tx + 39, ty + 2, tx + 42, ty + 5)) / 2;
  bar_contrast = std::fabs(mean(rgb, tx + 26, ty + 5, tx + 28, ty + 7) - face) / 2 +
                 std::fabs(mean(rgb, tx + 32, ty + 5, tx + 34, ty + 7) - face) / 2;
  const double upright = std::fabs(mean(rgb, tx + 29, ty + 2, tx + 31, ty + 4) - face);
  if (bar_contrast < 40) return 0;
  return upright > bar_contrast / 2 ? 1 : -1;
}

class ColourVision : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(start_game_app());
    current_block = 3;
    set_players(true, true);
    rnd_seed(11);
    setup_round();
    moves_remain = 1;
  }
  void TearDown() override { remove_private_temp_dir(); }
};

TEST_F(ColourVision, EveryTilesSignReadsWithoutColour) {
  // Every value from 1 to 12 with both signs, the cursor's cell left empty.
  int cells = 0;
  for (int c = 1; c <= 8; ++c) {
    for (int r = 1; r <= 8; ++r) {
      const int value = (c * 5 + r * 3) % 12 + 1;
      board(c, r) = (c * 3 + r) % 5 < 2 ? -value : value;
      cells += 1;
    }
  }
  board(static_cast<int>(cursor_col), static_cast<int>(cursor_row)) = 0;
  frame_show();
  draw_board(1, 0);
  const std::vector<uint8_t> screen = read_screen_rgb(kWidth, kHeight);
  ASSERT_EQ(screen.size(), static_cast<size_t>(kWidth) * kHeight * 3);
  ASSERT_GT(cells, 60);

  for (Vision vision : kVisions) {
    SCOPED_TRACE(vision_name(vision));
    std::vector<uint8_t> seen = screen;
    simulate_vision(vision, seen.data(), static_cast<size_t>(kWidth) * kHeight);
    double sum[2] = {0, 0}, weakest_mark = 255;
    int count[2] = {0, 0}, wrong = 0;
    for (int c = 1; c <= 8; ++c) {
      for (int r = 1; r <= 8; ++r) {
        const double value = board(c, r);
        if (value == 0) continue;
        const int tx = static_cast<int>(cell_x(c, r)), ty = static_cast<int>(cell_y(c, r));
        double contrast = 0;
        const int sign = sign_seen(seen, tx, ty, contrast);
        weakest_mark = std::min(weakest_mark, contrast);
        if (sign != (value > 0 ? 1 : -1)) {
          ++wrong;
          ADD_FAILURE() << "cell " << c << "," << r << " holds " << value << ", seen as " << sign;
        }
        const int kind = value > 0 ? 0 : 1;
        sum[kind] += mean(seen, tx, ty, tx + 60, ty + 60);
        count[kind] += 1;
      }
    }
    ASSERT_GT(count[0], 0);
    ASSERT_GT(count[1], 0);
    const double positive = sum[0] / count[0], negative = sum[1] / count[1];
    std::printf(
        "%-12s positive tiles %.0f, negative tiles %.0f: lightness gap %.0f; weakest mark %.0f; %d wrong\n",
        vision_name(vision), positive, negative, positive - negative, weakest_mark, wrong);
    EXPECT_EQ(wrong, 0);
    // Told apart by lightness alone as well: the tile kinds lie far apart on the grey scale.
    EXPECT_GT(positive - negative, 60);
  }
}

}  // namespace
