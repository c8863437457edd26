// The BMP reader on files written byte by byte: every bit depth, both header sizes, both row orders, the
// colour key and the refusals that keep reads inside the file.
#include <gtest/gtest.h>

#include <climits>

#include "engine/media/image.h"
#include "media/image_files_helpers.h"

using testimg::BmpSpec;
using testimg::pixel;
using testimg::Rgb;

namespace {

constexpr int kSpriteKey = 255 + 0 * 256 + 128 * 65536;

const std::vector<Rgb> kPalette16 = {{0, 0, 0},       {255, 255, 255}, {255, 0, 0},     {0, 255, 0},
                                     {0, 0, 255},     {10, 20, 30},    {40, 50, 60},    {70, 80, 90},
                                     {100, 110, 120}, {130, 140, 150}, {160, 170, 180}, {190, 200, 210},
                                     {220, 230, 240}, {1, 2, 3},       {4, 5, 6},       {7, 8, 9}};

// A picture whose every pixel differs from its neighbours, as values for `bits`.
std::vector<uint32_t> pattern(int width, int height, int bits) {
  std::vector<uint32_t> v;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t n = static_cast<uint32_t>(y * 7 + x * 3 + (x * y) % 5);
      if (bits <= 8) v.push_back(n % (bits == 1 ? 2 : 16));
      else if (bits == 16) v.push_back((n * 2654435761u) & 0x7FFF);
      else v.push_back((n * 2654435761u) & 0xFFFFFF);
    }
  }
  return v;
}

std::vector<int> expected_colour(uint32_t value, int bits, const std::vector<Rgb>& palette) {
  if (bits <= 8) {
    const Rgb c = value < palette.size() ? palette[value] : Rgb{};
    return {c.r, c.g, c.b, 255};
  }
  if (bits == 16) {
    const int r = (value >> 10) & 31, g = (value >> 5) & 31, b = value & 31;
    return {r * 255 / 31, g * 255 / 31, b * 255 / 31, 255};
  }
  return {static_cast<int>(value & 255), static_cast<int>((value >> 8) & 255), static_cast<int>(value >> 16),
          255};
}

ImageBuffer decode(const std::vector<uint8_t>& bytes, int key = kNoColorKey) {
  ImageBuffer out;
  EXPECT_TRUE(image_decode_bmp(bytes.data(), bytes.size(), key, out));
  return out;
}

bool refuses(const std::vector<uint8_t>& bytes) {
  ImageBuffer out;
  const bool ok = image_decode_bmp(bytes.data(), bytes.size(), kNoColorKey, out);
  return !ok && out.width == 0 && out.height == 0 && out.pixels.empty();
}

BmpSpec spec_for(int header, int bits, int w, int h) {
  BmpSpec s;
  s.header_size = header;
  s.bits = bits;
  s.width = w;
  s.height = h;
  if (bits <= 8) s.palette.assign(kPalette16.begin(), kPalette16.begin() + (bits == 1 ? 2 : 16));
  return s;
}

struct Depth {
  int header;
  int bits;
};

class BmpEveryDepth : public ::testing::TestWithParam<Depth> {};

TEST_P(BmpEveryDepth, ReadsEveryPixelTopRowFirst) {
  const Depth d = GetParam();
  for (int width : {1, 5, 13, 33}) {
    const BmpSpec s = spec_for(d.header, d.bits, width, 7);
    const auto values = pattern(width, 7, d.bits);
    const ImageBuffer img = decode(testimg::bmp_encode(s, values));
    ASSERT_EQ(img.width, width);
    ASSERT_EQ(img.height, 7);
    ASSERT_EQ(img.pixels.size(), static_cast<size_t>(width) * 7 * 4);
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < width; ++x)
        ASSERT_EQ(pixel(img.pixels, width, x, y), expected_colour(values[y * width + x], d.bits, s.palette))
            << "bits " << d.bits << " width " << width << " at " << x << "," << y;
  }
}

INSTANTIATE_TEST_SUITE_P(Depths, BmpEveryDepth,
                         ::testing::Values(Depth{40, 1}, Depth{40, 4}, Depth{40, 8}, Depth{40, 16},
                                           Depth{40, 24}, Depth{40, 32}, Depth{12, 1}, Depth{12, 4},
                                           Depth{12, 8}, Depth{12, 24}),
                         [](const auto& info) {
                           return "h" + std::to_string(info.param.header) + "_bits" +
                                  std::to_string(info.param.bits);
                         });

// Only the 40-byte header has a signed height.
class BmpRowOrder : public ::testing::TestWithParam<int> {};

TEST_P(BmpRowOrder, TopDownAndBottomUpGiveIdenticalPixels) {
  const int bits = GetParam();
  BmpSpec s = spec_for(40, bits, 11, 6);
  const auto values = pattern(11, 6, bits);
  const auto bottom_up = testimg::bmp_encode(s, values);
  s.top_down = true;
  const auto top_down = testimg::bmp_encode(s, values);
  ASSERT_NE(bottom_up, top_down);  // the rows really are stored in the other order
  EXPECT_EQ(decode(bottom_up).pixels, decode(top_down).pixels);
}

INSTANTIATE_TEST_SUITE_P(Depths, BmpRowOrder, ::testing::Values(1, 4, 8, 16, 24, 32),
                         [](const auto& info) { return "bits" + std::to_string(info.param); });

TEST(BmpReader, OneBitTwelveWideReadsFourBytesPerRow) {
  // 12 pixels of 1 bit: 2 bytes of data and 2 of padding per row; bit 7 is the leftmost pixel.
  const uint8_t rows[2][4] = {{0xA5, 0xF0, 0xEE, 0xEE}, {0x0F, 0x30, 0xEE, 0xEE}};  // bottom row first
  std::vector<uint8_t> bytes(14 + 40 + 8, 0);
  bytes[0] = 'B';
  bytes[1] = 'M';
  testimg::put_u32(bytes, 10, 62);
  testimg::put_u32(bytes, 14, 40);
  testimg::put_u32(bytes, 18, 12);
  testimg::put_u32(bytes, 22, 2);
  testimg::put_u16(bytes, 28, 1);
  const uint8_t palette[8] = {0, 0, 0, 0, 255, 255, 255, 0};
  std::copy(palette, palette + 8, bytes.begin() + 54);
  for (const auto& row : rows) bytes.insert(bytes.end(), row, row + 4);
  testimg::put_u32(bytes, 2, static_cast<uint32_t>(bytes.size()));

  const ImageBuffer img = decode(bytes);
  ASSERT_EQ(img.width, 12);
  ASSERT_EQ(img.height, 2);
  const char* top = "000011110011";     // 0x0F 0x30
  const char* bottom = "101001011111";  // 0xA5 0xF0
  for (int x = 0; x < 12; ++x) {
    const int t = top[x] == '1' ? 255 : 0, b = bottom[x] == '1' ? 255 : 0;
    EXPECT_EQ(pixel(img.pixels, 12, x, 0), (std::vector<int>{t, t, t, 255})) << x;
    EXPECT_EQ(pixel(img.pixels, 12, x, 1), (std::vector<int>{b, b, b, 255})) << x;
  }
  // Without the last row's padding the pixel data runs past the end of the file.
  bytes.pop_back();
  EXPECT_TRUE(refuses(bytes));
}

TEST(BmpReader, FourBitHighNibbleIsLeftmost) {
  BmpSpec s = spec_for(40, 4, 3, 1);
  auto bytes = testimg::bmp_encode(s, {0, 0, 0});
  const size_t offset = 14 + 40 + 16 * 4;
  bytes[offset] = 0x21;  // pixel 0 = entry 2 (red), pixel 1 = entry 1 (white)
  bytes[offset + 1] = 0x40;
  const ImageBuffer img = decode(bytes);
  EXPECT_EQ(pixel(img.pixels, 3, 0, 0), (std::vector<int>{255, 0, 0, 255}));
  EXPECT_EQ(pixel(img.pixels, 3, 1, 0), (std::vector<int>{255, 255, 255, 255}));
  EXPECT_EQ(pixel(img.pixels, 3, 2, 0), (std::vector<int>{0, 0, 255, 255}));
}

TEST(BmpReader, SixteenBitsAreFiveFiveFiveScaledToFullRange) {
  const BmpSpec s = spec_for(40, 16, 6, 1);
  const ImageBuffer img = decode(testimg::bmp_encode(s, {0x7C00, 0x03E0, 0x001F, 0x0421, 0x4210, 0xFFFF}));
  EXPECT_EQ(pixel(img.pixels, 6, 0, 0), (std::vector<int>{255, 0, 0, 255}));
  EXPECT_EQ(pixel(img.pixels, 6, 1, 0), (std::vector<int>{0, 255, 0, 255}));
  EXPECT_EQ(pixel(img.pixels, 6, 2, 0), (std::vector<int>{0, 0, 255, 255}));
  EXPECT_EQ(pixel(img.pixels, 6, 3, 0), (std::vector<int>{8, 8, 8, 255}));        // 1 * 255 / 31
  EXPECT_EQ(pixel(img.pixels, 6, 4, 0), (std::vector<int>{131, 131, 131, 255}));  // 16 * 255 / 31
  EXPECT_EQ(pixel(img.pixels, 6, 5, 0), (std::vector<int>{255, 255, 255, 255}));  // top bit ignored
}

TEST(BmpReader, ThirtyTwoBitsIgnoreTheFourthByte) {
  BmpSpec s = spec_for(40, 32, 2, 1);
  s.fourth_byte = 7;
  const ImageBuffer img = decode(testimg::bmp_encode(s, {0x332211, 0x665544}));
  EXPECT_EQ(pixel(img.pixels, 2, 0, 0), (std::vector<int>{0x11, 0x22, 0x33, 255}));
  EXPECT_EQ(pixel(img.pixels, 2, 1, 0), (std::vector<int>{0x44, 0x55, 0x66, 255}));
}

TEST(BmpColourKey, KeyColourBecomesFullyTransparent) {
  const BmpSpec s = spec_for(40, 24, 3, 1);
  const auto bytes = testimg::bmp_encode(s, {0x8000FFu, 0x8000FEu, 0x8000FFu});
  const ImageBuffer keyed = decode(bytes, kSpriteKey);
  EXPECT_EQ(pixel(keyed.pixels, 3, 0, 0), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(pixel(keyed.pixels, 3, 1, 0), (std::vector<int>{254, 0, 128, 255}));  // one step off: kept
  EXPECT_EQ(pixel(keyed.pixels, 3, 2, 0), (std::vector<int>{0, 0, 0, 0}));

  const ImageBuffer unkeyed = decode(bytes, kNoColorKey);
  EXPECT_EQ(pixel(unkeyed.pixels, 3, 0, 0), (std::vector<int>{255, 0, 128, 255}));
}

TEST(BmpColourKey, AppliesToPaletteColoursAndBlack) {
  BmpSpec s = spec_for(40, 8, 3, 1);
  s.palette = {{255, 0, 128}, {0, 0, 0}, {1, 0, 0}};
  const auto bytes = testimg::bmp_encode(s, {0, 1, 2});
  const ImageBuffer sprite = decode(bytes, kSpriteKey);
  EXPECT_EQ(pixel(sprite.pixels, 3, 0, 0), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(pixel(sprite.pixels, 3, 1, 0), (std::vector<int>{0, 0, 0, 255}));
  const ImageBuffer font = decode(bytes, 0);  // the font key: black
  EXPECT_EQ(pixel(font.pixels, 3, 0, 0), (std::vector<int>{255, 0, 128, 255}));
  EXPECT_EQ(pixel(font.pixels, 3, 1, 0), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(pixel(font.pixels, 3, 2, 0), (std::vector<int>{1, 0, 0, 255}));
}

TEST(BmpPalette, IndexesBeyondThePaletteReadAsBlack) {
  BmpSpec s = spec_for(40, 8, 4, 1);
  s.palette = {{9, 9, 9}, {200, 100, 50}};
  const ImageBuffer img = decode(testimg::bmp_encode(s, {1, 2, 255, 0}));
  EXPECT_EQ(pixel(img.pixels, 4, 0, 0), (std::vector<int>{200, 100, 50, 255}));
  EXPECT_EQ(pixel(img.pixels, 4, 1, 0), (std::vector<int>{0, 0, 0, 255}));
  EXPECT_EQ(pixel(img.pixels, 4, 2, 0), (std::vector<int>{0, 0, 0, 255}));
  EXPECT_EQ(pixel(img.pixels, 4, 3, 0), (std::vector<int>{9, 9, 9, 255}));
}

TEST(BmpPalette, CoreHeaderPaletteCutShortByThePixelOffset) {
  // A 12-byte header expects 256 three-byte entries for 8 bits; this file holds only two before its
  // pixel data, so the pixel bytes are not taken for palette entries.
  BmpSpec s = spec_for(12, 8, 3, 1);
  s.palette = {{10, 20, 30}, {40, 50, 60}};
  const ImageBuffer img = decode(testimg::bmp_encode(s, {0, 1, 2}));
  EXPECT_EQ(pixel(img.pixels, 3, 0, 0), (std::vector<int>{10, 20, 30, 255}));
  EXPECT_EQ(pixel(img.pixels, 3, 1, 0), (std::vector<int>{40, 50, 60, 255}));
  EXPECT_EQ(pixel(img.pixels, 3, 2, 0), (std::vector<int>{0, 0, 0, 255}));
}

TEST(BmpRefusal, WrongSignatureHeaderSizeOrBitCount) {
  const auto good = testimg::bmp_encode(spec_for(40, 24, 2, 2), pattern(2, 2, 24));
  ASSERT_FALSE(refuses(good));
  auto bad = good;
  bad[1] = 'A';
  EXPECT_TRUE(refuses(bad));
  for (uint32_t header : {0u, 16u, 64u, 108u, 124u}) {
    bad = good;
    testimg::put_u32(bad, 14, header);
    EXPECT_TRUE(refuses(bad)) << header;
  }
  for (uint16_t bits : {0, 2, 3, 15, 48, 64}) {
    bad = good;
    testimg::put_u16(bad, 28, bits);
    EXPECT_TRUE(refuses(bad)) << bits;
  }
}

TEST(BmpRefusal, TruncatedFiles) {
  const auto good = testimg::bmp_encode(spec_for(40, 8, 9, 9), pattern(9, 9, 8));
  EXPECT_TRUE(refuses({}));
  for (size_t keep :
       {size_t{1}, size_t{2}, size_t{14}, size_t{17}, size_t{30}, size_t{54}, good.size() - 1}) {
    const std::vector<uint8_t> cut(good.begin(), good.begin() + keep);
    EXPECT_TRUE(refuses(cut)) << keep;
  }
  ImageBuffer out;
  EXPECT_FALSE(image_decode_bmp(nullptr, 0, kNoColorKey, out));
}

TEST(BmpRefusal, PixelDataBeyondTheFile) {
  auto bytes = testimg::bmp_encode(spec_for(40, 24, 4, 4), pattern(4, 4, 24));
  testimg::put_u32(bytes, 10, static_cast<uint32_t>(bytes.size()));  // offset at the very end
  EXPECT_TRUE(refuses(bytes));
  testimg::put_u32(bytes, 10, 0xFFFFFFF0u);  // offset far past the end
  EXPECT_TRUE(refuses(bytes));
  bytes = testimg::bmp_encode(spec_for(40, 24, 4, 4), pattern(4, 4, 24));
  testimg::put_u32(bytes, 22, 5);  // one row more than the file holds
  EXPECT_TRUE(refuses(bytes));
  testimg::put_u32(bytes, 10, 20);  // pixel data inside the header
  EXPECT_TRUE(refuses(bytes));
}

TEST(BmpRefusal, EmptyNegativeAndExtremeSizes) {
  const auto good = testimg::bmp_encode(spec_for(40, 24, 2, 2), pattern(2, 2, 24));
  const std::vector<std::pair<uint32_t, uint32_t>> sizes = {
      {0, 2},           {2, 0},           {static_cast<uint32_t>(-2), 2},
      {0x80000000u, 2}, {2, 0x80000000u}, {0x7FFFFFFFu, 0x7FFFFFFFu}};
  for (const auto& [w, h] : sizes) {
    auto bad = good;
    testimg::put_u32(bad, 18, w);
    testimg::put_u32(bad, 22, h);
    EXPECT_TRUE(refuses(bad)) << w << " x " << h;
  }
}

// A 1-bit picture of the given size with all of its pixel data present.
std::vector<uint8_t> blank_one_bit(int width, int height) {
  auto bytes = testimg::bmp_encode(spec_for(40, 1, 1, 1), {1});
  const size_t offset = bytes.size() - 4;
  bytes.resize(offset + testimg::bmp_stride(width, 1) * height, 0xFF);
  testimg::put_u32(bytes, 2, static_cast<uint32_t>(bytes.size()));
  testimg::put_u32(bytes, 18, static_cast<uint32_t>(width));
  testimg::put_u32(bytes, 22, static_cast<uint32_t>(height));
  return bytes;
}

TEST(BmpLimits, SidesUpTo16384Pixels) {
  ImageBuffer out;
  auto bytes = blank_one_bit(16384, 1);
  EXPECT_TRUE(image_decode_bmp(bytes.data(), bytes.size(), kNoColorKey, out));
  EXPECT_EQ(out.width, 16384);
  EXPECT_TRUE(refuses(blank_one_bit(16385, 1)));
  bytes = blank_one_bit(1, 16384);
  EXPECT_TRUE(image_decode_bmp(bytes.data(), bytes.size(), kNoColorKey, out));
  EXPECT_EQ(out.height, 16384);
  EXPECT_TRUE(refuses(blank_one_bit(1, 16385)));
  // Top-down at the same sizes.
  bytes = blank_one_bit(1, 16385);
  testimg::put_u32(bytes, 22, static_cast<uint32_t>(-16385));
  EXPECT_TRUE(refuses(bytes));
}

TEST(BmpLimits, AtMostSixtyFourMillionPixels) {
  // 8001 x 8000 is within both side limits but over the pixel limit; the file holds all its data.
  EXPECT_TRUE(refuses(blank_one_bit(8001, 8000)));
}

TEST(BmpReader, FailureEmptiesThePreviousPicture) {
  ImageBuffer out;
  const auto good = testimg::bmp_encode(spec_for(40, 24, 3, 3), pattern(3, 3, 24));
  ASSERT_TRUE(image_decode_bmp(good.data(), good.size(), kNoColorKey, out));
  const std::vector<uint8_t> cut(good.begin(), good.begin() + 40);
  EXPECT_FALSE(image_decode_bmp(cut.data(), cut.size(), kNoColorKey, out));
  EXPECT_EQ(out.width, 0);
  EXPECT_EQ(out.height, 0);
  EXPECT_TRUE(out.pixels.empty());
}

TEST(BmpReader, ReusesALargeEnoughPixelBlock) {
  ImageBuffer out;
  const auto big = testimg::bmp_encode(spec_for(40, 24, 20, 20), pattern(20, 20, 24));
  const auto small = testimg::bmp_encode(spec_for(40, 24, 3, 2), pattern(3, 2, 24));
  ASSERT_TRUE(image_decode_bmp(big.data(), big.size(), kNoColorKey, out));
  const uint8_t* block = out.pixels.data();
  ASSERT_TRUE(image_decode_bmp(small.data(), small.size(), kNoColorKey, out));
  EXPECT_EQ(out.pixels.data(), block);
  EXPECT_EQ(out.pixels.size(), 3u * 2 * 4);
  EXPECT_EQ(pixel(out.pixels, 3, 2, 1), expected_colour(pattern(3, 2, 24)[5], 24, {}));
}

TEST(BmpReader, ReadsFilesByPath) {
  const std::string dir = testimg::make_temp_dir();
  const auto values = pattern(5, 4, 8);
  const auto bytes = testimg::bmp_encode(spec_for(40, 8, 5, 4), values);
  const std::string path = testimg::write_file(dir, "pic.bmp", bytes);
  ImageBuffer from_file;
  EXPECT_TRUE(image_read_bmp(path.c_str(), kNoColorKey, from_file));
  EXPECT_EQ(from_file.pixels, decode(bytes).pixels);
  // Either separator names the same file.
  std::string backslashed = path;
  backslashed[backslashed.rfind('/')] = '\\';
  EXPECT_TRUE(image_read_bmp(backslashed.c_str(), kNoColorKey, from_file));
  EXPECT_FALSE(image_read_bmp((dir + "/missing.bmp").c_str(), kNoColorKey, from_file));
  EXPECT_EQ(from_file.width, 0);
  testimg::remove_dir(dir);
}

}  // namespace
