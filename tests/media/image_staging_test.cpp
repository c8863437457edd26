// Pixel preparation for textures: sizes, orientation, edge fill and the mip reduction.
#include <gtest/gtest.h>

#include "engine/media/image_staging.h"
#include "tests/media/gl_fixture.h"

namespace {
Rgba texel(const std::vector<uint8_t>& block, int tw, int x, int y) {
  const uint8_t* p = block.data() + (static_cast<size_t>(y) * tw + x) * 4;
  return Rgba{p[0], p[1], p[2], p[3]};
}
}  // namespace

TEST(TextureSide, PowersOfTwoFromSixteen) {
  EXPECT_EQ(texture_side(0), 16);
  EXPECT_EQ(texture_side(1), 16);
  EXPECT_EQ(texture_side(16), 16);
  EXPECT_EQ(texture_side(17), 32);
  EXPECT_EQ(texture_side(100), 128);
  EXPECT_EQ(texture_side(512), 512);
  EXPECT_EQ(texture_side(513), 1024);
}

TEST(StageRegion, BottomImageRowLandsInTextureRowZero) {
  const ImageBuffer image = make_image(3, 2, [](int x, int y) {
    return Rgba{static_cast<uint8_t>(x), static_cast<uint8_t>(y), 7, 255};
  });
  std::vector<uint8_t> block;
  stage_region(image, 0, 0, 3, 2, 16, 16, block);
  ASSERT_EQ(block.size(), 16u * 16u * 4u);
  EXPECT_EQ(texel(block, 16, 0, 0), (Rgba{0, 1, 7, 255}));  // image row 1 (bottom)
  EXPECT_EQ(texel(block, 16, 2, 1), (Rgba{2, 0, 7, 255}));  // image row 0 (top)
  EXPECT_EQ(texel(block, 16, 3, 0), kClear);                // padding column
  EXPECT_EQ(texel(block, 16, 0, 2), kClear);                // padding row
}

TEST(StageRegion, RegionBeyondPictureStaysTransparent) {
  const ImageBuffer image = solid_image(20, 10, kRed);
  std::vector<uint8_t> block;
  // A 16 x 16 tile at (16, 0): 4 columns and 10 rows of picture, rest empty; rows counted from
  // the tile's own height.
  stage_region(image, 16, 0, 16, 16, 16, 16, block);
  EXPECT_EQ(texel(block, 16, 0, 15), kRed);  // tile's top-left
  EXPECT_EQ(texel(block, 16, 3, 6), kRed);   // picture row 9
  EXPECT_EQ(texel(block, 16, 4, 15), kClear);
  EXPECT_EQ(texel(block, 16, 0, 5), kClear);  // below the picture's last row
}

// The picture turned into its texture block in place gives the block a staging copy would: wider and
// narrower strides, cut sides, a picture already of a texture's size; no reallocation when its
// capacity holds the block.
TEST(StageInPlace, GivesTheBlockOfAStagingCopyWithoutASecondOne) {
  struct Case {
    int width, height, w, h, tw, th;
  };
  const Case cases[] = {
      {3, 2, 3, 2, 16, 16},   {20, 17, 20, 17, 32, 32}, {16, 16, 16, 16, 16, 16},
      {40, 9, 16, 9, 16, 16}, {33, 40, 32, 32, 32, 32}, {5, 31, 5, 30, 16, 32},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " as " << c.w << " x " << c.h);
    const ImageBuffer image = make_image(c.width, c.height, [](int x, int y) {
      return Rgba{static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>(x ^ y), 255};
    });
    std::vector<uint8_t> expected;
    stage_region(image, 0, 0, c.w, c.h, c.tw, c.th, expected);
    ImageBuffer staged = image;
    staged.pixels.reserve(static_cast<size_t>(c.tw) * c.th * 4);
    const uint8_t* block = staged.pixels.data();
    stage_in_place(staged, c.w, c.h, c.tw, c.th);
    EXPECT_EQ(staged.pixels, expected);
    EXPECT_EQ(staged.pixels.data(), block);
    EXPECT_EQ(staged.width, c.tw);
    EXPECT_EQ(staged.height, c.th);
  }
}

TEST(EdgeFill, TransparentTexelsTakeAverageOfVisibleNeighbours) {
  std::vector<uint8_t> block(16 * 16 * 4, 0);
  auto set = [&](int x, int y, Rgba c) {
    uint8_t* p = block.data() + (static_cast<size_t>(y) * 16 + x) * 4;
    p[0] = c.r, p[1] = c.g, p[2] = c.b, p[3] = c.a;
  };
  set(5, 5, Rgba{200, 100, 0, 255});
  set(6, 5, Rgba{100, 0, 51, 255});
  edge_fill(block, 16, 16);
  // (5, 6) sees both: average, alpha stays 0.
  EXPECT_EQ(texel(block, 16, 5, 6), (Rgba{150, 50, 25, 0}));
  // (4, 5) sees only (5, 5).
  EXPECT_EQ(texel(block, 16, 4, 5), (Rgba{200, 100, 0, 0}));
  // Visible texels are untouched, far texels stay black.
  EXPECT_EQ(texel(block, 16, 5, 5), (Rgba{200, 100, 0, 255}));
  EXPECT_EQ(texel(block, 16, 10, 10), kClear);
}

TEST(EdgeFill, NeighboursOnTheBorderDoNotCount) {
  std::vector<uint8_t> block(16 * 16 * 4, 0);
  uint8_t* corner = block.data();  // texel (0, 0)
  corner[0] = 255, corner[3] = 255;
  edge_fill(block, 16, 16);
  EXPECT_EQ(texel(block, 16, 1, 1), kClear);
  EXPECT_EQ(texel(block, 16, 0, 0), (Rgba{255, 0, 0, 255}));
}

TEST(MipReduction, WideBlockIsHalvedToASquare) {
  std::vector<uint8_t> block(4 * 1 * 4, 0);
  const uint8_t values[4] = {10, 20, 100, 201};
  for (int x = 0; x < 4; ++x) block[x * 4] = values[x];
  int w = 4, h = 1;
  mip_make_square(block, w, h);
  EXPECT_EQ(w, 1);
  EXPECT_EQ(h, 1);
  ASSERT_EQ(block.size(), 4u);
  // (10 + 20) / 2 = 15, (100 + 201) / 2 = 150, then (15 + 150) / 2 = 82.
  EXPECT_EQ(block[0], 82);
}

TEST(MipReduction, TallBlockIsHalvedVertically) {
  std::vector<uint8_t> block(2 * 4 * 4, 0);
  for (int y = 0; y < 4; ++y) block[(y * 2) * 4 + 1] = static_cast<uint8_t>(y * 40);
  int w = 2, h = 4;
  mip_make_square(block, w, h);
  EXPECT_EQ(w, 2);
  EXPECT_EQ(h, 2);
  EXPECT_EQ(block[1], 20);                 // rows 0 and 1: (0 + 40) / 2
  EXPECT_EQ(block[(2 * 1) * 4 + 1], 100);  // rows 2 and 3: (80 + 120) / 2
}

TEST(MipReduction, WeightedAverageOfFourTwoAndOneSamples) {
  // 4 x 4 block, red channel = x + 10 * y.
  std::vector<uint8_t> block(4 * 4 * 4, 0);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) block[(y * 4 + x) * 4] = static_cast<uint8_t>(x + 10 * y);
  std::vector<uint8_t> out;
  mip_reduce(block, 4, out);
  ASSERT_EQ(out.size(), 2u * 2u * 4u);
  // (0, 0): all four samples: (4*0 + 2*1 + 2*10 + 11) / 9 = 33 / 9 = 3.
  EXPECT_EQ(out[0], 3);
  // (1, 0): last column, only the sample below: (2*2 + 12) / 3 = 5.
  EXPECT_EQ(out[4], 5);
  // (0, 1): last row, only the sample to the right: (2*20 + 21) / 3 = 20.
  EXPECT_EQ(out[8], 20);
  // (1, 1): the single sample (2, 2) = 22.
  EXPECT_EQ(out[12], 22);
}

TEST(RegionOpaque, OnlyPixelsInsideTheRegionAndThePictureCount) {
  // 6 x 4, alpha 255 except (4, 1) with 254 and (5, 3) with 0.
  const ImageBuffer image = make_image(6, 4, [](int x, int y) {
    const uint8_t a = (x == 4 && y == 1) ? 254 : (x == 5 && y == 3) ? 0 : 255;
    return Rgba{10, 20, 30, a};
  });
  struct Case {
    int x0, y0, w, h;
    bool opaque;
  };
  const Case cases[] = {
      {0, 0, 6, 4, false},   // the whole picture
      {0, 0, 4, 4, true},    // left of both
      {0, 2, 5, 2, true},    // below the first, left of the second
      {4, 1, 1, 1, false},   // alpha 254 is not opaque
      {0, 0, 512, 1, true},  // beyond the picture's right edge: only the picture's part is looked at
      {5, 0, 512, 512, false}, {6, 0, 10, 10, true},  // wholly outside: nothing to see
  };
  for (const Case& c : cases) {
    EXPECT_EQ(image_region_opaque(image, c.x0, c.y0, c.w, c.h), c.opaque)
        << c.x0 << "," << c.y0 << " " << c.w << "x" << c.h;
  }
  ImageBuffer truncated = image;
  truncated.pixels.resize(10);
  EXPECT_FALSE(image_region_opaque(truncated, 0, 0, 1, 1));
}
