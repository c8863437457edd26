#include "screen_previews.hpp"

#include "bmp_writer.hpp"
#include "font_metrics.hpp"
#include "screen_texts.hpp"

#include <cmath>
#include <map>
#include <stdexcept>
#include <string>

namespace art {

Canvas as_shown(const Picture& p) {
  const int w = p.canvas.width(), h = p.canvas.height();
  Canvas copy(w, h);
  cairo_t* cr = copy.cr();
  if (p.format != Format::Bmp) {
    cairo_set_source_surface(cr, p.canvas.surface(), 0, 0);
    cairo_paint(cr);
    return copy;
  }
  std::vector<std::uint8_t> bmp = encode_bmp(p.canvas, p.edge);
  const int row_bytes = (w * 3 + 3) & ~3;
  copy.flush();
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* src = bmp.data() + 54 + static_cast<std::size_t>(h - 1 - y) * row_bytes;
    for (int x = 0; x < w; ++x) {
      std::uint32_t b = src[3 * x], g = src[3 * x + 1], r = src[3 * x + 2];
      bool key = r == 255 && g == 0 && b == 128;
      copy.row(y)[x] = key ? 0u : (0xff000000u | (r << 16) | (g << 8) | b);
    }
  }
  copy.mark_dirty();
  return copy;
}

namespace {

// Draws like the game's 2D calls, on an 800 x 600 canvas.
class Screen {
 public:
  Screen(const PictureList& pictures, std::string title) : pictures_(pictures), title_(std::move(title)) {}

  cairo_t* cr() { return canvas_.cr(); }

  void background(const std::string& name) { sprite(name, 0, 0); }

  std::pair<int, int> size(const std::string& name) {
    const Canvas& pic = shown(name);
    return {pic.width(), pic.height()};
  }

  // spr_draw, spr_draw_zoomed and spr_draw_rotozoom in one: scaled and turned about the centre.
  void sprite(const std::string& name, double x, double y, double alpha = 1, double zx = 1, double zy = 1,
              double angle = 0, bool additive = false) {
    const Canvas& pic = shown(name);
    double w = pic.width(), h = pic.height();
    cairo_t* c = cr();
    cairo_save(c);
    if (additive) cairo_set_operator(c, CAIRO_OPERATOR_ADD);
    cairo_translate(c, x + w / 2, y + h / 2);
    cairo_rotate(c, -angle * M_PI / 180);
    cairo_scale(c, zx, zy);
    cairo_set_source_surface(c, pic.surface(), -w / 2, -h / 2);
    cairo_paint_with_alpha(c, alpha);
    cairo_restore(c);
  }

  // One animation cell of a strip.
  void cell(const std::string& name, int cell_w, int cell_h, int index, double x, double y) {
    const Canvas& pic = shown(name);
    cairo_t* c = cr();
    cairo_save(c);
    cairo_rectangle(c, x, y, cell_w, cell_h);
    cairo_clip(c);
    cairo_set_source_surface(c, pic.surface(), x - index * cell_w, y);
    cairo_paint(c);
    cairo_restore(c);
  }

  void rect(double x, double y, double w, double h, std::uint32_t packed, double alpha = 1,
            bool additive = false) {
    cairo_t* c = cr();
    cairo_save(c);
    if (additive) cairo_set_operator(c, CAIRO_OPERATOR_ADD);
    cairo_rectangle(c, x, y, w, h);
    cairo_set_source_rgba(c, (packed & 0xff) / 255.0, ((packed >> 8) & 0xff) / 255.0,
                          ((packed >> 16) & 0xff) / 255.0, alpha);
    cairo_fill(c);
    cairo_restore(c);
  }

  int width(const std::string& font, const std::string& text, bool proportional) {
    const GlyphMetrics& m = metrics(font);
    return proportional ? m.width(text) : m.fixed_width(text);
  }

  // font_print: cells copied glyph by glyph from the sheet.
  void text(const std::string& font, const std::string& text, double x, double y, bool proportional,
            double alpha = 1) {
    const Canvas& sheet = shown(font);
    const GlyphMetrics& m = metrics(font);
    double pen = std::ceil(x), top = std::ceil(y);
    cairo_t* c = cr();
    for (unsigned char ch : text) {
      int g = ch & 127;
      if (g == 0) break;
      int sx = (g % 16) * m.cell_w + (proportional ? m.left[g] : 0), sy = (g / 16) * m.cell_h;
      int w = proportional ? m.advance[g] : m.cell_w;
      if (proportional && g == 32) sx = 0, w = m.advance[32];  // the game reads the space from "j"'s width
      cairo_save(c);
      cairo_rectangle(c, pen, top, w, m.cell_h);
      cairo_clip(c);
      if (!(proportional && g == 32)) {
        cairo_set_source_surface(c, sheet.surface(), pen - sx, top - sy);
        cairo_paint_with_alpha(c, alpha);
      }
      cairo_restore(c);
      pen += w;
    }
  }

  void centred(const std::string& font, const std::string& text, double cx, double y) {
    this->text(font, text, cx - width(font, text, true) / 2, y, true);
  }

  Picture finish() { return Picture{title_, Format::Png, std::move(canvas_)}; }

 private:
  const Picture& find(const std::string& name) const {
    for (const Picture& p : pictures_)
      if (p.name == name) return p;
    throw std::runtime_error("screen preview: no picture " + name);
  }
  const Canvas& shown(const std::string& name) {
    auto it = shown_.find(name);
    if (it == shown_.end()) it = shown_.emplace(name, as_shown(find(name))).first;
    return it->second;
  }
  const GlyphMetrics& metrics(const std::string& font) {
    auto it = metrics_.find(font);
    if (it == metrics_.end()) it = metrics_.emplace(font, measure_glyphs(find(font).canvas)).first;
    return it->second;
  }

  const PictureList& pictures_;
  std::string title_;
  Canvas canvas_{800, 600, true};
  std::map<std::string, Canvas> shown_;
  std::map<std::string, GlyphMetrics> metrics_;
};

const char* const kFont[7] = {"scoresfont.png", "greenfont.png", "redfont.png", "infofont.png",
                              "totalfont.png",  "options.png",   "hint.png"};

void title_animation(Screen& s, int a, int b) {
  s.sprite("anim" + std::to_string(a) + ".png", 220, 120, 0.5, 2.2, 2.2, 0, true);
  s.sprite("anim" + std::to_string(b) + ".png", 220, 120, 0.5, -2.2, -2.2, 0, true);
}

Picture welcome(const PictureList& pics) {
  Screen s(pics, "screen: welcome");
  title_animation(s, 3, 13);
  s.sprite("brakka.png", 80, 50);
  s.sprite("edition.png", static_cast<int>(400 - 0.5 * s.size("edition.png").first), 180);
  s.centred(kFont[5], "WELCOME EMPTY", 400, 350);
  s.centred(kFont[3], "TAP CHANGE NAME TO MODIFY", 400, 380);
  s.sprite("copyw.png", 285, 561);
  s.sprite("buttons.png", 36, 492);
  return s.finish();
}

struct Block {
  double x, y;
  bool hard;
};
const Block kBlocks[9] = {{0, 0, false},     {80, 130, false},  {400, 322, false},
                          {560, 130, false}, {240, 322, true},  {400, 130, false},
                          {80, 322, true},   {240, 130, false}, {560, 322, true}};

Picture main_screen(const PictureList& pics) {
  Screen s(pics, "screen: main screen and menu");
  s.background("map.png");
  for (int i = 3; i <= 8; ++i) {
    const Block& b = kBlocks[i];
    s.sprite("mapcover.png", b.x, b.y);
    s.text(kFont[5], std::to_string(i), b.x + 30, b.y + 20, false, 0.8);
    s.text(kFont[5], b.hard ? ": Hard" : ": Easy", b.x + 50, b.y + 20, true, 0.8);
    s.sprite("bevel.png", b.x + 25, b.y + 57, 0.8);
    if (i == 3) s.rect(b.x + 29, b.y + 61, 102, 102, 22778, 1.0, true);
    s.sprite(std::to_string(i) + "c.png", b.x + 30, b.y + 62);
  }
  s.rect(254, 549, 96, 32, 0, 0.5);
  s.rect(457, 549, 96, 32, 0, 0.5);
  s.sprite("continue.png", 250, 545);
  s.sprite("quit.png", 453, 545);
  return s.finish();
}

// The lower half of both set-up screens: OPTION, the question and its two answer buttons.
void option_question(Screen& s, const std::string& question, const std::string& left,
                     const std::string& right) {
  s.centred(kFont[4], "OPTION", 400, 290);
  s.centred(kFont[5], question, 400, 360);
  s.sprite(left, 256, 410);
  s.sprite(right, 448, 410);
}

Picture setup(const PictureList& pics) {
  Screen s(pics, "screen: round set-up");
  s.centred(kFont[5], "BLOCK: 3", 400, 80);
  s.centred(kFont[5], kBlockNames[2], 400, 120);
  s.centred(kFont[5], "DIFFICULTY: EASY", 400, 160);
  option_question(s, "Do you want the first or second move?", "first.png", "second.png");
  return s.finish();
}

Picture setup_direction(const PictureList& pics) {
  Screen s(pics, "screen: round set-up, direction");
  s.centred(kFont[6], "To move around the game board:", 400, 60);
  s.centred(kFont[6], "Use arrow keys or click with left mouse button.", 400, 90);
  s.centred(kFont[6], "To confirm a number selection:", 400, 130);
  s.centred(kFont[6], "Use enter key or click with right mouse button.", 400, 160);
  option_question(s, "Do you want to move horizontally or vertically?", "horiz.png", "vert.png");
  return s.finish();
}

Picture name_entry(const PictureList& pics) {
  Screen s(pics, "screen: name entry");
  const double ox = 174, oy = 246;
  s.rect(ox + 98, oy - 51, 256, 36, 9876670);
  s.rect(ox + 99, oy - 50, 254, 34, 4608080);
  double tx = ox + 226 - s.width(kFont[5], "----------", false) / 2;
  s.text(kFont[5], "__________", tx, oy - 45, false);
  s.rect(ox + 110 + 24 * 6, oy - 23, 15, 4, 0x506070);
  s.text(kFont[5], "BRAKKA", tx, oy - 48, false);
  s.rect(ox - 10, oy - 9, 472, 126, 9876670);
  s.rect(ox - 9, oy - 8, 470, 124, 4608080);
  s.sprite("keys.png", ox, oy);
  return s.finish();
}

// A number centred in a 65-pixel column, the way the round screen prints tile values and totals.
void column_number(Screen& s, const char* font, const std::string& number, double x, double y) {
  s.text(font, number, x + (65 - s.width(font, number, true)) / 2, y, true);
}

Picture round(const PictureList& pics, bool finished) {
  Screen s(pics, finished ? "screen: round end" : "screen: round");
  s.background("backdrop.png");
  s.rect(54, 89, 422, 422, 0x808080);
  s.sprite("1b.png", 55, 90);
  s.text(kFont[3], kBlockNames[0], 265 - s.width(kFont[3], kBlockNames[0], true) / 2, 514, true);
  Rng rng(42);
  const int cursor_col = 4, cursor_row = 5;
  if (!finished) {
    for (int col = 1; col <= 8; ++col)
      for (int row = 1; row <= 8; ++row) {
        int v = static_cast<int>(rng.range(1, 13)) * (rng.uniform() < 0.4 ? -1 : 1);
        bool empty = (col == cursor_col && row == cursor_row) || rng.uniform() < 0.2;
        if (empty) continue;
        double cx = 25 + 60 * (col - 1), cy = 60 + 60 * (row - 1);
        bool negative = v <= 0;
        s.sprite(negative ? "red.bmp" : "green.bmp", cx, cy);
        std::string t = std::to_string(std::abs(v));
        int font = negative ? 2 : 1;
        column_number(s, kFont[font], t, cx, cy);
      }
  }
  // Player 1 (human) to move; the computer took -7 last.
  s.sprite("go.bmp", 546, 230);
  s.sprite("stop.bmp", 546, 320);
  s.sprite("qmark.bmp", 622, 237, 1, 1, 1, finished ? 0 : 20);
  s.sprite("red.bmp", 608, 320);
  if (!finished) column_number(s, kFont[2], "7", 608, 320);
  if (!finished) {
    s.text(kFont[3], "DIFICULTY:   EASY", 600, 432, true);
    s.sprite("horizontal.png", 590, 470, 1, 20 / 90.0 + 0.8, 1);
    s.sprite("horizontal.png", 590, 500, 1, 0.8 - 20 / 90.0, 1);
    s.sprite("yourturn.png", 600, 75);
  } else {
    s.sprite("youwin.png", 591, 430);
    s.sprite("levelover.png", 584, 77);
    s.sprite("1a.png", 55, 90, 0.6);
    s.sprite("continue.png", 217, 559);
  }
  s.text(kFont[3], " Previous          Your total", 612, 208, true);
  s.text(kFont[3], " Previous            My total", 612, 298, true);
  for (auto [total, y] : {std::pair{std::string("38"), 230}, {std::string("-12"), 320}})
    column_number(s, kFont[4], total, 688, y);
  if (!finished)
    s.cell("outeranim.bmp", 68, 68, 2, 25 + 60 * (cursor_col - 1) - 4, 60 + 60 * (cursor_row - 1) - 4);
  return s.finish();
}

Picture stats(const PictureList& pics) {
  Screen s(pics, "screen: stats and high ratings");
  Rng rng(7);
  for (int i = 0; i < 240; ++i)
    s.rect(rng.range(0, 799), rng.range(0, 599), rng.range(0, 4), rng.range(0, 4),
           static_cast<std::uint32_t>(rng.range(0, 15000000)));
  s.centred(kFont[6], "ALL TIME HIGH RATINGS", 400, 340);
  s.sprite("brakka.png", 80, 20);
  s.centred(kFont[6], "GAME STATS", 400, 145);
  s.rect(258, 363, 274, 1, 0x645a8c);
  s.rect(258, 365, 274, 1, 0x645a8c);
  s.rect(330, 168, 142, 1, 0x645a8c);
  const std::string name = "NAMELESS", rating = "8.2";
  int half = s.width(kFont[6], name + " THIS GAME RATING IS: " + rating, true) / 2 + 10;
  s.rect(400 - half, 264, 2 * half, 32, 0xc8c864);
  s.rect(401 - half, 265, 2 * half - 2, 30, 0x040404);
  const char* labels[4] = {"WON", "LOST", "DRAWN", "WIN  RUN"};
  const char* values[4] = {"1", "0", "0", "1"};
  for (int i = 0; i < 4; ++i) {
    s.text(kFont[3], labels[i], 365, 175 + 15 * i, true);
    s.text(kFont[3], values[i], 430, 175 + 15 * i, false);
  }
  s.centred(kFont[0], name + ", YOUR GAME RATING IS: " + rating, 400, 270);
  const char* names[6] = {"VICTORIA", "ALBERT", "BRUNEL", "DICKENS", "NIGHTINGALE", "WREN"};
  const char* ratings[6] = {"48.6", "35.2", "24.8", "16.5", "9.4", "4.2"};
  for (int k = 1; k <= 6; ++k) {
    s.text(kFont[6], names[k - 1], 300, 22 * k + 360, true);
    s.text(kFont[6], ratings[k - 1], 460, 22 * k + 360, true);
  }
  s.sprite("continue.png", 352, 545);
  return s.finish();
}

Picture instructions(const PictureList& pics) {
  Screen s(pics, "screen: instructions");
  s.centred(kFont[6], kInstructionsTitle, 400, 30);
  int y = 70;
  for (const char* line : kInstructionLines) {
    s.text(kFont[6], line, 20, y, true);
    y += 30;
  }
  s.sprite("continue.png", 352, 559);
  return s.finish();
}

Picture win(const PictureList& pics) {
  Screen s(pics, "screen: game won");
  title_animation(s, 8, 18);
  s.rect(189, 59, 422, 422, 16777010);
  s.sprite("7a.png", 190, 60);
  s.centred(kFont[5], "GAME OVER, YOU WIN!", 400, 510);
  s.sprite("continue.png", 352, 550);
  return s.finish();
}

Picture goodbye(const PictureList& pics) {
  Screen s(pics, "screen: goodbye");
  int w = s.width(kFont[4], "GOODBYE", false);
  s.text(kFont[4], "GOODBYE", static_cast<int>(400 - 0.5 * w), 275, false);
  return s.finish();
}

}  // namespace

std::vector<Picture> screen_previews(const PictureList& pictures) {
  std::vector<Picture> out;
  out.push_back(welcome(pictures));
  out.push_back(main_screen(pictures));
  out.push_back(setup(pictures));
  out.push_back(setup_direction(pictures));
  out.push_back(name_entry(pictures));
  out.push_back(round(pictures, false));
  out.push_back(round(pictures, true));
  out.push_back(stats(pictures));
  out.push_back(instructions(pictures));
  out.push_back(win(pictures));
  out.push_back(goodbye(pictures));
  return out;
}

}  // namespace art
