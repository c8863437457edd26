// Sprite drawing read back from the frame buffer.
#include <gtest/gtest.h>

#include "engine/media/draw.h"
#include "engine/media/renderer.h"
#include "engine/media/sprites.h"
#include "tests/media/gl_fixture.h"

namespace {
const Rgba kBlack{0, 0, 0, 255};

// A picture whose pixels all differ: r = 20 * x, g = 20 * y.
Rgba gradient(int x, int y) {
  return Rgba{static_cast<uint8_t>(20 * x), static_cast<uint8_t>(20 * y), 90, 255};
}
}  // namespace

using DrawSpritesTest = GlTest;

TEST_F(DrawSpritesTest, SpriteLandsOnWholePixelsTopRowFirst) {
  ASSERT_TRUE(image_upload(make_image(5, 4, gradient), 1, false));
  spr_draw(1, 10, 20);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(screen_pixel(10 + x, 20 + y), gradient(x, y)) << x << "," << y;
  }
  EXPECT_EQ(screen_pixel(9, 20), kBlack);
  EXPECT_EQ(screen_pixel(15, 20), kBlack);
  EXPECT_EQ(screen_pixel(10, 24), kBlack);
}

TEST_F(DrawSpritesTest, NearestSamplingAlsoKeepsPixelsExact) {
  ASSERT_TRUE(image_upload(make_image(5, 4, gradient), 1, false));
  spr_draw(1, 0, 0);
  EXPECT_EQ(screen_pixel(4, 3), gradient(4, 3));
}

TEST_F(DrawSpritesTest, EmptySlotDrawsNothing) {
  spr_draw(40, 10, 10);
  spr_draw_stretched(40, 10, 10, 50, 50);
  spr_draw_rotozoom(40, 10, 10, 30.0, 2.0);
  spr_draw_anim(40, 3, 10, 10);
  EXPECT_TRUE(screen_rect_is(0, 0, 100, 100, kBlack));
}

TEST_F(DrawSpritesTest, ZoomByTwoGrowsAboutTheCentre) {
  ASSERT_TRUE(image_upload(solid_image(10, 10, kRed), 2, false));
  spr_draw_zoomed(2, 100, 100, 2.0, 2.0);
  EXPECT_TRUE(screen_rect_is(95, 95, 115, 115, kRed));
  EXPECT_EQ(screen_pixel(94, 100), kBlack);
  EXPECT_EQ(screen_pixel(115, 100), kBlack);
  EXPECT_EQ(screen_pixel(100, 94), kBlack);
  EXPECT_EQ(screen_pixel(100, 115), kBlack);
}

TEST_F(DrawSpritesTest, ZoomOneEqualsPlainDrawAndZoomZeroDrawsNothing) {
  ASSERT_TRUE(image_upload(make_image(5, 4, gradient), 1, false));
  spr_draw_zoomed(1, 30, 30, 1.0, 1.0);
  EXPECT_EQ(screen_pixel(30, 30), gradient(0, 0));
  EXPECT_EQ(screen_pixel(34, 33), gradient(4, 3));
  spr_draw_zoomed(1, 60, 60, 0.0, 0.0);
  EXPECT_TRUE(screen_rect_is(55, 55, 70, 70, kBlack));
}

TEST_F(DrawSpritesTest, StretchedWithNegativeWidthIsMirrored) {
  ASSERT_TRUE(image_upload(make_image(2, 2, [](int x, int) { return x == 0 ? kRed : kGreen; }), 3, false));
  // Linear filtering blends the two texels between their centres; compare colour only, as the
  // right edge blends with the transparent padding; the top rows blend with the padding above.
  spr_draw_stretched(3, 100, 50, 40, 10);
  EXPECT_TRUE(screen_rect_is(100, 53, 110, 60, kRed));
  EXPECT_TRUE(screen_rect_is(131, 53, 140, 60, kGreen));
  EXPECT_EQ(screen_pixel(140, 55), kBlack);
  spr_draw_stretched(3, 300, 50, -40, 10);  // covers 260..299, picture flipped
  EXPECT_TRUE(screen_rect_is(260, 53, 269, 60, kGreen));
  EXPECT_TRUE(screen_rect_is(290, 53, 300, 60, kRed));
  EXPECT_EQ(screen_pixel(259, 55), kBlack);
  EXPECT_EQ(screen_pixel(300, 55), kBlack);
}

TEST_F(DrawSpritesTest, RotationByNinetyTurnsCounterClockwise) {
  // Left half red, right half green.
  ASSERT_TRUE(image_upload(make_image(20, 20, [](int x, int) { return x < 10 ? kRed : kGreen; }), 4, false));
  spr_draw_rotated(4, 100, 100, 90.0);
  // Counter-clockwise: the right half turns to the top, the left half to the bottom.
  EXPECT_EQ(screen_pixel(110, 103), kGreen);
  EXPECT_EQ(screen_pixel(110, 116), kRed);
  EXPECT_EQ(screen_pixel(103, 110 - 5), kGreen);
}

TEST_F(DrawSpritesTest, RotationByZeroMatchesPlainDraw) {
  ASSERT_TRUE(image_upload(make_image(20, 20, [](int x, int) { return x < 10 ? kRed : kGreen; }), 4, false));
  spr_draw_rotated(4, 100, 100, 0.0);
  EXPECT_TRUE(screen_rect_is(100, 100, 109, 120, kRed));
  EXPECT_TRUE(screen_rect_is(111, 100, 120, 120, kGreen));
  EXPECT_EQ(screen_pixel(99, 110), kBlack);
  EXPECT_EQ(screen_pixel(120, 110), kBlack);
}

TEST_F(DrawSpritesTest, RotozoomScalesAboutTheCentre) {
  ASSERT_TRUE(image_upload(solid_image(10, 10, kBlue), 5, false));
  spr_draw_rotozoom(5, 200, 200, 0.0, 3.0);  // centre (205, 205), half size 15
  EXPECT_TRUE(screen_rect_is(191, 191, 219, 219, kBlue));
  EXPECT_EQ(screen_pixel(188, 205), kBlack);
  EXPECT_EQ(screen_pixel(221, 205), kBlack);
}

TEST_F(DrawSpritesTest, AnimationFrameFiveIsColumnOneOfRowOne) {
  // 64 x 32 sheet of 16 x 16 cells; each cell's colour encodes its index.
  auto cell_colour = [](int cell) { return Rgba{static_cast<uint8_t>(30 * cell), 40, 200, 255}; };
  const ImageBuffer sheet = make_image(64, 32, [&](int x, int y) { return cell_colour(x / 16 + 4 * (y / 16)); });
  ASSERT_TRUE(image_upload(sheet, 6, false));
  spr_set_anim(6, 16, 16);
  spr_draw_anim(6, 5, 200, 300);
  EXPECT_TRUE(screen_rect_is(200, 300, 216, 316, cell_colour(5)));
  EXPECT_EQ(screen_pixel(216, 305), kBlack);
  EXPECT_EQ(screen_pixel(205, 316), kBlack);
  spr_draw_anim(6, 0, 400, 300);
  EXPECT_TRUE(screen_rect_is(400, 300, 416, 316, cell_colour(0)));
}

TEST_F(DrawSpritesTest, AnimationNeedsCellSize) {
  ASSERT_TRUE(image_upload(solid_image(32, 32, kRed), 7, false));
  spr_draw_anim(7, 0, 10, 10);
  EXPECT_TRUE(screen_rect_is(0, 0, 60, 60, kBlack));
}

TEST_F(DrawSpritesTest, TransparentTexelsAreDroppedInOpaqueMode) {
  ASSERT_TRUE(image_upload(make_image(8, 8, [](int x, int) { return x < 4 ? kClear : kGreen; }), 8, false));
  clear_screen_to(kBlue);
  spr_draw(8, 0, 0);
  EXPECT_EQ(screen_pixel(1, 1), kBlue);
  EXPECT_EQ(screen_pixel(6, 1), kGreen);
}
