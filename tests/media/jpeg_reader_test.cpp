// The JPEG reader on files made by libjpeg's compressor: component counts, no colour key, files on disk
// only, library errors turned into failed decodes, and the limits on size and scans.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "engine/media/image.h"
#include "media/image_files_helpers.h"
#include "portable.h"

using testimg::JpegSpec;
using testimg::pixel;

namespace {

constexpr int kSpriteKey = 255 + 0 * 256 + 128 * 65536;

JpegSpec spec(int w, int h, int components) {
  JpegSpec s;
  s.width = w;
  s.height = h;
  s.components = components;
  return s;
}

// Smooth samples that survive lossy compression nearly unchanged.
std::vector<uint8_t> gradient(int w, int h, int components) {
  std::vector<uint8_t> v;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      for (int c = 0; c < components; ++c) v.push_back(static_cast<uint8_t>(40 + x * 2 + y + c * 30));
  return v;
}

void expect_close(const ImageBuffer& img, const std::vector<uint8_t>& samples, int components,
                  int tolerance) {
  ASSERT_EQ(img.pixels.size(), samples.size() / components * 4);
  for (int y = 0; y < img.height; ++y) {
    for (int x = 0; x < img.width; ++x) {
      const auto px = pixel(img.pixels, img.width, x, y);
      const uint8_t* s = samples.data() + (static_cast<size_t>(y) * img.width + x) * components;
      const int want[4] = {s[0], components >= 3 ? s[1] : s[0], components >= 3 ? s[2] : s[0],
                           components == 4 ? s[3] : 255};
      for (int c = 0; c < 4; ++c) ASSERT_NEAR(px[c], want[c], tolerance) << x << "," << y << " channel " << c;
    }
  }
}

bool decode(const std::vector<uint8_t>& bytes, ImageBuffer& out) {
  return image_decode_jpeg(bytes.data(), bytes.size(), out);
}

// Runs `body` and returns what it sent to the runtime log ("ErrorLog.txt" in the temporary directory,
// pointed at a private folder here; or standard error while the log is not a file).
std::string logged_by(const std::function<void()>& body) {
  const std::string dir = testimg::make_temp_dir();
  std::string text;
  {
    const portable::TempEnv temp(dir);
    testing::internal::CaptureStderr();
    body();
    text = testing::internal::GetCapturedStderr();
  }
  const auto logged = testimg::read_file(dir + "/ErrorLog.txt");
  text.append(logged.begin(), logged.end());
  testimg::remove_dir(dir);
  return text;
}

TEST(JpegComponents, RgbReadsOpaque) {
  const auto samples = gradient(24, 17, 3);
  ImageBuffer img;
  ASSERT_TRUE(decode(testimg::jpeg_encode(spec(24, 17, 3), samples), img));
  EXPECT_EQ(img.width, 24);
  EXPECT_EQ(img.height, 17);
  expect_close(img, samples, 3, 6);
}

TEST(JpegComponents, GreyBecomesGreyRgb) {
  const auto samples = gradient(9, 9, 1);
  ImageBuffer img;
  ASSERT_TRUE(decode(testimg::jpeg_encode(spec(9, 9, 1), samples), img));
  expect_close(img, samples, 1, 4);
  for (int i = 0; i < 81; ++i) {
    const auto px = pixel(img.pixels, 9, i % 9, i / 9);
    EXPECT_EQ(px[0], px[1]);
    EXPECT_EQ(px[0], px[2]);
  }
}

TEST(JpegComponents, FourComponentsAreCopied) {
  const auto samples = gradient(16, 8, 4);
  ImageBuffer img;
  ASSERT_TRUE(decode(testimg::jpeg_encode(spec(16, 8, 4), samples), img));
  expect_close(img, samples, 4, 6);
}

TEST(JpegComponents, TwoComponentsAreRefusedWithALogLine) {
  const auto bytes = testimg::jpeg_encode(spec(8, 8, 2), gradient(8, 8, 2));
  ImageBuffer img;
  bool ok = true;
  const std::string logged = logged_by([&] { ok = decode(bytes, img); });
  EXPECT_FALSE(ok);
  EXPECT_EQ(img.width, 0);
  EXPECT_NE(logged.find("JPEG: Channels: 2 not supported!\n"), std::string::npos) << logged;
}

TEST(JpegComponents, ProgressiveReadsLikeBaseline) {
  const auto samples = gradient(40, 30, 3);
  JpegSpec s = spec(40, 30, 3);
  ImageBuffer baseline, progressive;
  ASSERT_TRUE(decode(testimg::jpeg_encode(s, samples), baseline));
  s.progressive = true;
  const auto bytes = testimg::jpeg_encode(s, samples);
  ASSERT_GT(testimg::jpeg_count_scans(bytes), 1);
  ASSERT_TRUE(decode(bytes, progressive));
  expect_close(progressive, samples, 3, 6);
}

TEST(JpegColourKey, NeverKeyed) {
  // Solid R 255, G 0, B 128: the sprite key colour (up to compression error).
  std::vector<uint8_t> samples;
  for (int i = 0; i < 16 * 16; ++i) samples.insert(samples.end(), {255, 0, 128});
  const std::string dir = testimg::make_temp_dir();
  const std::string path =
      testimg::write_file(dir, "key.jpg", testimg::jpeg_encode(spec(16, 16, 3), samples));
  ImageBuffer img;
  ASSERT_TRUE(image_read_any(path.c_str(), kSpriteKey, true, img));
  for (int i = 0; i < 256; ++i) EXPECT_EQ(pixel(img.pixels, 16, i % 16, i / 16)[3], 255);
  testimg::remove_dir(dir);
}

TEST(JpegFiles, OnlyPlainFilesOnDisk) {
  const std::string dir = testimg::make_temp_dir();
  const auto samples = gradient(8, 8, 3);
  const auto bytes = testimg::jpeg_encode(spec(8, 8, 3), samples);
  const std::string path = testimg::write_file(dir, "pic.jpg", bytes);
  ImageBuffer img;
  ASSERT_TRUE(image_read_jpeg(path.c_str(), img));
  expect_close(img, samples, 3, 6);
  std::string backslashed = path;
  backslashed[backslashed.rfind('/')] = '\\';
  EXPECT_TRUE(image_read_jpeg(backslashed.c_str(), img));
  EXPECT_FALSE(image_read_jpeg((dir + "/missing.jpg").c_str(), img));
  EXPECT_EQ(img.width, 0);
  ASSERT_TRUE(std::filesystem::create_directory(dir + "/folder.jpg"));
  EXPECT_FALSE(image_read_jpeg((dir + "/folder.jpg").c_str(), img));
  char name[64];
  std::snprintf(name, sizeof name, "mem://%8x.%8x", static_cast<unsigned>(bytes.size()), 0x1000u);
  EXPECT_FALSE(image_read_jpeg(name, img));
  EXPECT_FALSE(image_read_jpeg(nullptr, img));
  testimg::remove_dir(dir);
}

TEST(JpegRefusal, BrokenHeadersFailWithoutEndingTheProcess) {
  const auto good = testimg::jpeg_encode(spec(32, 32, 3), gradient(32, 32, 3));
  const size_t frame = testimg::jpeg_find_frame_header(good);
  ASSERT_GT(frame, 0u);
  ImageBuffer img;
  for (size_t keep : {size_t{0}, size_t{1}, size_t{2}, size_t{20}, frame + 3}) {
    const std::vector<uint8_t> cut(good.begin(), good.begin() + keep);
    EXPECT_FALSE(decode(cut, img)) << keep;
    EXPECT_EQ(img.width, 0);
  }
  auto bad = good;
  bad[frame + 9] = 7;  // seven components in the frame header
  EXPECT_FALSE(decode(bad, img));
  bad = good;
  bad[frame + 2] = 13;  // 13-bit samples
  EXPECT_FALSE(decode(bad, img));
}

TEST(JpegRefusal, DataCutShortStillGivesTheWholePicture) {
  // The library fills a picture whose scan data ends early and reports a warning, not an error.
  const auto good = testimg::jpeg_encode(spec(64, 64, 3), gradient(64, 64, 3));
  const std::vector<uint8_t> cut(good.begin(), good.begin() + good.size() * 3 / 4);
  ImageBuffer img;
  ASSERT_TRUE(decode(cut, img));
  EXPECT_EQ(img.width, 64);
  EXPECT_EQ(img.height, 64);
}

void set_frame_size(std::vector<uint8_t>& bytes, uint16_t w, uint16_t h) {
  const size_t frame = testimg::jpeg_find_frame_header(bytes);
  ASSERT_GT(frame, 0u);
  bytes[frame + 3] = static_cast<uint8_t>(h >> 8);
  bytes[frame + 4] = static_cast<uint8_t>(h);
  bytes[frame + 5] = static_cast<uint8_t>(w >> 8);
  bytes[frame + 6] = static_cast<uint8_t>(w);
}

TEST(JpegLimits, OversizedPicturesAreRefusedBeforeDecoding) {
  const auto good = testimg::jpeg_encode(spec(16, 16, 1), gradient(16, 16, 1));
  ImageBuffer img;
  auto bytes = good;
  set_frame_size(bytes, 16384, 16);  // at the side limit: decodes (the missing data is filled)
  EXPECT_TRUE(decode(bytes, img));
  EXPECT_EQ(img.width, 16384);
  for (const auto& [w, h] :
       std::vector<std::pair<uint16_t, uint16_t>>{{16385, 16}, {16, 16385}, {8001, 8000}, {65535, 65535}}) {
    bytes = good;
    set_frame_size(bytes, w, h);
    EXPECT_FALSE(decode(bytes, img)) << w << " x " << h;
  }
}

TEST(JpegLimits, TooManyScansAreRefused) {
  const auto samples = gradient(16, 16, 3);
  JpegSpec s = spec(16, 16, 3);
  s.single_bit_scans = true;
  const auto under = testimg::jpeg_encode(s, samples);
  ASSERT_EQ(testimg::jpeg_count_scans(under), 190);
  ImageBuffer img;
  ASSERT_TRUE(decode(under, img));
  expect_close(img, samples, 3, 8);
  s.single_bit_scans = false;
  s.many_scans = true;
  const auto over = testimg::jpeg_encode(s, samples);
  ASSERT_EQ(testimg::jpeg_count_scans(over), 379);
  EXPECT_FALSE(decode(over, img));
  EXPECT_EQ(img.width, 0);
}

}  // namespace
