#include "font_metrics.hpp"

namespace art {

int GlyphMetrics::width(const std::string& text) const {
  int w = 0;
  for (unsigned char c : text) w += advance[c & 127];
  return w;
}

GlyphMetrics measure_glyphs(const Canvas& sheet) {
  GlyphMetrics m;
  m.cell_w = sheet.width() / 16;
  m.cell_h = sheet.height() / 8;
  cairo_surface_flush(sheet.surface());
  for (int g = 0; g < 128; ++g) {
    int cx = (g % 16) * m.cell_w, cy = (g / 16) * m.cell_h;
    int left = -1, right = -1, top = -1, bottom = -1;
    for (int y = 0; y < m.cell_h; ++y) {
      const std::uint32_t* row = sheet.row(cy + y);
      for (int x = 0; x < m.cell_w; ++x) {
        std::uint32_t a = row[cx + x] >> 24;
        if (a == 0) continue;
        if (left < 0 || x < left) left = x;
        if (x > right) right = x;
        if (a > 12) {  // 0.05 of full alpha: what the game's alpha test lets through
          if (top < 0) top = y;
          bottom = y;
        }
      }
    }
    m.ink_top[g] = top;
    m.ink_bottom[g] = bottom;
    m.visible[g] = top >= 0;
    if (left < 0) {
      m.left[g] = 0;
      m.advance[g] = m.cell_w;
    } else {
      int width = right - left + 1;
      m.left[g] = left;
      m.advance[g] = width + (left + width < m.cell_w ? 1 : 0);
    }
  }
  m.advance[32] = m.advance['j'];
  m.left[32] = m.left['j'];
  return m;
}

}  // namespace art
