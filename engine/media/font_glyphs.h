// Font cell layout and per-glyph metrics measured from a font picture. No GL here.
#pragma once
#include <cstdint>
#include "engine/media/image.h"

struct GlyphRecord {
  uint16_t left = 0;     // first visible column within the cell
  uint16_t advance = 0;  // drawn width in proportional mode
  float u0 = 0.0f;       // horizontal texture coordinates of the drawn part
  float u1 = 0.0f;
};

struct FontLayout {
  int cell_width = 0;
  int cell_height = 0;
  int glyph_count = 128;  // 128 (8 rows) or 256 (16 rows)
};

// Layout of a font picture of width x height: 16 cells per row; 8 rows when width >= height, else 16.
FontLayout font_layout(int width, int height);

// Measures every glyph of the picture's layout into glyphs[0..255]. Only the top-left part that fits
// into texture_limit x texture_limit is considered, as that is what the upload keeps.
void font_measure_glyphs(const ImageBuffer& image, int texture_limit, GlyphRecord glyphs[256]);
