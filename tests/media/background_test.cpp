// The background picture: tiles, drawing before each frame, reuse of an unchanged name, clearing.
#include <gtest/gtest.h>

#include <png.h>

#include <string>
#include <vector>

#include "engine/app/app.h"
#include "engine/media/draw.h"
#include "engine/media/renderer.h"
#include "engine/media/renderer_state.h"
#include "tests/media/gl_fixture.h"
#include "tests/media/image_files_helpers.h"

namespace {
const Rgba kBlack{0, 0, 0, 255};

// 600 x 600: left half red, right half green, the last 50 rows blue.
Rgba quarters(int x, int y) {
  if (y >= 550) return kBlue;
  return x < 300 ? kRed : kGreen;
}
}  // namespace

class BackgroundTest : public GlTest {
 protected:
  std::string write(const std::string& name, const ImageBuffer& image) {
    if (dir_.empty()) dir_ = scratch_dir();
    const std::string path = dir_ + "/" + name;
    EXPECT_TRUE(write_bmp24(path, image));
    return path;
  }
  std::string dir_;
};

TEST_F(BackgroundTest, PictureLargerThanOneTileIsSplitIntoTwoByTwo) {
  const std::string path = write("big.bmp", make_image(600, 600, quarters));
  clear_screen_to(kWhite);
  draw_load_background(path.c_str());
  ASSERT_EQ(app_error_code(), 0);
  const BackgroundImage& bg = renderer_object()->background;
  EXPECT_EQ(bg.columns, 2);
  EXPECT_EQ(bg.rows, 2);
  EXPECT_EQ(bg.tiles[1][1].drawn_width, 512);
  EXPECT_EQ(screen_pixel(10, 10), kRed);
  EXPECT_EQ(screen_pixel(299, 400), kRed);
  EXPECT_EQ(screen_pixel(300, 400), kGreen);
  EXPECT_EQ(screen_pixel(511, 511), kGreen);  // both sides of the tile seam
  EXPECT_EQ(screen_pixel(512, 512), kGreen);
  EXPECT_EQ(screen_pixel(590, 590), kBlue);
  // Beyond the picture the border tiles are transparent and leave the buffer alone.
  EXPECT_EQ(screen_pixel(700, 100), kWhite);
}

TEST_F(BackgroundTest, TransparentPartsOfThePictureShowWhatWasUnder) {
  // 600 x 560 RGBA: red, with a transparent 20 x 20 hole at (100, 100) in the first tile and a
  // half-transparent (alpha 128) column at x 550 in the second (rows 0..511 only).
  std::vector<uint16_t> samples;
  for (int y = 0; y < 560; ++y) {
    for (int x = 0; x < 600; ++x) {
      const bool hole = x >= 100 && x < 120 && y >= 100 && y < 120;
      samples.insert(samples.end(), {255, 0, 0,
                                     static_cast<uint16_t>(hole                    ? 0
                                                           : (x == 550 && y < 512) ? 128
                                                                                   : 255)});
    }
  }
  testimg::PngSpec spec;
  spec.width = 600;
  spec.height = 560;
  spec.color_type = PNG_COLOR_TYPE_RGBA;
  if (dir_.empty()) dir_ = scratch_dir();
  const std::string path = testimg::write_file(dir_, "holes.png", testimg::png_encode(spec, samples));
  clear_screen_to(kWhite);
  draw_load_background(path.c_str());
  ASSERT_EQ(app_error_code(), 0);
  const BackgroundImage& bg = renderer_object()->background;
  ASSERT_EQ(bg.columns, 2);
  ASSERT_EQ(bg.rows, 2);
  EXPECT_FALSE(bg.tiles[0][0].opaque);
  EXPECT_FALSE(bg.tiles[1][0].opaque);
  EXPECT_TRUE(bg.tiles[0][1].opaque);  // rows 512..559 of columns 0..511
  EXPECT_TRUE(bg.tiles[1][1].opaque);
  EXPECT_EQ(bg.tiles[1][1].picture_width, 88);
  EXPECT_EQ(bg.tiles[1][1].picture_height, 48);
  EXPECT_TRUE(screen_rect_is(100, 100, 120, 120, kWhite));  // dropped by the alpha test
  EXPECT_EQ(screen_pixel(99, 100), kRed);
  EXPECT_EQ(screen_pixel(120, 119), kRed);
  EXPECT_TRUE(screen_rect_is(550, 0, 551, 512, kRed));  // alpha 128 passes the test, drawn unblended
  EXPECT_TRUE(screen_rect_is(0, 512, 600, 560, kRed));
  // Beyond the picture, right and below, nothing is drawn, whether the tile is opaque or not.
  EXPECT_TRUE(screen_rect_is(600, 0, 800, 600, kWhite));
  EXPECT_TRUE(screen_rect_is(0, 560, 600, 600, kWhite));
  // The next frame's background is drawn the same way.
  clear_screen_to(kGreen);
  renderer_prepare_next();
  EXPECT_TRUE(screen_rect_is(100, 100, 120, 120, kGreen));
  EXPECT_TRUE(screen_rect_is(520, 520, 600, 560, kRed));
  EXPECT_TRUE(screen_rect_is(600, 520, 800, 600, kGreen));
}

TEST_F(BackgroundTest, SmallerTilesUnderALowTextureLimit) {
  renderer_set_texture_limit_cap(256);
  const std::string path = write("big.bmp", make_image(600, 600, quarters));
  draw_load_background(path.c_str());
  const BackgroundImage& bg = renderer_object()->background;
  EXPECT_EQ(bg.columns, 3);
  EXPECT_EQ(bg.rows, 3);
  EXPECT_EQ(screen_pixel(256, 256), kRed);
  EXPECT_EQ(screen_pixel(513, 300), kGreen);
  EXPECT_EQ(screen_pixel(520, 560), kBlue);
}

TEST_F(BackgroundTest, PictureBeyondEightTilesIsCut) {
  renderer_set_texture_limit_cap(16);
  const std::string path = write("wide.bmp", solid_image(200, 20, kGreen));
  draw_load_background(path.c_str());
  ASSERT_EQ(app_error_code(), 0);
  const BackgroundImage& bg = renderer_object()->background;
  EXPECT_EQ(bg.columns, 8);
  EXPECT_EQ(bg.rows, 2);
  EXPECT_EQ(screen_pixel(127, 5), kGreen);
  EXPECT_EQ(screen_pixel(128, 5), kBlack);
}

TEST_F(BackgroundTest, DrawnAgainWhenTheNextFrameIsPrepared) {
  const std::string path = write("big.bmp", make_image(600, 600, quarters));
  draw_load_background(path.c_str());
  draw_alpha_mode(-0.5);
  clear_screen_to(kBlack);
  renderer_prepare_next();
  EXPECT_EQ(screen_pixel(10, 10), kRed);  // drawn opaque whatever the mode was
  EXPECT_EQ(screen_pixel(590, 590), kBlue);
}

TEST_F(BackgroundTest, SameNameAgainDoesNotDecodeAgain) {
  const std::string path = write("map.bmp", solid_image(100, 100, kRed));
  draw_load_background(path.c_str());
  ASSERT_EQ(renderer_background_decodes(), 1);
  // The file changes on disk, but the screen asks for the same name: the loaded tiles are kept.
  write("map.bmp", solid_image(100, 100, kGreen));
  draw_load_background(path.c_str());
  EXPECT_EQ(app_error_code(), 0);
  EXPECT_EQ(renderer_background_decodes(), 1);
  EXPECT_EQ(screen_pixel(50, 50), kRed);
}

TEST_F(BackgroundTest, RepeatedLoadCoversWhatWasDrawnSince) {
  const std::string path = write("map.bmp", solid_image(100, 100, kRed));
  draw_load_background(path.c_str());
  draw_rect(40, 40, 20, 20, 0x00ff00);
  draw_alpha_mode(-0.5);
  draw_load_background(path.c_str());
  EXPECT_EQ(renderer_background_decodes(), 1);
  EXPECT_EQ(screen_pixel(50, 50), kRed);  // drawn at once, as a fresh load would be
  // Drawing the background leaves opaque mode behind, also when it was already on screen.
  draw_load_background(path.c_str());
  draw_rect(0, 0, 10, 10, 0x00ff00);
  EXPECT_EQ(screen_pixel(5, 5), kGreen);
}

TEST_F(BackgroundTest, RepeatedLoadAfterPresentLooksLikeAFreshLoad) {
  const std::string path = write("map.bmp", make_image(600, 600, quarters));
  draw_load_background(path.c_str());
  renderer_prepare_next();
  draw_load_background(path.c_str());
  spr_draw(0, 0, 0);  // an empty slot: nothing
  EXPECT_EQ(screen_pixel(10, 10), kRed);
  EXPECT_EQ(screen_pixel(590, 590), kBlue);
  EXPECT_EQ(renderer_background_decodes(), 1);
}

TEST_F(BackgroundTest, OtherNameOrClearedScreenLoadsAgain) {
  const std::string first = write("one.bmp", solid_image(100, 100, kRed));
  const std::string second = write("two.bmp", solid_image(100, 100, kGreen));
  draw_load_background(first.c_str());
  draw_load_background(second.c_str());
  EXPECT_EQ(renderer_background_decodes(), 2);
  EXPECT_EQ(screen_pixel(50, 50), kGreen);
  draw_clear_screen(0);
  draw_load_background(second.c_str());
  EXPECT_EQ(renderer_background_decodes(), 3);
}

TEST_F(BackgroundTest, FailedLoadClearsToBlackAndDropsTiles) {
  const std::string path = write("one.bmp", solid_image(100, 100, kRed));
  draw_load_background(path.c_str());
  draw_load_background((dir_ + "/missing.bmp").c_str());
  EXPECT_EQ(app_error_code(), 3);
  EXPECT_FALSE(renderer_object()->background.loaded());
  EXPECT_EQ(screen_pixel(50, 50), kBlack);
  clear_screen_to(kBlue);
  renderer_prepare_next();
  EXPECT_EQ(screen_pixel(50, 50), kBlack);  // clearing each frame is back on
}

TEST_F(BackgroundTest, ClearScreenSetsColourAndClearsNow) {
  draw_clear_screen(0x00ff00);
  EXPECT_EQ(screen_pixel(400, 300), kGreen);
  clear_screen_to(kRed);
  renderer_prepare_next();
  EXPECT_EQ(screen_pixel(400, 300), kGreen);
}

TEST_F(BackgroundTest, ClearScreenMinusOneKeepsThePreviousPicture) {
  const std::string path = write("one.bmp", solid_image(100, 100, kRed));
  draw_load_background(path.c_str());
  draw_clear_screen(-1);
  EXPECT_FALSE(renderer_object()->background.loaded());
  clear_screen_to(kBlue);
  renderer_prepare_next();
  EXPECT_EQ(screen_pixel(50, 50), kBlue);
}
