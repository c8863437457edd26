// The renderer's start-up checks and its life cycle.
#include "engine/platform/gl_headers.h"
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "engine/app/app.h"
#include "engine/media/draw.h"
#include "engine/media/renderer.h"
#include "engine/platform/platform.h"
#include "tests/media/gl_fixture.h"

using RendererTest = GlTest;

TEST_F(RendererTest, StartUpChecksAreTraced) {
  std::ifstream log(log_path());
  std::stringstream text;
  text << log.rdbuf();
  const std::string s = text.str();
  EXPECT_TRUE(s.find("BGRA ext supported\n") != std::string::npos ||
              s.find("BGRA ext NOT supported\n") != std::string::npos);
  const size_t limit = s.find("Texture size limit: ");
  ASSERT_NE(limit, std::string::npos);
  EXPECT_GT(std::stoi(s.substr(limit + 20)), 0);
  EXPECT_NE(s.find("init fbo\n", limit), std::string::npos);
}

TEST_F(RendererTest, DestroyedRendererIgnoresDrawing) {
  renderer_destroy();
  EXPECT_FALSE(renderer_exists());
  spr_draw(0, 0, 0);
  draw_rect(0, 0, 10, 10, 255);
  draw_clear_screen(255);
  renderer_prepare_next();
  EXPECT_EQ(sprite_find_free(), -1);
  EXPECT_EQ(sprite_record(3).image_width, 0);
  EXPECT_FALSE(image_upload(solid_image(4, 4, kRed), 3, false));
  renderer_create();
  EXPECT_TRUE(renderer_exists());
}

TEST_F(RendererTest, OutOfRangeSlotsAreEmptyAndUntouched) {
  EXPECT_FALSE(image_upload(solid_image(4, 4, kRed), kSpriteSlots, false));
  EXPECT_FALSE(image_upload(solid_image(4, 4, kRed), -1, false));
  EXPECT_EQ(sprite_record(-5).image_width, 0);
  EXPECT_EQ(sprite_record(kSpriteSlots).texture_width, -1);
  sprite_free(kSpriteSlots + 10);
  EXPECT_EQ(sprite_find_free(), 0);
}

TEST_F(RendererTest, FirstFrameAfterStartUpIsSetUpLikeEveryOther) {
  // A new window and context: GL starts from its own defaults (no alpha test, no blending).
  renderer_destroy();
  platform().window_destroy();
  ASSERT_TRUE(platform().window_create(kScreenW, kScreenH, false, false));
  renderer_create();
  renderer_gl_init();
  clear_screen_to(kBlue);
  // Transparent texels on the left half must be dropped in the first frame already.
  ASSERT_TRUE(image_upload(make_image(8, 8, [](int x, int) { return x < 4 ? kClear : kRed; }), 1, false));
  spr_draw(1, 10, 10);
  EXPECT_EQ(screen_pixel(11, 12), kBlue);
  EXPECT_EQ(screen_pixel(16, 12), kRed);
  GLfloat colour[4] = {0, 0, 0, 0};
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_FLOAT_EQ(colour[3], 1.0f);
  EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
}
