// Filled rectangles, blend modes, opacity and the alpha test.
#include "engine/platform/gl_headers.h"
#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/media/draw.h"
#include "engine/media/renderer.h"
#include "tests/media/gl_fixture.h"

namespace {
const Rgba kBlack{0, 0, 0, 255};
constexpr int kRedRgb = 255;
constexpr int kKeyRgb = 255 + 128 * 65536;  // the default sprite key, R 255 G 0 B 128

bool near(Rgba a, Rgba b) {
  return std::abs(a.r - b.r) <= 2 && std::abs(a.g - b.g) <= 2 && std::abs(a.b - b.b) <= 2;
}
}  // namespace

using DrawRectTest = GlTest;

TEST_F(DrawRectTest, CoversExactlyItsPixels) {
  draw_rect(10, 20, 5, 3, kRedRgb);
  EXPECT_TRUE(screen_rect_is(10, 20, 15, 23, kRed));
  EXPECT_EQ(screen_pixel(9, 21), kBlack);
  EXPECT_EQ(screen_pixel(15, 21), kBlack);
  EXPECT_EQ(screen_pixel(12, 19), kBlack);
  EXPECT_EQ(screen_pixel(12, 23), kBlack);
}

TEST_F(DrawRectTest, PackedColourIsRedGreenBlue) {
  draw_rect(0, 0, 4, 4, 10 + 20 * 256 + 30 * 65536);
  EXPECT_EQ(screen_pixel(1, 1), (Rgba{10, 20, 30, 255}));
}

TEST_F(DrawRectTest, NegativeSizesExtendBackIncludingTheStartPixel) {
  draw_rect(10, 50, -3, -2, kRedRgb);  // columns 8..10, rows 49..50
  EXPECT_TRUE(screen_rect_is(8, 49, 11, 51, kRed));
  EXPECT_EQ(screen_pixel(7, 50), kBlack);
  EXPECT_EQ(screen_pixel(11, 50), kBlack);
  EXPECT_EQ(screen_pixel(9, 48), kBlack);
  EXPECT_EQ(screen_pixel(9, 51), kBlack);
}

TEST_F(DrawRectTest, ZeroSizeDrawsNothing) {
  draw_rect(10, 10, 0, 20, kRedRgb);
  draw_rect(40, 10, 20, 0, kRedRgb);
  EXPECT_TRUE(screen_rect_is(0, 0, 80, 40, kBlack));
}

TEST_F(DrawRectTest, KeyColourIsInvisibleWhenBlending) {
  clear_screen_to(kBlue);
  draw_alpha_mode(-1.0);
  draw_rect(0, 0, 10, 10, kKeyRgb);
  EXPECT_EQ(screen_pixel(5, 5), kBlue);
}

TEST_F(DrawRectTest, KeyColourWritesZeroAlphaInOpaqueMode) {
  GLint alpha_bits = 0;
  glGetIntegerv(GL_ALPHA_BITS, &alpha_bits);
  if (alpha_bits == 0) GTEST_SKIP() << "frame buffer without alpha";
  draw_rect(0, 0, 10, 10, kKeyRgb);
  EXPECT_EQ(screen_pixel(5, 5), (Rgba{255, 0, 128, 0}));
  draw_rect(20, 0, 10, 10, kRedRgb);
  EXPECT_EQ(screen_pixel(25, 5).a, 255);
}

TEST_F(DrawRectTest, NormalBlendMixesByOpacity) {
  clear_screen_to(kBlue);
  draw_alpha_mode(-0.5);
  draw_rect(0, 0, 10, 10, kRedRgb);
  EXPECT_TRUE(near(screen_pixel(5, 5), Rgba{128, 0, 128, 255})) << screen_pixel(5, 5);
}

TEST_F(DrawRectTest, AdditiveBlendAddsScaledColour) {
  clear_screen_to(Rgba{0, 0, 200, 255});
  draw_alpha_mode(0.5);
  draw_rect(0, 0, 10, 10, kRedRgb + 100 * 65536);
  EXPECT_TRUE(near(screen_pixel(5, 5), Rgba{128, 0, 250, 255})) << screen_pixel(5, 5);
}

TEST_F(DrawRectTest, OpacityIsLimitedToOne) {
  clear_screen_to(kBlue);
  draw_alpha_mode(-7.0);
  draw_rect(0, 0, 10, 10, kRedRgb);
  EXPECT_EQ(screen_pixel(5, 5), kRed);
}

TEST_F(DrawRectTest, OpaqueModeReplacesAndResetsOpacity) {
  clear_screen_to(kBlue);
  draw_alpha_mode(-0.25);
  draw_alpha_mode(0.0);
  draw_rect(0, 0, 10, 10, kRedRgb);
  EXPECT_EQ(screen_pixel(5, 5), kRed);
}

TEST_F(DrawRectTest, SpritesBlendInTheModes) {
  ASSERT_TRUE(image_upload(solid_image(10, 10, kRed), 1, false));
  clear_screen_to(kBlue);
  draw_alpha_mode(-0.5);
  spr_draw(1, 0, 0);
  EXPECT_TRUE(near(screen_pixel(5, 5), Rgba{128, 0, 128, 255})) << screen_pixel(5, 5);
  draw_alpha_mode(1.0);
  spr_draw(1, 20, 0);
  EXPECT_EQ(screen_pixel(25, 5), (Rgba{255, 0, 255, 255}));
}

TEST_F(DrawRectTest, RectangleSwitchesAlphaTestBackOnInBlendModes) {
  // Texels with alpha 20/255: after scaling by 0.5 they lie below the alpha test's 0.05.
  ASSERT_TRUE(image_upload(solid_image(10, 10, Rgba{255, 0, 0, 20}), 1, false));
  clear_screen_to(kBlack);
  draw_alpha_mode(0.5);
  spr_draw(1, 0, 0);
  const Rgba without_test = screen_pixel(5, 5);
  EXPECT_GT(without_test.r, 0);  // additive blending lets faint texels through
  draw_rect(100, 100, 2, 2, 0);
  spr_draw(1, 20, 0);
  EXPECT_EQ(screen_pixel(25, 5), kBlack);  // now the alpha test drops them
}

TEST_F(DrawRectTest, RectangleRestoresSpriteColour) {
  ASSERT_TRUE(image_upload(solid_image(4, 4, kWhite), 1, false));
  draw_rect(50, 50, 5, 5, 0x00ff00);
  spr_draw(1, 0, 0);
  EXPECT_EQ(screen_pixel(1, 1), kWhite);
}

TEST_F(DrawRectTest, FrameSetupReturnsToOpaqueMode) {
  draw_alpha_mode(-0.5);
  renderer_frame_setup();
  clear_screen_to(kBlue);
  draw_rect(0, 0, 10, 10, kRedRgb);
  EXPECT_EQ(screen_pixel(5, 5), kRed);
}
