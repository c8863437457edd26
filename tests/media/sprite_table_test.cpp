// The sprite table: uploads, slot records, freeing, the free-slot search and picture loading.
#include <gtest/gtest.h>

#include "engine/app/app.h"
#include "engine/media/draw.h"
#include "engine/media/renderer.h"
#include "engine/media/sprites.h"
#include "tests/media/gl_fixture.h"

using SpriteTableTest = GlTest;

TEST_F(SpriteTableTest, EmptySlotHasTheEmptyRecord) {
  const SpriteRecord& rec = sprite_record(12);
  EXPECT_EQ(rec.texture, 0u);
  EXPECT_EQ(rec.image_width, 0);
  EXPECT_EQ(rec.texture_width, -1);
  EXPECT_EQ(rec.texture_height, -1);
  EXPECT_FLOAT_EQ(rec.u_max, 1.0f);
  EXPECT_FLOAT_EQ(rec.v_max, 1.0f);
}

TEST_F(SpriteTableTest, OnePixelPictureGetsSixteenSquareTexture) {
  ASSERT_TRUE(image_upload(solid_image(1, 1, kRed), 3, false));
  const SpriteRecord& rec = sprite_record(3);
  EXPECT_NE(rec.texture, 0u);
  EXPECT_NE(rec.mip_texture, 0u);
  EXPECT_EQ(rec.texture_width, 16);
  EXPECT_EQ(rec.texture_height, 16);
  EXPECT_EQ(rec.image_width, 1);
  EXPECT_EQ(rec.image_height, 1);
  EXPECT_FLOAT_EQ(rec.u_max, 0.0625f);
  EXPECT_FLOAT_EQ(rec.v_max, 0.0625f);
}

TEST_F(SpriteTableTest, OpaqueOnlyForSpritesWithoutAnyTransparency) {
  ASSERT_TRUE(image_upload(solid_image(20, 10, kRed), 3, false));
  EXPECT_EQ(sprite_record(3).opaque, 1);
  ASSERT_TRUE(image_upload(make_image(20, 10, [](int x, int y) { return x == 19 && y == 9 ? kClear : kRed; }),
                           4, false));
  EXPECT_EQ(sprite_record(4).opaque, 0);
  // Fonts are never drawn through the opaque path; a freed or grabbed slot is not opaque either.
  ASSERT_TRUE(image_upload(solid_image(32, 32, kRed), kFirstFontSlot + 2, true));
  EXPECT_EQ(sprite_record(kFirstFontSlot + 2).opaque, 0);
  sprite_free(3);
  EXPECT_EQ(sprite_record(3).opaque, 0);
  ASSERT_TRUE(image_upload(solid_image(16, 16, kRed), 5, false));
  spr_grab(5, 0, 0, 16, 16);
  EXPECT_EQ(sprite_record(5).opaque, 0);
}

TEST_F(SpriteTableTest, TextureSidesArePowersOfTwoPerAxis) {
  ASSERT_TRUE(image_upload(solid_image(17, 100, kRed), 4, false));
  const SpriteRecord& rec = sprite_record(4);
  EXPECT_EQ(rec.texture_width, 32);
  EXPECT_EQ(rec.texture_height, 128);
  EXPECT_FLOAT_EQ(rec.u_max, 17.0f / 32.0f);
  EXPECT_FLOAT_EQ(rec.v_max, 100.0f / 128.0f);
}

TEST_F(SpriteTableTest, FontUploadHasNoMipCopy) {
  ASSERT_TRUE(image_upload(solid_image(128, 64, kWhite), kFirstFontSlot + 2, true));
  EXPECT_NE(sprite_record(kFirstFontSlot + 2).texture, 0u);
  EXPECT_EQ(sprite_record(kFirstFontSlot + 2).mip_texture, 0u);
}

TEST_F(SpriteTableTest, ZeroSizedPictureFailsAndLeavesSlotEmpty) {
  ASSERT_TRUE(image_upload(solid_image(8, 8, kRed), 5, false));
  ImageBuffer empty;
  EXPECT_FALSE(image_upload(empty, 5, false));
  EXPECT_EQ(sprite_record(5).image_width, 0);
  EXPECT_EQ(sprite_record(5).texture, 0u);
}

TEST_F(SpriteTableTest, PictureLargerThanTheLimitKeepsItsTopLeftPart) {
  renderer_set_texture_limit_cap(32);
  const ImageBuffer image = make_image(40, 20, [](int x, int) { return x < 32 ? kGreen : kRed; });
  ASSERT_TRUE(image_upload(image, 6, false));
  const SpriteRecord& rec = sprite_record(6);
  EXPECT_EQ(rec.texture_width, 32);
  EXPECT_EQ(rec.image_width, 32);
  EXPECT_EQ(rec.image_height, 20);
  spr_draw(6, 0, 0);
  EXPECT_TRUE(screen_rect_is(0, 0, 32, 20, kGreen));
  EXPECT_EQ(screen_pixel(32, 5), (Rgba{0, 0, 0, 255}));
}

TEST_F(SpriteTableTest, FreeingResetsRecordButKeepsCellSize) {
  ASSERT_TRUE(image_upload(solid_image(64, 32, kRed), 7, false));
  spr_set_anim(7, 16, 16);
  sprite_free(7);
  const SpriteRecord& rec = sprite_record(7);
  EXPECT_EQ(rec.texture, 0u);
  EXPECT_EQ(rec.mip_texture, 0u);
  EXPECT_EQ(rec.image_width, 0);
  EXPECT_EQ(rec.texture_width, -1);
  EXPECT_EQ(rec.cell_width, 16);
  EXPECT_EQ(rec.cell_height, 16);
}

TEST_F(SpriteTableTest, FreeSlotSearchSkipsUsedSlots) {
  EXPECT_EQ(sprite_find_free(), 0);
  ASSERT_TRUE(image_upload(solid_image(2, 2, kRed), 0, false));
  ASSERT_TRUE(image_upload(solid_image(2, 2, kRed), 1, false));
  EXPECT_EQ(sprite_find_free(), 2);
  sprite_free(0);
  EXPECT_EQ(sprite_find_free(), 0);
}

TEST_F(SpriteTableTest, SetAnimOnEmptySlotChangesNothing) {
  spr_set_anim(9, 16, 16);
  EXPECT_EQ(sprite_record(9).cell_width, 0);
  EXPECT_EQ(sprite_record(9).cell_height, 0);
}

TEST_F(SpriteTableTest, GetSizeReportsImageSizeOrZero) {
  ASSERT_TRUE(image_upload(solid_image(17, 5, kRed), 10, false));
  double w = -1, h = -1;
  spr_get_size(10.7, &w, &h);  // the slot number is truncated
  EXPECT_EQ(w, 17.0);
  EXPECT_EQ(h, 5.0);
  spr_get_size(11, &w, &h);
  EXPECT_EQ(w, 0.0);
  EXPECT_EQ(h, 0.0);
  spr_get_size(70000, &w, &h);
  EXPECT_EQ(w, 0.0);
}

TEST_F(SpriteTableTest, LoadingMissingFileEmptiesSlotWithCodeThree) {
  ASSERT_TRUE(image_upload(solid_image(8, 8, kRed), 11, false));
  spr_load("no_such_picture_here.png", 11);
  EXPECT_EQ(app_error_code(), 3);
  double w = -1, h = -1;
  spr_get_size(11, &w, &h);
  EXPECT_EQ(w, 0.0);
  EXPECT_EQ(h, 0.0);
}

TEST_F(SpriteTableTest, LoadingOverAnimationKeepsCellSize) {
  ASSERT_TRUE(image_upload(solid_image(64, 32, kRed), 12, false));
  spr_set_anim(12, 16, 8);
  const std::string path = scratch_dir() + "/sheet.bmp";
  ASSERT_TRUE(write_bmp24(path, solid_image(32, 32, kBlue)));
  spr_load(path.c_str(), 12);
  ASSERT_EQ(app_error_code(), 0);
  EXPECT_EQ(sprite_record(12).image_width, 32);
  EXPECT_EQ(sprite_record(12).cell_width, 16);
  EXPECT_EQ(sprite_record(12).cell_height, 8);
}

TEST_F(SpriteTableTest, LoadAnimSetsCellSizeOnlyWhenLoaded) {
  const std::string path = scratch_dir() + "/anim.bmp";
  ASSERT_TRUE(write_bmp24(path, solid_image(64, 32, kBlue)));
  spr_load_anim(path.c_str(), 13, 16, 16);
  EXPECT_EQ(sprite_record(13).cell_width, 16);
  spr_load_anim("missing.bmp", 14, 16, 16);
  EXPECT_EQ(app_error_code(), 3);
  EXPECT_EQ(sprite_record(14).cell_width, 0);
}

TEST_F(SpriteTableTest, KeyedBmpPixelsBecomeTransparentOnScreen) {
  const std::string path = scratch_dir() + "/keyed.bmp";
  const Rgba key{255, 0, 128, 255};
  ASSERT_TRUE(write_bmp24(path, make_image(8, 8, [&](int x, int) { return x < 4 ? key : kGreen; })));
  spr_load(path.c_str(), 15);
  ASSERT_EQ(app_error_code(), 0);
  clear_screen_to(kBlue);
  spr_draw(15, 10, 10);
  EXPECT_EQ(screen_pixel(11, 12), kBlue);  // keyed: dropped by the alpha test
  EXPECT_EQ(screen_pixel(16, 12), kGreen);
}

TEST_F(SpriteTableTest, TransparencyChangeAffectsLaterLoadsOnly) {
  const std::string path = scratch_dir() + "/red.bmp";
  ASSERT_TRUE(write_bmp24(path, solid_image(4, 4, kRed)));
  EXPECT_EQ(sprite_color_key(), 8388863);
  EXPECT_EQ(font_color_key(), 0);
  draw_set_transparency(255);  // pure red
  EXPECT_EQ(sprite_color_key(), 255);
  EXPECT_EQ(font_color_key(), 255);
  spr_load(path.c_str(), 16);
  ASSERT_EQ(app_error_code(), 0);
  clear_screen_to(kBlue);
  spr_draw(16, 0, 0);
  EXPECT_EQ(screen_pixel(1, 1), kBlue);
}

TEST_F(SpriteTableTest, LoadingIntoFontSlotRangeIsRefused) {
  spr_load("whatever.png", kFirstFontSlot);
  EXPECT_EQ(app_error_code(), 7);
}
