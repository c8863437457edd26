// Glyph measurement of a font sheet, done the way the game's font loader does it:
// 16 x 8 cells; a glyph's left edge and width come from the columns holding any
// pixel with alpha != 0, its advance is that width plus one column of spacing when
// the cell has room, and a space is as wide as "j".
#pragma once

#include "canvas.hpp"

#include <string>

namespace art {

struct GlyphMetrics {
    int cell_w = 0, cell_h = 0;
    int left[128] = {};
    int advance[128] = {};
    int ink_top[128] = {}, ink_bottom[128] = {};  // rows the game's alpha test draws, -1 when none
    bool visible[128] = {};

    // Proportional width of a text (bytes fold onto 0..127).
    int width(const std::string& text) const;
    // Width of a text in fixed cells.
    int fixed_width(const std::string& text) const { return static_cast<int>(text.size()) * cell_w; }
};

GlyphMetrics measure_glyphs(const Canvas& sheet);

}  // namespace art
