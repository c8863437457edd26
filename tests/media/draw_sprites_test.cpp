// Sprite drawing read back from the frame buffer.
#include "engine/platform/gl_headers.h"
#include <gtest/gtest.h>

#include <functional>

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

// Neighbouring pixels unrelated, so that any blending between texels shows.
Rgba noise(int x, int y) {
  const uint32_t h = (static_cast<uint32_t>(x) * 73856093u) ^ (static_cast<uint32_t>(y) * 19349663u);
  const uint32_t v = h * 2654435761u;
  return Rgba{static_cast<uint8_t>(v >> 24), static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8),
              255};
}

// Every pixel of the w x h screen rectangle at (x, y) equals fn(column, row).
::testing::AssertionResult screen_shows(int x, int y, int w, int h, const std::function<Rgba(int, int)>& fn) {
  for (int row = 0; row < h; ++row) {
    for (int col = 0; col < w; ++col) {
      const Rgba want = fn(col, row), got = screen_pixel(x + col, y + row);
      if (!(got == want))
        return ::testing::AssertionFailure()
               << "at " << col << "," << row << ": " << got << " instead of " << want;
    }
  }
  return ::testing::AssertionSuccess();
}

bool alpha_test_on() { return glIsEnabled(GL_ALPHA_TEST) == GL_TRUE; }
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
  const ImageBuffer sheet =
      make_image(64, 32, [&](int x, int y) { return cell_colour(x / 16 + 4 * (y / 16)); });
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

TEST_F(DrawSpritesTest, OneToOneDrawsShowEveryTexelAndLeaveTheAlphaTestOn) {
  // An opaque picture of odd size (its texture is padded) and a cut-out one; each drawn plainly, as a
  // stretched drawing of its own size and as an animation cell: every pixel is its texel.
  const ImageBuffer opaque = make_image(37, 23, noise);
  const ImageBuffer cut_out =
      make_image(37, 23, [](int x, int y) { return (x + y) % 5 == 0 ? kClear : noise(x, y); });
  ASSERT_TRUE(image_upload(opaque, 1, false));
  ASSERT_TRUE(image_upload(cut_out, 2, false));
  ASSERT_EQ(sprite_record(1).opaque, 1);
  ASSERT_EQ(sprite_record(2).opaque, 0);
  clear_screen_to(kBlue);
  auto cut_out_over_blue = [](int x, int y) { return (x + y) % 5 == 0 ? kBlue : noise(x, y); };
  struct Case {
    int slot;
    std::function<Rgba(int, int)> expected;
  };
  const Case cases[] = {{1, noise}, {2, cut_out_over_blue}};
  int y = 10;
  for (const Case& c : cases) {
    spr_draw(c.slot, 13, y);
    EXPECT_TRUE(screen_shows(13, y, 37, 23, c.expected)) << "plain, slot " << c.slot;
    spr_draw_stretched(c.slot, 113, y, 37, 23);
    EXPECT_TRUE(screen_shows(113, y, 37, 23, c.expected)) << "stretched to its own size, slot " << c.slot;
    spr_set_anim(c.slot, 12, 7);  // 3 x 3 cells; cell 4 is column 1 of row 1
    spr_draw_anim(c.slot, 4, 213, y);
    EXPECT_TRUE(screen_shows(213, y, 12, 7, [&](int cx, int cy) { return c.expected(12 + cx, 7 + cy); }))
        << "cell, slot " << c.slot;
    EXPECT_TRUE(alpha_test_on());
    y += 40;
  }
  // The drawings above left the buffer's surroundings alone.
  EXPECT_EQ(screen_pixel(12, 10), kBlue);
  EXPECT_EQ(screen_pixel(50, 10), kBlue);
  EXPECT_EQ(screen_pixel(13, 33), kBlue);
}

TEST_F(DrawSpritesTest, FramePastTheLastCellOfAnOpaqueSheetKeepsDroppingThePadding) {
  // 32 x 10, two 16 x 10 cells; the texture is 32 x 16, its top six rows transparent padding. Frame 2
  // lies below the sheet and wraps round: its top six rows are padding, its bottom four the sheet.
  ASSERT_TRUE(image_upload(solid_image(32, 10, kRed), 1, false));
  ASSERT_EQ(sprite_record(1).opaque, 1);
  spr_set_anim(1, 16, 10);
  clear_screen_to(kBlue);
  spr_draw_anim(1, 2, 50, 50);
  EXPECT_TRUE(screen_rect_is(50, 50, 66, 56, kBlue));
  EXPECT_TRUE(screen_rect_is(50, 56, 66, 60, kRed));
  spr_draw_anim(1, 1, 100, 50);
  EXPECT_TRUE(screen_rect_is(100, 50, 116, 60, kRed));
  EXPECT_TRUE(alpha_test_on());
}

TEST_F(DrawSpritesTest, OpaquePicturesStillBlendAndScaledDrawingsStayFiltered) {
  ASSERT_TRUE(image_upload(solid_image(8, 8, kRed), 1, false));
  // Normal blend at half opacity: the opaque picture mixes with what is under it.
  clear_screen_to(kBlue);
  draw_alpha_mode(-0.5);
  spr_draw(1, 10, 10);
  const Rgba mixed = screen_pixel(14, 14);
  EXPECT_NEAR(mixed.r, 128, 2);
  EXPECT_NEAR(mixed.b, 127, 2);
  EXPECT_FALSE(alpha_test_on());
  draw_alpha_mode(0);
  // Two texels, black and white: a 1:1 drawing shows them as they are, a drawing eight times as wide
  // still shades between them, also after the 1:1 drawing of the same slot.
  ASSERT_TRUE(image_upload(make_image(2, 1,
                                      [](int x, int) {
                                        return x == 0 ? Rgba{0, 0, 0, 255} : kWhite;
                                      }),
                           3, false));
  clear_screen_to(kBlue);
  spr_draw(3, 100, 100);
  EXPECT_EQ(screen_pixel(100, 100), (Rgba{0, 0, 0, 255}));
  EXPECT_EQ(screen_pixel(101, 100), kWhite);
  spr_draw_stretched(3, 100, 200, 16, 1);
  int between = 0;
  for (int x = 100; x < 116; ++x) {
    const Rgba c = screen_pixel(x, 200);
    if (c.r > 10 && c.r < 245) ++between;
  }
  EXPECT_GE(between, 4);
  spr_draw(3, 100, 300);
  EXPECT_EQ(screen_pixel(100, 300), (Rgba{0, 0, 0, 255}));
  EXPECT_EQ(screen_pixel(101, 300), kWhite);
}
