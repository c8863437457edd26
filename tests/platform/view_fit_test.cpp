// Fitting the 800 x 600 picture into windows of any size, and mapping positions both ways.
#include <gtest/gtest.h>
#include <cstdlib>
#include "engine/media/draw.h"
#include "engine/platform/view_fit.h"

namespace {

struct FitCase {
  int window_w, window_h;
  int x, y, w, h;  // the picture's place in the window
  bool whole;      // drawn at a whole scale
};

// Desktop and window sizes: exact scales, bars left and right or above and below, shrunk, odd sizes.
const FitCase kFits[] = {
    {800, 600, 0, 0, 800, 600, true},        {1600, 1200, 0, 0, 1600, 1200, true},
    {2400, 1800, 0, 0, 2400, 1800, true},    {1920, 1080, 240, 0, 1440, 1080, false},
    {2560, 1440, 320, 0, 1920, 1440, false}, {3840, 2160, 480, 0, 2880, 2160, false},
    {1000, 600, 100, 0, 800, 600, true},     {801, 600, 0, 0, 800, 600, true},
    {800, 1000, 0, 200, 800, 600, true},     {1600, 1300, 0, 50, 1600, 1200, true},
    {400, 300, 0, 0, 400, 300, false},       {1280, 1024, 0, 32, 1280, 960, false},
    {1366, 768, 171, 0, 1024, 768, false},
};

TEST(ViewFit, PictureKeepsItsAspectBetweenEvenBars) {
  for (const FitCase& c : kFits) {
    const ViewFit fit = view_fit(800, 600, c.window_w, c.window_h);
    SCOPED_TRACE(testing::Message() << c.window_w << " x " << c.window_h);
    EXPECT_EQ(fit.x, c.x);
    EXPECT_EQ(fit.y, c.y);
    EXPECT_EQ(fit.w, c.w);
    EXPECT_EQ(fit.h, c.h);
    EXPECT_EQ(fit.whole_scale(), c.whole);
    EXPECT_EQ(fit.identity(), c.window_w == 800 && c.window_h == 600);
    EXPECT_EQ(fit.has_bars(), c.w != c.window_w || c.h != c.window_h);
    // The bars on the two sides differ by at most the odd pixel.
    EXPECT_LE(std::abs((c.window_w - fit.x - fit.w) - fit.x), 1);
    EXPECT_LE(std::abs((c.window_h - fit.y - fit.h) - fit.y), 1);
  }
  EXPECT_TRUE(view_fit(800, 600, 0, 600).empty());  // a minimised window
  EXPECT_FALSE(view_fit(800, 600, 0, 600).has_bars());
  EXPECT_TRUE(view_fit(800, 600, 800, 0).empty());
  EXPECT_TRUE(view_fit(0, 0, 800, 600).empty());
}

// Every window pixel maps to the picture pixel the scaled picture shows there, and the centre of each
// picture pixel maps back onto it.
TEST(ViewFit, PositionsMapBothWays) {
  for (const FitCase& c : kFits) {
    const ViewFit fit = view_fit(800, 600, c.window_w, c.window_h);
    SCOPED_TRACE(testing::Message() << c.window_w << " x " << c.window_h);
    for (int px : {0, 1, 7, 123, 399, 400, 640, 798, 799}) {
      for (int py : {0, 1, 5, 299, 300, 456, 598, 599}) {
        int wx = 0, wy = 0, bx = -1, by = -1;
        picture_to_view(fit, px, py, wx, wy);
        EXPECT_GE(wx, fit.x);
        EXPECT_LT(wx, fit.x + fit.w);
        EXPECT_GE(wy, fit.y);
        EXPECT_LT(wy, fit.y + fit.h);
        view_to_picture(fit, wx, wy, bx, by);
        if (fit.w >= 800) {
          EXPECT_EQ(bx, px);
          EXPECT_EQ(by, py);
        } else {
          EXPECT_NEAR(bx, px, 1);  // shrunk: neighbouring pixels share a window pixel
          EXPECT_NEAR(by, py, 1);
        }
      }
    }
    if (!fit.whole_scale()) continue;
    // At a whole scale every window pixel of a picture pixel's square maps to that pixel.
    const int s = fit.w / 800;
    for (int px : {0, 311, 799}) {
      for (int dx = 0; dx < s; ++dx) {
        int bx = -1, by = -1;
        view_to_picture(fit, fit.x + px * s + dx, fit.y + 17 * s + dx, bx, by);
        EXPECT_EQ(bx, px);
        EXPECT_EQ(by, 17);
      }
    }
  }
}

TEST(ViewFit, PositionsOnTheBarsAndOutsideAreClampedIntoThePicture) {
  const ViewFit wide = view_fit(800, 600, 1920, 1080);  // bars left and right, 240 each
  const ViewFit tall = view_fit(800, 600, 800, 1000);   // bars above and below, 200 each
  struct Case {
    const ViewFit* fit;
    int wx, wy, px, py;
  };
  for (Case c : {Case{&wide, 0, 540, 0, 300}, Case{&wide, 239, 0, 0, 0}, Case{&wide, 1919, 1079, 799, 599},
                 Case{&wide, 1700, 540, 799, 300}, Case{&wide, -50, -50, 0, 0}, Case{&wide, 240, 0, 0, 0},
                 Case{&tall, 400, 0, 400, 0}, Case{&tall, 400, 199, 400, 0}, Case{&tall, 400, 999, 400, 599},
                 Case{&tall, 5000, 5000, 799, 599}}) {
    int px = -1, py = -1;
    view_to_picture(*c.fit, c.wx, c.wy, px, py);
    EXPECT_EQ(px, c.px) << c.wx << "," << c.wy;
    EXPECT_EQ(py, c.py) << c.wx << "," << c.wy;
  }
  int px = -1, py = -1;
  view_to_picture(view_fit(800, 600, 0, 0), 10, 10, px, py);
  EXPECT_EQ(px, 0);
  EXPECT_EQ(py, 0);
}

// A button at (300, 250), 200 x 50 in the picture: a click anywhere on its scaled image hits it, a
// click just beside it does not, in every window.
TEST(ViewFit, ClicksOnAScaledButtonHitItsPicturePosition) {
  constexpr int bx = 300, by = 250, bw = 200, bh = 50;
  auto hits = [&](const ViewFit& fit, int wx, int wy) {
    int px = 0, py = 0;
    view_to_picture(fit, wx, wy, px, py);
    return draw_box_collide(px, py, 1, 1, bx, by, bw, bh) == 1;
  };
  for (const FitCase& c : kFits) {
    const ViewFit fit = view_fit(800, 600, c.window_w, c.window_h);
    SCOPED_TRACE(testing::Message() << c.window_w << " x " << c.window_h);
    // The button's corners and centre as the window shows them.
    int left = 0, top = 0, right = 0, bottom = 0, cx = 0, cy = 0;
    picture_to_view(fit, bx, by, left, top);
    picture_to_view(fit, bx + bw - 1, by + bh - 1, right, bottom);
    picture_to_view(fit, bx + bw / 2, by + bh / 2, cx, cy);
    EXPECT_TRUE(hits(fit, left, top));
    EXPECT_TRUE(hits(fit, right, bottom));
    EXPECT_TRUE(hits(fit, cx, cy));
    if (fit.w < 800) continue;  // shrunk: an edge pixel may hold both sides
    // The window pixels just outside the button's scaled image.
    const double sx = double(fit.w) / 800.0, sy = double(fit.h) / 600.0;
    const int out_left = fit.x + static_cast<int>(bx * sx) - 1;
    const int out_right = fit.x + static_cast<int>((bx + bw) * sx + 0.999);
    const int out_top = fit.y + static_cast<int>(by * sy) - 1;
    EXPECT_FALSE(hits(fit, out_left, cy));
    EXPECT_FALSE(hits(fit, out_right, cy));
    EXPECT_FALSE(hits(fit, cx, out_top));
  }
}

TEST(ViewFit, RelativeMotionIsScaledWithoutLosingFractions) {
  struct Case {
    int window_w, window_h;
    int steps, dx, dy;     // `steps` readings of (dx, dy) window pixels
    int total_x, total_y;  // picture pixels handed out in all
  };
  for (Case c : {Case{800, 600, 10, 3, -2, 30, -20}, Case{1600, 1200, 10, 1, 1, 5, 5},
                 Case{2400, 1800, 9, -1, 2, -3, 6}, Case{1920, 1080, 18, 1, 0, 10, 0},
                 Case{400, 300, 4, 1, -1, 8, -8}}) {
    const ViewFit fit = view_fit(800, 600, c.window_w, c.window_h);
    int64_t rest_x = 0, rest_y = 0;
    int total_x = 0, total_y = 0;
    for (int i = 0; i < c.steps; ++i) {
      int px = 0, py = 0;
      view_motion_to_picture(fit, c.dx, c.dy, rest_x, rest_y, px, py);
      total_x += px;
      total_y += py;
    }
    EXPECT_EQ(total_x, c.total_x) << c.window_w;
    EXPECT_EQ(total_y, c.total_y) << c.window_w;
  }
}

TEST(ViewFit, LargestWholeScaleThatFitsTheDesktop) {
  struct Case {
    int area_w, area_h, deco_w, deco_h, scale;
  };
  for (Case c : {Case{1920, 1040, 16, 56, 1}, Case{2560, 1400, 16, 56, 2}, Case{2560, 1600, 16, 56, 2},
                 Case{3840, 2120, 16, 56, 3}, Case{3840, 2160, 0, 0, 3}, Case{1600, 1200, 0, 0, 2},
                 Case{1600, 1200, 16, 56, 1}, Case{640, 480, 16, 56, 1}, Case{7680, 4320, 16, 56, 7},
                 Case{0, 0, 0, 0, 1}}) {
    EXPECT_EQ(largest_whole_scale(800, 600, c.area_w, c.area_h, c.deco_w, c.deco_h), c.scale)
        << c.area_w << " x " << c.area_h;
  }
}

}  // namespace
