// Font cell layout and glyph measurement from the picture's alpha.
#include "engine/media/font_glyphs.h"

#include <algorithm>

#include "engine/media/image_staging.h"

FontLayout font_layout(int width, int height) {
  FontLayout layout;
  layout.cell_width = width / 16;
  if (width >= height) {
    layout.glyph_count = 128;
    layout.cell_height = height / 8;
  } else {
    layout.glyph_count = 256;
    layout.cell_height = height / 16;
  }
  return layout;
}

namespace {

constexpr int kGlyphSpace = 32;
constexpr int kGlyphJ = 106;

bool column_visible(const ImageBuffer& image, int x, int y0, int ch) {
  for (int y = y0; y < y0 + ch; ++y) {
    if (image.pixels[(static_cast<size_t>(y) * image.width + x) * 4 + 3] != 0) return true;
  }
  return false;
}

}  // namespace

void font_measure_glyphs(const ImageBuffer& image, int texture_limit, GlyphRecord glyphs[256]) {
  for (int g = 0; g < 256; ++g) glyphs[g] = GlyphRecord{};
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() < static_cast<size_t>(image.width) * image.height * 4) {
    return;
  }
  const int limit = texture_limit > 0 ? texture_limit : image.width;
  const int w = std::min(image.width, limit);
  const int h = std::min(image.height, limit);
  const FontLayout layout = font_layout(w, h);
  const int cw = layout.cell_width, ch = layout.cell_height;
  const float texture_width = static_cast<float>(texture_side(w));
  for (int g = 0; g < layout.glyph_count; ++g) {
    const int cell_x = (g % 16) * cw;
    const int cell_y = (g / 16) * ch;
    int left = 0;
    while (left < cw && !column_visible(image, cell_x + left, cell_y, ch)) ++left;
    int advance = cw;
    if (left >= cw) {
      left = 0;  // an empty cell takes its full width
    } else {
      int right = cw - 1;
      while (right > left && !column_visible(image, cell_x + right, cell_y, ch)) --right;
      const int width = right - left + 1;
      advance = width + (left + width < cw ? 1 : 0);
    }
    GlyphRecord& rec = glyphs[g];
    rec.left = static_cast<uint16_t>(left);
    rec.advance = static_cast<uint16_t>(advance);
    rec.u0 = static_cast<float>(cell_x + left) / texture_width;
    rec.u1 = static_cast<float>(cell_x + left + advance) / texture_width;
    if (g == kGlyphJ) {
      // A space is as wide as "j".
      glyphs[kGlyphSpace].advance = rec.advance;
      glyphs[kGlyphSpace].u0 = 0.0f;
      glyphs[kGlyphSpace].u1 = rec.u1 - rec.u0;
    }
    if (layout.glyph_count == 128) glyphs[g + 128] = rec;
  }
}
