// Font cell layout and glyph measurement (no GL).
#include <gtest/gtest.h>

#include "engine/media/font_glyphs.h"
#include "tests/media/gl_fixture.h"

namespace {

// A 256 x 128 font picture (16 x 16 cells, 128 glyphs) with the given glyphs drawn as vertical bars
// from column `left` of their cell, `width` columns wide.
struct Bar {
  int glyph, left, width;
};
ImageBuffer bar_font(std::initializer_list<Bar> bars, int w = 256, int h = 128) {
  const FontLayout layout = font_layout(w, h);
  ImageBuffer image = solid_image(w, h, kClear);
  for (const Bar& bar : bars) {
    const int cx = (bar.glyph % 16) * layout.cell_width;
    const int cy = (bar.glyph / 16) * layout.cell_height;
    for (int y = cy + 2; y < cy + layout.cell_height - 2; ++y) {
      for (int x = cx + bar.left; x < cx + bar.left + bar.width; ++x) {
        image.pixels[(static_cast<size_t>(y) * w + x) * 4 + 3] = 255;
      }
    }
  }
  return image;
}

}  // namespace

TEST(FontLayout, WideOrSquarePicturesHave128Glyphs) {
  const FontLayout a = font_layout(256, 128);
  EXPECT_EQ(a.glyph_count, 128);
  EXPECT_EQ(a.cell_width, 16);
  EXPECT_EQ(a.cell_height, 16);
  const FontLayout b = font_layout(256, 256);
  EXPECT_EQ(b.glyph_count, 128);
  EXPECT_EQ(b.cell_width, 16);
  EXPECT_EQ(b.cell_height, 32);
}

TEST(FontLayout, TallPicturesHave256Glyphs) {
  const FontLayout layout = font_layout(128, 256);
  EXPECT_EQ(layout.glyph_count, 256);
  EXPECT_EQ(layout.cell_width, 8);
  EXPECT_EQ(layout.cell_height, 16);
}

TEST(FontMeasure, NarrowGlyphGetsOneColumnOfSpacing) {
  GlyphRecord g[256];
  font_measure_glyphs(bar_font({{'i', 3, 2}}), 4096, g);
  EXPECT_EQ(g['i'].left, 3);
  EXPECT_EQ(g['i'].advance, 3);
  const int cell_x = ('i' % 16) * 16;
  EXPECT_FLOAT_EQ(g['i'].u0, (cell_x + 3) / 256.0f);
  EXPECT_FLOAT_EQ(g['i'].u1, (cell_x + 6) / 256.0f);
}

TEST(FontMeasure, GlyphFillingItsCellHasNoSpacing) {
  GlyphRecord g[256];
  font_measure_glyphs(bar_font({{'W', 0, 16}, {'M', 2, 14}}), 4096, g);
  EXPECT_EQ(g['W'].left, 0);
  EXPECT_EQ(g['W'].advance, 16);
  EXPECT_EQ(g['M'].left, 2);
  EXPECT_EQ(g['M'].advance, 14);  // left + width reaches the cell's edge
}

TEST(FontMeasure, EmptyCellTakesTheWholeCell) {
  GlyphRecord g[256];
  font_measure_glyphs(bar_font({}), 4096, g);
  EXPECT_EQ(g['q'].left, 0);
  EXPECT_EQ(g['q'].advance, 16);
}

TEST(FontMeasure, GapsInsideAGlyphCount) {
  GlyphRecord g[256];
  ImageBuffer image = bar_font({{'"', 2, 1}});
  // Add a second bar at column 9 of the same cell.
  const int cx = ('"' % 16) * 16, cy = ('"' / 16) * 16;
  image.pixels[(static_cast<size_t>(cy + 5) * 256 + cx + 9) * 4 + 3] = 1;
  font_measure_glyphs(image, 4096, g);
  EXPECT_EQ(g['"'].left, 2);
  EXPECT_EQ(g['"'].advance, 9);  // columns 2..9 plus spacing
}

TEST(FontMeasure, SpaceIsAsWideAsJ) {
  GlyphRecord g[256];
  font_measure_glyphs(bar_font({{'j', 4, 5}}), 4096, g);
  EXPECT_EQ(g['j'].advance, 6);
  EXPECT_EQ(g[' '].advance, g['j'].advance);
  EXPECT_FLOAT_EQ(g[' '].u0, 0.0f);
  EXPECT_FLOAT_EQ(g[' '].u1, g['j'].u1 - g['j'].u0);
}

TEST(FontMeasure, UpperHalfCopiesLowerHalfIn128GlyphFonts) {
  GlyphRecord g[256];
  font_measure_glyphs(bar_font({{'A', 1, 7}, {'j', 4, 5}}), 4096, g);
  EXPECT_EQ(g[193].advance, g['A'].advance);
  EXPECT_EQ(g[193].left, g['A'].left);
  EXPECT_FLOAT_EQ(g[193].u0, g['A'].u0);
  // Code 160 keeps the space's own (empty-cell) metrics, not those of "j".
  EXPECT_EQ(g[160].advance, 16);
  EXPECT_EQ(g[' '].advance, 6);
}

TEST(FontMeasure, TallFontMeasuresAll256Glyphs) {
  GlyphRecord g[256];
  font_measure_glyphs(bar_font({{200, 1, 3}, {72, 0, 8}}, 128, 256), 4096, g);
  EXPECT_EQ(g[200].left, 1);
  EXPECT_EQ(g[200].advance, 4);
  EXPECT_EQ(g[72].advance, 8);
  EXPECT_EQ(g[72 + 129].advance, 8);  // no copies: 201 is its own empty cell, a full cell width
  EXPECT_FLOAT_EQ(g[200].u0, ((200 % 16) * 8 + 1) / 128.0f);
}

TEST(FontMeasure, TextureWidthIsThePaddedPowerOfTwo) {
  GlyphRecord g[256];
  // 160 x 80: cells of 10 x 10 on a 256-wide texture.
  ImageBuffer image = solid_image(160, 80, kClear);
  const int cx = ('x' % 16) * 10, cy = ('x' / 16) * 10;
  image.pixels[(static_cast<size_t>(cy + 3) * 160 + cx + 4) * 4 + 3] = 255;
  font_measure_glyphs(image, 4096, g);
  EXPECT_EQ(g['x'].advance, 2);
  EXPECT_FLOAT_EQ(g['x'].u0, (cx + 4) / 256.0f);
  EXPECT_FLOAT_EQ(g['x'].u1, (cx + 6) / 256.0f);
}

TEST(FontMeasure, DegeneratePicturesGiveZeroWidthGlyphs) {
  GlyphRecord g[256];
  font_measure_glyphs(solid_image(8, 8, kWhite), 4096, g);  // cells 0 pixels wide
  EXPECT_EQ(g['A'].advance, 0);
  ImageBuffer broken;
  broken.width = 64;
  broken.height = 64;  // no pixels behind the size
  font_measure_glyphs(broken, 4096, g);
  EXPECT_EQ(g['A'].advance, 0);
}
