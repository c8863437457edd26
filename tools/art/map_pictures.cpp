// Pictures of the main screen: the night map of London, the block plate and the
// frame around each block's picture.
#include "picture.hpp"
#include "skyline.hpp"
#include "style.hpp"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace art {

namespace {

using namespace style;

// The river as a smooth band through the map (centre line, width).
void thames_path(cairo_t* cr) {
  cairo_move_to(cr, -20, 300);
  cairo_curve_to(cr, 60, 250, 90, 560, 200, 545);
  cairo_curve_to(cr, 300, 530, 320, 312, 420, 314);
  cairo_curve_to(cr, 520, 316, 540, 560, 640, 560);
  cairo_curve_to(cr, 720, 560, 740, 110, 820, 90);
}

Picture map() {
  Canvas c(800, 600, true);
  cairo_t* cr = c.cr();
  Rng rng(0x6d6170);
  set_pattern(cr, radial(400, 300, 50, 560, {{0, hex(0x1a2858)}, {1, hex(0x070b22)}}));
  cairo_paint(cr);
  // Street web: long gently curved roads and short lanes.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < 70; ++i) {
    double x0 = rng.range(-50, 850), y0 = rng.range(-50, 650), a = rng.range(0, M_PI);
    double len = rng.range(120, 420);
    double x1 = x0 + std::cos(a) * len, y1 = y0 + std::sin(a) * len;
    cairo_move_to(cr, x0, y0);
    cairo_curve_to(cr, x0 + rng.range(-60, 60), y0 + rng.range(-60, 60), x1 + rng.range(-60, 60),
                   y1 + rng.range(-60, 60), x1, y1);
    cairo_set_line_width(cr, i < 12 ? 3.0 : rng.range(0.8, 1.6));
    set_colour(cr, i < 12 ? hex(0x4a5fa8) : hex(0x2e3f7c), i < 12 ? 0.7 : 0.55);
    cairo_stroke(cr);
  }
  // Parks: soft lawns dotted with trees, named where they show between the plates.
  struct Park {
    double x, y, rx, ry;
    const char* name;
  };
  const Park parks[] = {{52, 96, 62, 40, "HYDE PARK"},
                        {640, 40, 86, 30, "REGENT'S PARK"},
                        {742, 560, 78, 46, "GREENWICH"},
                        {150, 586, 70, 26, nullptr},
                        {770, 300, 40, 90, nullptr}};
  for (const Park& park : parks) {
    ellipse(cr, park.x, park.y, park.rx, park.ry);
    set_pattern(cr, radial(park.x, park.y, 0, std::max(park.rx, park.ry),
                           {{0, hex(0x1f5a46), 0.95}, {1, hex(0x143a34), 0.9}}));
    cairo_fill_preserve(cr);
    set_colour(cr, hex(0x4a9a72), 0.5);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    for (int i = 0; i < 26; ++i) {
      double a = rng.range(0, 2 * M_PI), d = std::sqrt(rng.uniform()) * 0.85;
      double tx = park.x + std::cos(a) * d * park.rx, ty = park.y + std::sin(a) * d * park.ry;
      cairo_arc(cr, tx, ty, rng.range(1.5, 3.2), 0, 2 * M_PI);
      set_colour(cr, hex(0x2f7a58), 0.9);
      cairo_fill(cr);
    }
  }
  TextStyle park_label{Face::SansBold, 9.5, 1.0, hex(0xbfe8cf), hex(0x8fd0aa), kOutline, 2, 1.5};
  for (const Park& park : parks)
    if (park.name) draw_text_centred(cr, park.name, park.x, park.y + (park.y > 500 ? -14 : 0), park_label);
  // The river: bank, water, light ripples.
  thames_path(cr);
  cairo_set_line_width(cr, 48);
  set_colour(cr, hex(0x8a6a2a), 0.6);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 42);
  set_pattern(cr, linear(0, 0, 800, 600, {{0, hex(0x2a5aa8)}, {1, hex(0x183a80)}}));
  cairo_stroke_preserve(cr);
  static const double dashes[] = {14, 22};
  cairo_set_dash(cr, dashes, 2, 0);
  cairo_set_line_width(cr, 2);
  set_colour(cr, hex(0x9cc4ff), 0.45);
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
  // City lights scattered along the streets.
  for (int i = 0; i < 260; ++i) {
    double x = rng.range(0, 800), y = rng.range(0, 600);
    scene::glow(cr, x, y, rng.range(2, 5), hex(0xffc870), rng.range(0.3, 0.8));
  }
  // Title.
  TextStyle t = display(44, kPaleGold, kAmber);
  t.tracking = 10;
  t.outline_width = 4;
  draw_text_centred(cr, "LONDON", 400, 62, t);
  TextStyle sub{Face::SansBold, 13, 1.0, hex(0xdde6ff), hex(0x9fb4ee), kOutline, 2.5, 3};
  draw_text_centred(cr, "CLEAR THE BLOCKS  \u2022  WIN THE CITY", 400, 106, sub);
  // Compass rose in the left margin, between the river and the park.
  double cx = 42, cy = 214;
  cairo_arc(cr, cx, cy, 30, 0, 2 * M_PI);
  set_colour(cr, kGold, 0.8);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  for (int i = 0; i < 4; ++i) {
    double a = i * M_PI / 2 - M_PI / 2;
    cairo_move_to(cr, cx + std::cos(a) * 28, cy + std::sin(a) * 28);
    cairo_line_to(cr, cx + std::cos(a + M_PI / 2) * 6, cy + std::sin(a + M_PI / 2) * 6);
    cairo_line_to(cr, cx, cy);
    cairo_close_path(cr);
    set_colour(cr, i == 0 ? kAmber : kPaleGold);
    cairo_fill(cr);
  }
  TextStyle n{Face::SansBold, 11, 1.0, kPaleGold, kPaleGold, kOutline, 2, 0};
  draw_text_centred(cr, "N", cx, cy - 38, n);
  // Frame.
  cairo_rectangle(cr, 3, 3, 794, 594);
  cairo_set_line_width(cr, 3);
  set_colour(cr, kGold, 0.9);
  cairo_stroke(cr);
  cairo_rectangle(cr, 8, 8, 784, 584);
  cairo_set_line_width(cr, 1);
  set_colour(cr, kGold, 0.5);
  cairo_stroke(cr);
  return Picture{"map.png", Format::Png, std::move(c)};
}

// The plate behind a block: number and difficulty at the top (+30/+20, +50/+20),
// the picture frame at (+25, +57).
Picture plate() {
  Canvas c(160, 175);
  cairo_t* cr = c.cr();
  gold_rim(cr, 3.5, 2.5, 153, 170, 14, 1.5, 13);
  rounded_rect(cr, 8.5, 7.5, 143, 160, 10);
  set_pattern(cr, linear(0, 8, 0, 168, {{0, hex(0x22367a)}, {0.3, hex(0x142456)}, {1, hex(0x080e2c)}}));
  cairo_fill(cr);
  // Header band for the number and difficulty.
  rounded_rect(cr, 14, 15, 132, 38, 8);
  set_pattern(cr, linear(0, 15, 0, 53, {{0, hex(0x050818)}, {1, hex(0x0c1640)}}));
  cairo_fill(cr);
  rounded_rect(cr, 14.5, 15.5, 131, 37, 8);
  cairo_set_line_width(cr, 1);
  set_colour(cr, kGold, 0.55);
  cairo_stroke(cr);
  // Rivets.
  for (auto [x, y] : {std::pair{13.0, 62.0}, {147.0, 62.0}, {13.0, 160.0}, {147.0, 160.0}}) {
    cairo_arc(cr, x, y, 2.6, 0, 2 * M_PI);
    set_pattern(cr, radial(x - 0.8, y - 0.8, 0, 3, {{0, kPaleGold}, {1, hex(0x6a4210)}}));
    cairo_fill(cr);
  }
  return hardened_png("mapcover.png", std::move(c), kOutline);
}

// A gold frame of 110 x 110 with a clear 100 x 100 centre.
Picture bevel() {
  Canvas c(110, 110);
  cairo_t* cr = c.cr();
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  rounded_rect(cr, 0, 0, 110, 110, 6);
  cairo_rectangle(cr, 5, 5, 100, 100);
  set_colour(cr, kOutline);
  cairo_fill(cr);
  // Four bevelled sides: light from the top left.
  auto side = [&](std::initializer_list<std::pair<double, double>> pts, Rgb colour) {
    polygon(cr, pts);
    set_colour(cr, colour);
    cairo_fill(cr);
  };
  side({{1, 1}, {109, 1}, {105, 5}, {5, 5}}, hex(0xfff0b8));
  side({{1, 1}, {5, 5}, {5, 105}, {1, 109}}, hex(0xf2c060));
  side({{109, 1}, {109, 109}, {105, 105}, {105, 5}}, hex(0xa0681c));
  side({{1, 109}, {5, 105}, {105, 105}, {109, 109}}, hex(0x6a420e));
  return hardened_png("bevel.png", std::move(c), kOutline);
}

}  // namespace

void add_map_pictures(PictureList& out) {
  out.push_back(map());
  out.push_back(plate());
  out.push_back(bevel());
}

}  // namespace art
