// Fonts on screen: slots, the current font, printing, widths and the built-in font.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "engine/app/app.h"
#include "engine/media/draw.h"
#include "engine/media/font.h"
#include "engine/media/font_builtin.h"
#include "engine/media/renderer.h"
#include "tests/media/gl_fixture.h"

namespace {
const Rgba kBlack{0, 0, 0, 255};

Rgba glyph_colour(int g) { return Rgba{static_cast<uint8_t>(g), static_cast<uint8_t>(255 - g), 77, 255}; }

// Every cell filled with its glyph's own colour: w x h picture.
ImageBuffer coloured_cells(int w, int h) {
  const int cw = w / 16;
  const int rows = w >= h ? 8 : 16;
  const int ch = h / rows;
  return make_image(w, h, [=](int x, int y) { return glyph_colour((y / ch) * 16 + x / cw); });
}

// 256 x 128 font whose "i" is a 2-pixel bar at columns 3..4 of its 16-pixel cell, "j" 5 wide.
ImageBuffer narrow_i_font() {
  return make_image(256, 128, [](int x, int y) {
    const int g = (y / 16) * 16 + x / 16;
    const int cx = x % 16;
    if (g == 'i' && cx >= 3 && cx <= 4) return kWhite;
    if (g == 'j' && cx >= 4 && cx <= 8) return kWhite;
    return kClear;
  });
}

bool any_pixel_is(int x0, int y0, int x1, int y1, Rgba c) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (screen_pixel(x, y) == c) return true;
  return false;
}
}  // namespace

using FontTest = GlTest;

TEST_F(FontTest, FixedCellsPrintEachGlyphFromItsCell) {
  ASSERT_TRUE(font_install_image(coloured_cells(128, 64), 1));
  font_set(1);
  font_print("AB", 100, 200, 0);
  EXPECT_TRUE(screen_rect_is(100, 200, 108, 208, glyph_colour('A')));
  EXPECT_TRUE(screen_rect_is(108, 200, 116, 208, glyph_colour('B')));
  EXPECT_EQ(screen_pixel(116, 204), kBlack);
  EXPECT_EQ(screen_pixel(104, 208), kBlack);
}

TEST_F(FontTest, StartIsRoundedUpToWholePixels) {
  ASSERT_TRUE(font_install_image(coloured_cells(128, 64), 1));
  font_set(1);
  font_print("A", 10.2, 20.5, 0);
  EXPECT_EQ(screen_pixel(10, 25), kBlack);
  EXPECT_EQ(screen_pixel(11, 21), glyph_colour('A'));
  EXPECT_EQ(screen_pixel(11, 20), kBlack);
  EXPECT_EQ(screen_pixel(18, 28), glyph_colour('A'));
  // Positions closer above a whole pixel than a float can tell still round up to the next pixel.
  font_print("A", 200.000000001, 300.000000001, 0);
  EXPECT_EQ(screen_pixel(200, 305), kBlack);
  EXPECT_EQ(screen_pixel(204, 300), kBlack);
  EXPECT_EQ(screen_pixel(201, 301), glyph_colour('A'));
}

TEST_F(FontTest, HighBytesFoldOntoLowGlyphsAndGlyphZeroEndsText) {
  ASSERT_TRUE(font_install_image(coloured_cells(128, 64), 1));
  font_set(1);
  font_print("\xC1", 0, 0, 0);  // 193 folds onto 65
  EXPECT_TRUE(screen_rect_is(0, 0, 8, 8, glyph_colour('A')));
  font_print(
      "A\x80"
      "B",
      0, 100, 0);  // 128 folds onto 0: the text ends there
  EXPECT_TRUE(screen_rect_is(0, 100, 8, 108, glyph_colour('A')));
  EXPECT_TRUE(screen_rect_is(8, 100, 16, 108, kBlack));
}

TEST_F(FontTest, TallFontKeepsAll256Glyphs) {
  ASSERT_TRUE(font_install_image(coloured_cells(128, 256), 2));
  font_set(2);
  font_print(
      "\xC8"
      "A",
      50, 50, 0);  // 200, then 65
  EXPECT_TRUE(screen_rect_is(50, 50, 58, 66, glyph_colour(200)));
  EXPECT_TRUE(screen_rect_is(58, 50, 66, 66, glyph_colour('A')));
}

TEST_F(FontTest, ProportionalWidthsFromTheMeasuredGlyphs) {
  ASSERT_TRUE(font_install_image(narrow_i_font(), 4));
  font_set(4);
  EXPECT_EQ(font_text_width("ii", 1), 6);
  EXPECT_EQ(font_text_width("ii", 0), 32);
  EXPECT_EQ(font_text_width(" ", 1), font_text_width("j", 1));
  EXPECT_EQ(font_text_width("", 1), 0);
}

TEST_F(FontTest, ProportionalPrintAdvancesByTheMeasuredWidth) {
  ASSERT_TRUE(font_install_image(narrow_i_font(), 4));
  font_set(4);
  font_print("ii", 100, 100, 1);
  // First "i" at 100..101 (its left columns are skipped), spacing at 102, the second at 103..104.
  EXPECT_EQ(screen_pixel(100, 108), kWhite);
  EXPECT_EQ(screen_pixel(101, 108), kWhite);
  EXPECT_EQ(screen_pixel(102, 108), kBlack);
  EXPECT_EQ(screen_pixel(103, 108), kWhite);
  EXPECT_EQ(screen_pixel(104, 108), kWhite);
  EXPECT_EQ(screen_pixel(105, 108), kBlack);
}

TEST_F(FontTest, SetOutOfRangeKeepsCurrentFontWithCodeSeven) {
  font_set(5);
  app_set_error(0);
  font_set(32);
  EXPECT_EQ(app_error_code(), 7);
  EXPECT_EQ(font_current(), 5);
  font_set(-1);
  EXPECT_EQ(font_current(), 5);
}

TEST_F(FontTest, FailedLoadPutsTheBuiltInFontIntoTheSlot) {
  font_load("no_such_font.png", 3);
  EXPECT_EQ(app_error_code(), 3);
  EXPECT_EQ(font_current(), 3);
  const SpriteRecord& rec = sprite_record(kFirstFontSlot + 3);
  EXPECT_EQ(rec.image_width, 128);
  EXPECT_EQ(rec.image_height, 64);
  EXPECT_EQ(font_text_width("abc", 1), 24);
  font_print("H", 20, 20, 0);
  EXPECT_TRUE(any_pixel_is(20, 20, 28, 28, kWhite));
  EXPECT_TRUE(any_pixel_is(20, 20, 28, 28, (Rgba{8, 8, 8, 255})));
}

TEST_F(FontTest, EmptyNameFreesTheSlotWithoutChangingCurrentFont) {
  ASSERT_TRUE(font_install_image(coloured_cells(128, 64), 6));
  font_set(1);
  font_load("", 6);
  EXPECT_EQ(app_error_code(), 0);
  EXPECT_EQ(font_current(), 1);
  EXPECT_EQ(sprite_record(kFirstFontSlot + 6).image_width, 0);
  font_set(6);
  font_print("AAAA", 0, 0, 0);  // an empty font slot prints nothing
  EXPECT_TRUE(screen_rect_is(0, 0, 40, 20, kBlack));
  EXPECT_EQ(font_text_width("AAAA", 0), 0);
}

TEST_F(FontTest, LoadWithIdBeyondTheSlotsUsesTheCurrentSlot) {
  font_set(2);
  font_load("no_such_font.png", 40);
  EXPECT_EQ(font_current(), 2);
  EXPECT_EQ(sprite_record(kFirstFontSlot + 2).image_width, 128);  // built-in font after the failure
}

TEST_F(FontTest, LoadsFontPictureFromFile) {
  const std::string path = scratch_dir() + "/font.bmp";
  // Black cells are keyed out by the default font key; glyph "i" drawn in white.
  ASSERT_TRUE(write_bmp24(path, make_image(256, 128, [](int x, int y) {
                            const int g = (y / 16) * 16 + x / 16;
                            return (g == 'i' && x % 16 >= 3 && x % 16 <= 4) ? kWhite : Rgba{0, 0, 0, 255};
                          })));
  font_load(path.c_str(), 7);
  ASSERT_EQ(app_error_code(), 0);
  EXPECT_EQ(font_current(), 7);
  EXPECT_EQ(font_text_width("ii", 1), 6);
}

TEST_F(FontTest, StartupFindsSmalfontInTheCurrentDirectory) {
  const std::string dir = scratch_dir();
  ASSERT_TRUE(write_bmp24(dir + "/smalfont.bmp", coloured_cells(256, 128)));
  char old_dir[4096];
  ASSERT_NE(getcwd(old_dir, sizeof old_dir), nullptr);
  ASSERT_EQ(chdir(dir.c_str()), 0);
  font_set(9);
  font_startup();
  ASSERT_EQ(chdir(old_dir), 0);
  EXPECT_EQ(font_current(), 0);
  EXPECT_EQ(sprite_record(kFirstFontSlot).image_width, 256);
}

TEST_F(FontTest, StartupWithoutFilesUsesTheBuiltInFont) {
  const std::string dir = scratch_dir();
  char old_dir[4096];
  ASSERT_NE(getcwd(old_dir, sizeof old_dir), nullptr);
  ASSERT_EQ(chdir(dir.c_str()), 0);
  font_startup();
  ASSERT_EQ(chdir(old_dir), 0);
  EXPECT_EQ(app_error_code(), 0);
  EXPECT_EQ(font_current(), 0);
  EXPECT_EQ(sprite_record(kFirstFontSlot).image_width, 128);
  EXPECT_EQ(font_text_width("Brakka", 0), 48);
}

TEST(BuiltinFont, EveryPrintableGlyphIsDrawnWithOutline) {
  const ImageBuffer image = font_builtin_picture();
  ASSERT_EQ(image.width, 128);
  ASSERT_EQ(image.height, 64);
  for (int code = 33; code < 127; ++code) {
    int white = 0, outline = 0;
    const int cx = (code % 16) * 8, cy = (code / 16) * 8;
    for (int y = cy; y < cy + 8; ++y) {
      for (int x = cx; x < cx + 8; ++x) {
        const uint8_t* p = image.pixels.data() + (static_cast<size_t>(y) * 128 + x) * 4;
        if (p[0] == 255 && p[3] == 255) ++white;
        if (p[0] == 8 && p[1] == 8 && p[2] == 8 && p[3] == 255) ++outline;
        // Glyph pixels never touch the cell's left or top border.
        if (x == cx || y == cy) {
          EXPECT_FALSE(p[0] == 255 && p[3] == 255) << code;
        }
      }
    }
    EXPECT_GT(white, 0) << "glyph " << code;
    EXPECT_GT(outline, 0) << "glyph " << code;
  }
}

TEST(BuiltinFont, CellsBelowSpaceAreEmpty) {
  const ImageBuffer image = font_builtin_picture();
  for (size_t i = 0; i < 128u * 16u * 4u; i += 4) EXPECT_EQ(image.pixels[i + 3], 0);
  GlyphRecord g[256];
  font_builtin_glyphs(g);
  EXPECT_EQ(g[200].advance, 8);
  EXPECT_FLOAT_EQ(g['A'].u0, 8.0f / 128.0f);
  EXPECT_FLOAT_EQ(g['A'].u1, 16.0f / 128.0f);
}
