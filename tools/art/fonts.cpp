// The game's seven bitmap fonts: 16 x 8 cells of glyphs (codes 0..127) on a
// transparent background. The game measures proportional widths from the alpha
// of each cell (first to last column with alpha != 0, plus one column of spacing),
// so every layout constraint below is checked on the finished picture the same way.
#include "font_metrics.hpp"
#include "picture.hpp"
#include "screen_texts.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace art {

namespace {

struct FontDesign {
  std::string file;
  int cell_w = 16, cell_h = 16;
  TextStyle style;
  double baseline = 12;        // baseline row within the cell
  bool centre_digits = false;  // put the digits' ink centre on the cell's middle row
  int spacing = 0;             // extra blank columns after each glyph in proportional mode
};

using Metrics = GlyphMetrics;

Metrics measure(const Canvas& sheet) { return measure_glyphs(sheet); }

[[noreturn]] void fail(const std::string& font, const std::string& what) {
  throw std::runtime_error(font + ": " + what);
}

void require(bool ok, const std::string& font, const std::string& what) {
  if (!ok) fail(font, what);
}

std::string glyph_text(int g) {
  if (g == 127) return "\u25aa";  // a small square stands for DEL
  return std::string(1, static_cast<char>(g));
}

Canvas render(const FontDesign& design) {
  Canvas sheet(16 * design.cell_w, 8 * design.cell_h);
  cairo_t* cr = sheet.cr();
  double baseline = design.baseline;
  if (design.centre_digits) {
    TextBox zero = measure_text(cr, "0", design.style);
    baseline = design.cell_h / 2.0 - (zero.y + zero.height / 2);
  }
  const int room = design.cell_w - 1 - design.spacing;  // the last column always stays free
  for (int g = 33; g < 128; ++g) {
    std::string text = glyph_text(g);
    TextBox box = measure_text(cr, text, design.style);
    if (box.width > room)
      fail(design.file, "glyph " + std::to_string(g) + " is " + std::to_string(box.width) +
                            " px wide, the cell allows " + std::to_string(room));
    if (baseline + box.y < 0 || baseline + box.y + box.height > design.cell_h)
      fail(design.file, "glyph " + std::to_string(g) + " leaves its cell vertically");
    double cx = (g % 16) * design.cell_w, cy = (g / 16) * design.cell_h;
    cairo_save(cr);
    cairo_rectangle(cr, cx, cy, room, design.cell_h);
    cairo_clip(cr);
    double x = cx + std::floor((room - box.width) / 2);
    draw_text(cr, text, x, cy + baseline, design.style);
    cairo_restore(cr);
  }
  harden_alpha(sheet, design.style.outline);  // partial coverage goes over the outline colour
  if (design.spacing > 0) {
    // An alpha-1 pixel after each glyph widens its measured ink by the spacing;
    // the game's alpha test never draws it.
    sheet.flush();
    for (int g = 33; g < 128; ++g) {
      int cx = (g % 16) * design.cell_w, cy = (g / 16) * design.cell_h;
      int right = -1;
      for (int y = 0; y < design.cell_h; ++y)
        for (int x = 0; x < design.cell_w; ++x)
          if ((sheet.row(cy + y)[cx + x] >> 24) != 0 && x > right) right = x;
      int mark = right + design.spacing;
      if (mark > design.cell_w - 2)
        fail(design.file, "no room for the spacing of glyph " + std::to_string(g));
      sheet.row(cy + design.cell_h - 1)[cx + mark] = 0x01000000u;
    }
    sheet.mark_dirty();
  }
  return sheet;
}

void check_common(const FontDesign& design, const Metrics& m) {
  require(16 * m.cell_w >= 8 * m.cell_h, design.file,
          "the picture must be at least as wide as high (128 glyphs)");
  for (int g = 33; g < 128; ++g)
    require(m.visible[g], design.file, "glyph " + std::to_string(g) + " has no visible pixel");
  for (int g = 0; g < 33; ++g)
    require(!m.visible[g], design.file, "cell " + std::to_string(g) + " must stay empty");
}

// Topmost and bottommost ink rows over the visible glyphs of `chars`.
std::pair<int, int> ink_rows(const Metrics& m, const std::string& chars) {
  int top = 1 << 20, bottom = -1;
  for (unsigned char c : chars) {
    if (!m.visible[c]) continue;
    top = std::min(top, m.ink_top[c]);
    bottom = std::max(bottom, m.ink_bottom[c]);
  }
  return {top, bottom};
}

int ink_height(const Metrics& m, const std::string& chars) {
  auto [top, bottom] = ink_rows(m, chars);
  return bottom - top + 1;
}

std::size_t font_count(const PictureList& pictures) {
  std::size_t n = 0;
  for (const Picture& p : pictures) n += p.font ? 1 : 0;
  return n;
}

std::string printable() {
  std::string s;
  for (int c = 33; c < 127; ++c) s += static_cast<char>(c);
  return s;
}

bool g_verbose = false;
int g_checks = 0;

// Checks a measured figure against its limit (printed when verbose).
void report(const FontDesign& design, const std::string& what, int value, int limit) {
  ++g_checks;
  if (g_verbose)
    std::printf("  %-15s %-52s %4d (limit %d)\n", design.file.c_str(), what.c_str(), value, limit);
  require(value <= limit, design.file,
          what + " is " + std::to_string(value) + ", limit " + std::to_string(limit));
}

void report_width(const FontDesign& design, const Metrics& m, const std::string& text, int limit) {
  report(design, "width \"" + text + "\"", m.width(text), limit);
}

FontDesign scores_design() {
  return {.file = "scoresfont.png",
          .cell_w = 24,
          .cell_h = 24,
          .style = {Face::SansBold, 15, 0.8, hex(0xfff4c8), hex(0xffa63c), hex(0x1a0f2e), 0, 0},
          .baseline = 18};
}

FontDesign tile_design(const std::string& file, Rgb top, Rgb bottom, Rgb outline) {
  return {.file = file,
          .cell_w = 44,
          .cell_h = 56,
          .style = {Face::SansBold, 38, 0.92, top, bottom, outline, 4.5, 0},
          .centre_digits = true};
}

FontDesign info_design() {
  return {.file = "infofont.png",
          .cell_w = 16,
          .cell_h = 16,
          .style = {Face::SansBold, 11, 0.95, hex(0xf4f7ff), hex(0xb4cbf5), hex(0x070b1e), 0, 0},
          .baseline = 11.5};
}

FontDesign total_design() {
  return {.file = "totalfont.png",
          .cell_w = 48,
          .cell_h = 50,
          .style = {Face::SansBold, 36, 0.92, hex(0xfff1b8), hex(0xff8c1a), hex(0x2a1200), 3.0, 0},
          .baseline = 38};
}

FontDesign options_design() {
  return {.file = "options.png",
          .cell_w = 24,
          .cell_h = 32,
          .style = {Face::SansBold, 18, 0.92, hex(0xffffff), hex(0xffd48a), hex(0x0d1026), 1.6, 0},
          .baseline = 23};
}

FontDesign hint_design() {
  return {.file = "hint.png",
          .cell_w = 20,
          .cell_h = 22,
          .style = {Face::Sans, 16, 0.95, hex(0xf6f8ff), hex(0xc8d6ff), hex(0x060918), 0, 0},
          .baseline = 16,
          .spacing = 1};
}

Picture make(const FontDesign& design, const std::function<void(const FontDesign&, const Metrics&)>& checks) {
  Canvas sheet = render(design);
  Metrics m = measure(sheet);
  check_common(design, m);
  checks(design, m);
  Picture p{design.file, Format::Png, std::move(sheet), {}, true};
  return p;
}

}  // namespace

void add_fonts(PictureList& out, bool verbose) {
  g_verbose = verbose;
  g_checks = 0;
  if (verbose) std::printf("font constraints (proportional widths as the game measures them):\n");
  const std::string all = printable();

  out.push_back(make(scores_design(), [&](const FontDesign& design, const Metrics& m) {
    report(design, "cell height", m.cell_h, 24);
    report(design, "ink height of all glyphs", ink_height(m, all), 24);
    // The stats screen frames this line with a box sized from the hint font's width
    // of a similar text; the line must stay inside that box.
    FontDesign hd = hint_design();
    Metrics hint = measure(render(hd));
    for (std::string name : {"NAMELESS", "WWWWWWWWWW", "MMMMMMMMMM", "EMPTY"}) {
      for (std::string rating : {"-3.6", "8.2", "123.4567891", "-12.34567891"}) {
        int half = hint.width(name + " THIS GAME RATING IS: " + rating) / 2 + 10;
        int inner = 2 * half - 4;
        report_width(design, m, name + ", YOUR GAME RATING IS: " + rating, inner);
      }
    }
  }));

  auto tile_checks = [&](const FontDesign& design, const Metrics& m) {
    report(design, "cell height", m.cell_h, 60);
    for (int v = 1; v <= 12; ++v) report_width(design, m, std::to_string(v), 60);
    auto [top, bottom] = ink_rows(m, "0123456789");            // every digit is visible (check_common)
    int off_centre = std::abs((top + bottom + 1) - m.cell_h);  // twice the distance from the middle
    report(design, "digits' distance from the cell middle (half px)", off_centre, 2);
  };
  out.push_back(make(tile_design("greenfont.png", hex(0xffffff), hex(0xdcffd2), hex(0x0a3514)), tile_checks));
  out.push_back(make(tile_design("redfont.png", hex(0xffffff), hex(0xffe2d6), hex(0x480808)), tile_checks));

  out.push_back(make(info_design(), [&](const FontDesign& design, const Metrics& m) {
    report(design, "ink height of all glyphs (rows 15 apart)", ink_height(m, all), 15);
    report(design, "advance of j (and space)", m.advance['j'], 16);
    report_width(design, m, " Previous          Your total", 188);
    report_width(design, m, " Previous            My total", 188);
    report_width(design, m, "DIFICULTY:   HARD", 200);
    report_width(design, m, "TAP CHANGE NAME TO MODIFY", 780);
    for (const char* name : kBlockNames) report_width(design, m, name, 420);
  }));

  out.push_back(make(total_design(), [&](const FontDesign& design, const Metrics& m) {
    report(design, "cell height (GOODBYE is grabbed 50 high)", m.cell_h, 50);
    report_width(design, m, "GOODBYE", 780);
    report_width(design, m, "OPTION", 780);
    // Totals are centred on x 720 and must end before the screen edge.
    report_width(design, m, "-100", 2 * (800 - 688) - 65);
  }));

  out.push_back(make(options_design(), [&](const FontDesign& design, const Metrics& m) {
    report(design, "cell width (fixed cells)", m.cell_w, 24);
    report(design, "cell height", m.cell_h, 32);
    report(design, "ten typed letters, fixed", m.fixed_width("WWWWWWWWWW"), 254);
    report(design, "lowest row of the underscore (name field)", m.ink_bottom['_'], 28);
    report_width(design, m, "Do you want to move horizontally or vertically?", 780);
    report_width(design, m, "Do you want the first or second move?", 780);
    report_width(design, m, "WELCOME WWWWWWWWWW", 780);
    report_width(design, m, "GAME OVER, YOU LOSE!", 780);
    report_width(design, m, "DIFFICULTY: HARD", 780);
    report_width(design, m, ": Hard", 104);
    report_width(design, m, ": Easy", 104);
    for (const char* name : kBlockNames) report_width(design, m, name, 780);
  }));

  out.push_back(make(hint_design(), [&](const FontDesign& design, const Metrics& m) {
    report(design, "ink height of all glyphs (rows 22 apart)", ink_height(m, all), 22);
    std::string longest = kInstructionsTitle;
    for (const char* line : kInstructionLines)
      if (m.width(line) > m.width(longest)) longest = line;
    report_width(design, m, longest, 760);
    report_width(design, m, "Use enter key or click with right mouse button.", 780);
    // A name column of the high ratings (x 300) ends where the ratings start (x 460);
    // the last advance ends in blank spacing columns.
    report_width(design, m, "WWWWWWWWWW", 160);
  }));
  std::printf("brakka_art: %zu font sheets meet %d layout checks\n", font_count(out), g_checks);
}

}  // namespace art
