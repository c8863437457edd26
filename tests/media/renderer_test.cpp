// The renderer's start-up checks and its life cycle.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "engine/core/app.h"
#include "engine/media/draw.h"
#include "engine/media/renderer.h"
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
