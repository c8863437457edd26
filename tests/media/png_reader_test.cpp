// The PNG reader on files made by libpng's writer: the layouts it converts, the ones it refuses (with and
// without a message), the colour key, broken and oversized files.
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include "engine/media/image.h"
#include "engine/media/png_format_check.h"
#include "media/image_files_helpers.h"

using testimg::pixel;
using testimg::PngSpec;

namespace {

constexpr int kSpriteKey = 255 + 0 * 256 + 128 * 65536;
using Px = std::vector<int>;

PngSpec spec(int w, int h, int color_type, int depth = 8) {
  PngSpec s;
  s.width = w;
  s.height = h;
  s.color_type = color_type;
  s.bit_depth = depth;
  return s;
}

// Decodes while capturing standard output; `printed` receives what the reader wrote.
bool decode(const std::vector<uint8_t>& bytes, ImageBuffer& out, std::string* printed = nullptr,
            int key = kNoColorKey, const char* name = "test.png") {
  testing::internal::CaptureStdout();
  const bool ok = image_decode_png(bytes.data(), bytes.size(), name, key, out);
  const std::string text = testing::internal::GetCapturedStdout();
  if (printed) *printed = text;
  return ok;
}

TEST(PngLayouts, GreyEightBits) {
  ImageBuffer img;
  std::string printed;
  ASSERT_TRUE(decode(testimg::png_encode(spec(3, 2, PNG_COLOR_TYPE_GRAY), {0, 1, 127, 128, 254, 255}), img,
                     &printed));
  EXPECT_EQ(printed, "");
  ASSERT_EQ(img.width, 3);
  ASSERT_EQ(img.height, 2);
  EXPECT_EQ(pixel(img.pixels, 3, 0, 0), (Px{0, 0, 0, 255}));
  EXPECT_EQ(pixel(img.pixels, 3, 2, 0), (Px{127, 127, 127, 255}));
  EXPECT_EQ(pixel(img.pixels, 3, 0, 1), (Px{128, 128, 128, 255}));
  EXPECT_EQ(pixel(img.pixels, 3, 2, 1), (Px{255, 255, 255, 255}));
}

TEST(PngLayouts, LowBitGreyIsScaledToEightBits) {
  // 1, 2 and 4 bits: the largest sample is white, one step is 255, 85 and 17.
  const std::vector<std::pair<int, int>> depth_step = {{1, 255}, {2, 85}, {4, 17}};
  for (const auto& [depth, step] : depth_step) {
    const int top = (1 << depth) - 1;
    ImageBuffer img;
    std::string printed;
    // 9 pixels wide so that rows end part-way through a byte.
    std::vector<uint16_t> samples(9 * 2);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<uint16_t>(i % (top + 1));
    ASSERT_TRUE(decode(testimg::png_encode(spec(9, 2, PNG_COLOR_TYPE_GRAY, depth), samples), img, &printed))
        << depth;
    EXPECT_EQ(printed, "");
    for (int i = 0; i < 18; ++i) {
      const int v = samples[i] * step;
      EXPECT_EQ(pixel(img.pixels, 9, i % 9, i / 9), (Px{v, v, v, 255}))
          << "depth " << depth << " sample " << i;
    }
  }
}

TEST(PngLayouts, RgbIsOpaqueAndKeyed) {
  const auto bytes = testimg::png_encode(spec(3, 1, PNG_COLOR_TYPE_RGB), {255, 0, 128, 255, 0, 127, 1, 2, 3});
  ImageBuffer img;
  ASSERT_TRUE(decode(bytes, img, nullptr, kSpriteKey));
  EXPECT_EQ(pixel(img.pixels, 3, 0, 0), (Px{0, 0, 0, 0}));
  EXPECT_EQ(pixel(img.pixels, 3, 1, 0), (Px{255, 0, 127, 255}));
  EXPECT_EQ(pixel(img.pixels, 3, 2, 0), (Px{1, 2, 3, 255}));
  ASSERT_TRUE(decode(bytes, img, nullptr, kNoColorKey));
  EXPECT_EQ(pixel(img.pixels, 3, 0, 0), (Px{255, 0, 128, 255}));
}

TEST(PngLayouts, RgbaIsCopiedAndNeverKeyed) {
  const auto bytes =
      testimg::png_encode(spec(2, 1, PNG_COLOR_TYPE_RGB_ALPHA), {255, 0, 128, 200, 9, 8, 7, 0});
  ImageBuffer img;
  ASSERT_TRUE(decode(bytes, img, nullptr, kSpriteKey));
  EXPECT_EQ(pixel(img.pixels, 2, 0, 0), (Px{255, 0, 128, 200}));
  EXPECT_EQ(pixel(img.pixels, 2, 1, 0), (Px{9, 8, 7, 0}));
}

TEST(PngLayouts, GreyIsNeverKeyed) {
  ImageBuffer img;
  ASSERT_TRUE(decode(testimg::png_encode(spec(1, 1, PNG_COLOR_TYPE_GRAY), {0}), img, nullptr, 0));
  EXPECT_EQ(pixel(img.pixels, 1, 0, 0), (Px{0, 0, 0, 255}));
}

TEST(PngLayouts, PaletteExpandsToRgbAndTakesTheKey) {
  PngSpec s = spec(4, 1, PNG_COLOR_TYPE_PALETTE);
  s.palette = {{10, 20, 30}, {255, 0, 128}, {200, 201, 202}};
  ImageBuffer img;
  ASSERT_TRUE(decode(testimg::png_encode(s, {0, 1, 2, 1}), img, nullptr, kSpriteKey));
  EXPECT_EQ(pixel(img.pixels, 4, 0, 0), (Px{10, 20, 30, 255}));
  EXPECT_EQ(pixel(img.pixels, 4, 1, 0), (Px{0, 0, 0, 0}));
  EXPECT_EQ(pixel(img.pixels, 4, 2, 0), (Px{200, 201, 202, 255}));
  EXPECT_EQ(pixel(img.pixels, 4, 3, 0), (Px{0, 0, 0, 0}));
}

TEST(PngLayouts, PaletteWithTransparencyGetsAlpha) {
  PngSpec s = spec(3, 1, PNG_COLOR_TYPE_PALETTE, 4);
  s.palette = {{10, 20, 30}, {255, 0, 128}, {200, 201, 202}};
  s.trns = {0, 77};  // entry 2 has no alpha of its own: opaque
  ImageBuffer img;
  ASSERT_TRUE(decode(testimg::png_encode(s, {0, 1, 2}), img, nullptr, kSpriteKey));
  EXPECT_EQ(pixel(img.pixels, 3, 0, 0), (Px{10, 20, 30, 0}));
  EXPECT_EQ(pixel(img.pixels, 3, 1, 0), (Px{255, 0, 128, 77}));  // four channels: no key
  EXPECT_EQ(pixel(img.pixels, 3, 2, 0), (Px{200, 201, 202, 255}));
}

TEST(PngLayouts, RgbTransparentColourBecomesAlpha) {
  PngSpec s = spec(2, 1, PNG_COLOR_TYPE_RGB);
  s.trns = {5, 6, 7};
  ImageBuffer img;
  ASSERT_TRUE(decode(testimg::png_encode(s, {5, 6, 7, 8, 9, 10}), img));
  EXPECT_EQ(pixel(img.pixels, 2, 0, 0), (Px{5, 6, 7, 0}));
  EXPECT_EQ(pixel(img.pixels, 2, 1, 0), (Px{8, 9, 10, 255}));
}

TEST(PngLayouts, SixteenBitSamplesKeepTheirHighByte) {
  ImageBuffer img;
  std::string printed;
  ASSERT_TRUE(decode(testimg::png_encode(spec(2, 1, PNG_COLOR_TYPE_RGB, 16),
                                         {0xFF00, 0x0080, 0x80FF, 0x1234, 0xABCD, 0x00FF}),
                     img, &printed));
  EXPECT_EQ(printed, "");  // converted to 8 bits, so no bit-depth message
  EXPECT_EQ(pixel(img.pixels, 2, 0, 0)[3], 255);
  const Px first = pixel(img.pixels, 2, 0, 0), second = pixel(img.pixels, 2, 1, 0);
  // Stripping may round; each channel lands on the high byte or one above it.
  const int want[6] = {0xFF, 0x00, 0x80, 0x12, 0xAB, 0x00};
  for (int c = 0; c < 3; ++c) {
    EXPECT_NEAR(first[c], want[c], 1);
    EXPECT_NEAR(second[c], want[3 + c], 1);
  }
  ASSERT_TRUE(decode(
      testimg::png_encode(spec(1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16), {0x4000, 0x8000, 0xC000, 0x2000}), img));
  const Px rgba = pixel(img.pixels, 1, 0, 0);
  EXPECT_EQ(rgba, (Px{0x40, 0x80, 0xC0, 0x20}));
}

TEST(PngLayouts, InterlacedReadsLikeNonInterlaced) {
  PngSpec s = spec(13, 11, PNG_COLOR_TYPE_RGB_ALPHA);
  std::vector<uint16_t> samples;
  for (int i = 0; i < 13 * 11 * 4; ++i) samples.push_back(static_cast<uint16_t>((i * 37) & 255));
  ImageBuffer plain, interlaced;
  ASSERT_TRUE(decode(testimg::png_encode(s, samples), plain));
  s.interlaced = true;
  ASSERT_TRUE(decode(testimg::png_encode(s, samples), interlaced));
  EXPECT_EQ(plain.pixels, interlaced.pixels);
  EXPECT_EQ(pixel(plain.pixels, 13, 12, 10), (Px{samples[568], samples[569], samples[570], samples[571]}));
}

TEST(PngRefusal, GreyWithAlphaFailsWithoutAMessage) {
  for (int depth : {8, 16}) {
    ImageBuffer img;
    std::string printed = "unset";
    EXPECT_FALSE(decode(
        testimg::png_encode(spec(2, 2, PNG_COLOR_TYPE_GRAY_ALPHA, depth), std::vector<uint16_t>(8, 100)), img,
        &printed));
    EXPECT_EQ(printed, "");
    EXPECT_EQ(img.width, 0);
    EXPECT_TRUE(img.pixels.empty());
  }
  // Grey with a transparent grey level also becomes grey and alpha.
  PngSpec s = spec(2, 1, PNG_COLOR_TYPE_GRAY);
  s.trns = {3};
  ImageBuffer img;
  std::string printed = "unset";
  EXPECT_FALSE(decode(testimg::png_encode(s, {3, 4}), img, &printed));
  EXPECT_EQ(printed, "");
}

TEST(PngFormatCheck, BitDepthMessage) {
  testing::internal::CaptureStdout();
  EXPECT_FALSE(png_format_supported("pics/a.png", 3, 16, PNG_COLOR_TYPE_RGB));
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "File pics/a.png has bit depth 16.\nOnly bit depth of 8 is supported.\n");
  testing::internal::CaptureStdout();
  EXPECT_FALSE(png_format_supported("b.png", 1, 4, PNG_COLOR_TYPE_GRAY));
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "File b.png has bit depth 4.\nOnly bit depth of 8 is supported.\n");
}

TEST(PngFormatCheck, ColourTypeMessage) {
  testing::internal::CaptureStdout();
  EXPECT_FALSE(png_format_supported("c.png", 1, 8, PNG_COLOR_TYPE_PALETTE));
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "File c.png has unsupported color type.\nTypes GRAY, RGB and RGB_ALPHA are supported.\n");
}

TEST(PngFormatCheck, AcceptedLayoutsAndSilentChannelRefusal) {
  testing::internal::CaptureStdout();
  EXPECT_TRUE(png_format_supported("d.png", 1, 8, PNG_COLOR_TYPE_GRAY));
  EXPECT_TRUE(png_format_supported("d.png", 3, 8, PNG_COLOR_TYPE_RGB));
  EXPECT_TRUE(png_format_supported("d.png", 4, 8, PNG_COLOR_TYPE_RGB_ALPHA));
  EXPECT_FALSE(png_format_supported("d.png", 2, 8, PNG_COLOR_TYPE_GRAY_ALPHA));
  EXPECT_FALSE(png_format_supported("d.png", 2, 16, PNG_COLOR_TYPE_GRAY_ALPHA));  // channels come first
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(PngRefusal, SignatureIsBytesOneToThree) {
  const auto good = testimg::png_encode(spec(1, 1, PNG_COLOR_TYPE_GRAY), {9});
  ImageBuffer img;
  auto bad = good;
  bad[2] = 'X';
  EXPECT_FALSE(decode(bad, img));
  bad = good;
  bad[0] = 'x';  // passes the reader's own check, the library's signature check refuses it
  EXPECT_FALSE(decode(bad, img));
  const std::vector<uint8_t> only_name = {'x', 'P', 'N', 'G', 1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_FALSE(decode(only_name, img));
  EXPECT_FALSE(image_decode_png(nullptr, 0, "n.png", kNoColorKey, img));
}

TEST(PngRefusal, TruncatedFiles) {
  std::vector<uint16_t> samples;
  for (int i = 0; i < 40 * 40 * 3; ++i) samples.push_back(static_cast<uint16_t>((i * 7919) & 255));
  const auto good = testimg::png_encode(spec(40, 40, PNG_COLOR_TYPE_RGB), samples);
  ImageBuffer img;
  ASSERT_TRUE(decode(good, img));
  for (size_t keep : {size_t{4}, size_t{8}, size_t{20}, size_t{33}, good.size() / 2, good.size() - 20}) {
    const std::vector<uint8_t> cut(good.begin(), good.begin() + keep);
    EXPECT_FALSE(decode(cut, img)) << keep;
    EXPECT_EQ(img.width, 0);
  }
}

TEST(PngRefusal, CorruptImageData) {
  std::vector<uint16_t> samples(30 * 30, 77);
  auto bytes = testimg::png_encode(spec(30, 30, PNG_COLOR_TYPE_GRAY), samples);
  // Damage the IDAT payload: the checksum no longer matches.
  for (size_t i = 0; i + 8 < bytes.size(); ++i) {
    if (std::equal(bytes.begin() + i, bytes.begin() + i + 4, "IDAT")) {
      bytes[i + 6] ^= 0x55;
      break;
    }
  }
  ImageBuffer img;
  EXPECT_FALSE(decode(bytes, img));
}

TEST(PngLimits, OversizedPicturesAreRefused) {
  ImageBuffer img;
  std::vector<uint16_t> row(16384, 1);
  ASSERT_TRUE(decode(testimg::png_encode(spec(16384, 1, PNG_COLOR_TYPE_GRAY, 1), row), img));
  EXPECT_EQ(img.width, 16384);
  row.push_back(1);
  EXPECT_FALSE(decode(testimg::png_encode(spec(16385, 1, PNG_COLOR_TYPE_GRAY, 1), row), img));
  EXPECT_FALSE(decode(testimg::png_encode(spec(1, 16385, PNG_COLOR_TYPE_GRAY, 1), row), img));
  // Within both side limits, over the pixel limit: the header says 8001 x 8000.
  auto bytes = testimg::png_encode(spec(8, 8, PNG_COLOR_TYPE_GRAY, 1), std::vector<uint16_t>(64, 0));
  const uint32_t w = 8001, h = 8000;
  for (int i = 0; i < 4; ++i) {
    bytes[16 + i] = static_cast<uint8_t>(w >> (24 - 8 * i));
    bytes[20 + i] = static_cast<uint8_t>(h >> (24 - 8 * i));
  }
  // Fix the header's checksum so the refusal comes from the size, not the checksum.
  const uint32_t crc = static_cast<uint32_t>(crc32(0, bytes.data() + 12, 17));
  for (int i = 0; i < 4; ++i) bytes[29 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
  EXPECT_FALSE(decode(bytes, img));
}

TEST(PngReader, ReadsFilesByPathAndNamesThemInMessages) {
  const std::string dir = testimg::make_temp_dir();
  const auto bytes = testimg::png_encode(spec(2, 1, PNG_COLOR_TYPE_RGB), {1, 2, 3, 4, 5, 6});
  const std::string path = testimg::write_file(dir, "pic.png", bytes);
  ImageBuffer from_file, from_memory;
  EXPECT_TRUE(image_read_png(path.c_str(), kNoColorKey, from_file));
  ASSERT_TRUE(decode(bytes, from_memory));
  EXPECT_EQ(from_file.pixels, from_memory.pixels);
  EXPECT_FALSE(image_read_png((dir + "/missing.png").c_str(), kNoColorKey, from_file));
  EXPECT_EQ(from_file.width, 0);
  testimg::remove_dir(dir);
}

}  // namespace
