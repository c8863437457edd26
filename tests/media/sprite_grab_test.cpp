// Copying screen rectangles into sprites, by texture copy and by reading pixels back.
#include "engine/platform/gl_headers.h"
#include <gtest/gtest.h>

#include "engine/media/draw.h"
#include "engine/media/renderer.h"
#include "engine/media/sprites.h"
#include "tests/media/gl_fixture.h"

namespace {
const Rgba kBlack{0, 0, 0, 255};
constexpr int kKeyRgb = 255 + 128 * 65536;

Rgba gradient(int x, int y) {
  return Rgba{static_cast<uint8_t>(40 + 20 * x), static_cast<uint8_t>(30 * y + 10), 90, 255};
}

bool frame_buffer_alpha() {
  GLint bits = 0;
  glGetIntegerv(GL_ALPHA_BITS, &bits);
  return bits > 0;
}
}  // namespace

// Runs each case over both ways of taking the pixels.
class SpriteGrabTest : public GlTest, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (GetParam()) renderer_force_grab_readback(true);
  }
};

TEST_P(SpriteGrabTest, RoundTripKeepsPixelsAndOrientation) {
  ASSERT_TRUE(image_upload(make_image(5, 4, gradient), 1, false));
  spr_draw(1, 50, 60);
  spr_grab(2, 50, 60, 5, 4);
  const SpriteRecord& rec = sprite_record(2);
  EXPECT_EQ(rec.image_width, 5);
  EXPECT_EQ(rec.image_height, 4);
  EXPECT_EQ(rec.texture_width, 16);
  EXPECT_FLOAT_EQ(rec.u_max, 5.0f / 16.0f);
  clear_screen_to(kBlack);
  spr_draw(2, 200, 300);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(screen_pixel(200 + x, 300 + y), gradient(x, y)) << x << "," << y;
  }
}

TEST_P(SpriteGrabTest, KeyColouredPixelsBecomeTransparent) {
  if (!GetParam() && !frame_buffer_alpha()) GTEST_SKIP() << "copy path needs frame-buffer alpha";
  clear_screen_to(kGreen);
  draw_rect(10, 10, 4, 8, kKeyRgb);  // left half of the grabbed area in the key colour
  spr_grab(3, 10, 10, 8, 8);
  clear_screen_to(kBlue);
  spr_draw(3, 100, 100);
  EXPECT_EQ(screen_pixel(101, 104), kBlue);
  EXPECT_EQ(screen_pixel(106, 104), kGreen);
}

TEST_P(SpriteGrabTest, SameSizeReusesTheTexture) {
  clear_screen_to(kRed);
  spr_grab(4, 0, 0, 20, 20);
  const uint32_t first = sprite_record(4).texture;
  ASSERT_NE(first, 0u);
  spr_grab(4, 5, 5, 30, 30);  // still a 32 x 32 texture
  EXPECT_EQ(sprite_record(4).texture, first);
  EXPECT_EQ(sprite_record(4).image_width, 30);
  spr_grab(4, 0, 0, 40, 10);  // 64 x 16: a new texture
  EXPECT_EQ(sprite_record(4).texture_width, 64);
  EXPECT_EQ(sprite_record(4).texture_height, 16);
}

TEST_P(SpriteGrabTest, GrabClearsCellSizeAndEmptyRectangleFreesSlot) {
  ASSERT_TRUE(image_upload(solid_image(32, 32, kRed), 5, false));
  spr_set_anim(5, 16, 16);
  spr_grab(5, 0, 0, 8, 8);
  EXPECT_EQ(sprite_record(5).cell_width, 0);
  EXPECT_EQ(sprite_record(5).image_width, 8);
  spr_grab(5, 0, 0, 0, 8);
  EXPECT_EQ(sprite_record(5).image_width, 0);
  EXPECT_EQ(sprite_record(5).texture, 0u);
  spr_grab(5, 0, 0, -4, 8);
  EXPECT_EQ(sprite_record(5).image_width, 0);
}

INSTANTIATE_TEST_SUITE_P(BothPaths, SpriteGrabTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? std::string("ReadBack") : std::string("TextureCopy");
                         });

using SpriteGrabKeyTest = GlTest;

TEST_F(SpriteGrabKeyTest, BlackKeyTurnsBlackPixelsTransparentOnReadBack) {
  renderer_force_grab_readback(true);
  draw_set_transparency(0);
  clear_screen_to(kBlack);
  draw_rect(4, 0, 4, 8, 0x00ff00);
  spr_grab(6, 0, 0, 8, 8);
  clear_screen_to(kBlue);
  spr_draw(6, 100, 100);
  EXPECT_EQ(screen_pixel(101, 104), kBlue);
  EXPECT_EQ(screen_pixel(106, 104), kGreen);
}

TEST_F(SpriteGrabKeyTest, ProbeLeavesTheScreenAsItWas) {
  renderer_force_grab_readback(true);
  clear_screen_to(Rgba{12, 34, 56, 255});
  spr_grab(7, 100, 100, 8, 8);
  EXPECT_EQ(screen_pixel(4, GlTest::kScreenH - 1 - 4), (Rgba{12, 34, 56, 255}));
}
