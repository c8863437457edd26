// Reading a picture file of any kind: the order BMP, PNG, JPEG, the key per reader, and files no reader
// accepts.
#include <gtest/gtest.h>
#include <png.h>

#include "engine/core/mem_name.h"
#include "engine/media/image.h"
#include "media/image_files_helpers.h"

using testimg::pixel;

namespace {

constexpr int kSpriteKey = 255 + 0 * 256 + 128 * 65536;

class ReadAny : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = testimg::make_temp_dir(); }
  void TearDown() override { testimg::remove_dir(dir_); }
  std::string put(const std::string& name, const std::vector<uint8_t>& bytes) {
    return testimg::write_file(dir_, name, bytes);
  }
  std::string dir_;
};

TEST_F(ReadAny, EachKindIsRecognisedByItsContentNotItsName) {
  testimg::BmpSpec b;
  b.width = 2;
  b.height = 1;
  const auto bmp = testimg::bmp_encode(b, {0x8000FF, 0x030201});
  testimg::PngSpec p;
  p.width = 2;
  p.height = 1;
  p.color_type = PNG_COLOR_TYPE_RGB;
  const auto png = testimg::png_encode(p, {255, 0, 128, 1, 2, 3});
  testimg::JpegSpec j;
  j.width = 2;
  j.height = 1;
  j.components = 1;
  const auto jpeg = testimg::jpeg_encode(j, {200, 200});

  ImageBuffer img;
  ASSERT_TRUE(image_read_any(put("a.png", bmp).c_str(), kSpriteKey, true, img));
  EXPECT_EQ(pixel(img.pixels, 2, 0, 0), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(pixel(img.pixels, 2, 1, 0), (std::vector<int>{1, 2, 3, 255}));
  ASSERT_TRUE(image_read_any(put("b.bmp", png).c_str(), kSpriteKey, true, img));
  EXPECT_EQ(pixel(img.pixels, 2, 0, 0), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(pixel(img.pixels, 2, 1, 0), (std::vector<int>{1, 2, 3, 255}));
  ASSERT_TRUE(image_read_any(put("c.bmp", jpeg).c_str(), kSpriteKey, true, img));
  EXPECT_EQ(img.width, 2);
  EXPECT_NEAR(pixel(img.pixels, 2, 1, 0)[0], 200, 3);
}

TEST_F(ReadAny, JpegOnlyWhenAllowed) {
  testimg::JpegSpec j;
  j.width = 4;
  j.height = 4;
  const std::string path = put("d.jpg", testimg::jpeg_encode(j, std::vector<uint8_t>(48, 90)));
  ImageBuffer img;
  EXPECT_FALSE(image_read_any(path.c_str(), kSpriteKey, false, img));
  EXPECT_EQ(img.width, 0);
  EXPECT_TRUE(image_read_any(path.c_str(), kSpriteKey, true, img));
  EXPECT_EQ(img.width, 4);
}

TEST_F(ReadAny, NonPicturesAreRefusedByEveryReader) {
  const std::string text = "Brakka high ratings\nline two\n";
  const std::vector<uint8_t> bytes(text.begin(), text.end());
  const std::string path = put("notes.png", bytes);
  ImageBuffer img;
  EXPECT_FALSE(image_decode_bmp(bytes.data(), bytes.size(), kSpriteKey, img));
  EXPECT_FALSE(image_decode_png(bytes.data(), bytes.size(), "notes.png", kSpriteKey, img));
  EXPECT_FALSE(image_decode_jpeg(bytes.data(), bytes.size(), img));
  EXPECT_FALSE(image_read_bmp(path.c_str(), kSpriteKey, img));
  EXPECT_FALSE(image_read_png(path.c_str(), kSpriteKey, img));
  EXPECT_FALSE(image_read_jpeg(path.c_str(), img));
  testing::internal::CaptureStdout();
  EXPECT_FALSE(image_read_any(path.c_str(), kSpriteKey, true, img));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(img.width, 0);
  EXPECT_TRUE(img.pixels.empty());
  // An empty file and a missing one.
  EXPECT_FALSE(image_read_any(put("empty.bmp", {}).c_str(), kSpriteKey, true, img));
  EXPECT_FALSE(image_read_any((dir_ + "/none.bmp").c_str(), kSpriteKey, true, img));
  EXPECT_FALSE(image_read_any(nullptr, kSpriteKey, true, img));
}

TEST(ReadAnyMemory, BmpAndPngFromLiveMemoryNamesJpegNever) {
  testimg::BmpSpec b;
  b.width = 2;
  b.height = 2;
  const auto bmp = testimg::bmp_encode(b, {0x010203, 0x8000FF, 0x040506, 0x070809});
  testimg::PngSpec p;
  p.width = 1;
  p.height = 1;
  p.color_type = PNG_COLOR_TYPE_GRAY;
  const auto png = testimg::png_encode(p, {77});
  testimg::JpegSpec j;
  j.width = 8;
  j.height = 8;
  const auto jpeg = testimg::jpeg_encode(j, std::vector<uint8_t>(192, 120));

  ImageBuffer img;
  const std::string bmp_name = mem_name_register(bmp.data(), static_cast<uint32_t>(bmp.size()));
  ASSERT_TRUE(image_read_any(bmp_name.c_str(), kSpriteKey, true, img));
  EXPECT_EQ(pixel(img.pixels, 2, 0, 0), (std::vector<int>{3, 2, 1, 255}));
  EXPECT_EQ(pixel(img.pixels, 2, 1, 0), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_TRUE(image_read_bmp(bmp_name.c_str(), kSpriteKey, img));
  mem_name_release(bmp.data());
  EXPECT_FALSE(image_read_any(bmp_name.c_str(), kSpriteKey, true, img));  // no longer alive

  const std::string png_name = mem_name_register(png.data(), static_cast<uint32_t>(png.size()));
  ASSERT_TRUE(image_read_png(png_name.c_str(), kSpriteKey, img));
  EXPECT_EQ(pixel(img.pixels, 1, 0, 0), (std::vector<int>{77, 77, 77, 255}));
  mem_name_release(png.data());

  const std::string jpeg_name = mem_name_register(jpeg.data(), static_cast<uint32_t>(jpeg.size()));
  EXPECT_FALSE(image_read_any(jpeg_name.c_str(), kSpriteKey, true, img));
  EXPECT_FALSE(image_read_jpeg(jpeg_name.c_str(), img));
  ASSERT_TRUE(image_decode_jpeg(jpeg.data(), jpeg.size(), img));  // the bytes themselves are fine
  mem_name_release(jpeg.data());
}

}  // namespace
