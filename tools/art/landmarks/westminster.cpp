// The Palace of Westminster: the long Gothic front on the river and the
// clock tower.
#include "kit.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <tuple>

namespace art::landmark {

namespace {

void pinnacles(cairo_t* cr, const Mood& m, double x0, double x1, double y, double step, double height) {
  for (double x = x0; x <= x1; x += step) {
    polygon(cr, {{x - 2.2, y}, {x + 2.2, y}, {x, y - height}});
    stone(cr, m, x - 3, y - height, x + 3, y);
    cairo_fill(cr);
  }
}

}  // namespace

void westminster(cairo_t* cr, const Mood& m, Rng& rng) {
  const double water_y = 318;
  scene::sky(cr, kSize, water_y, m, rng);
  scene::water(cr, kSize, water_y, kSize, m, rng);
  with_reflection(cr, m, water_y, 0.4, [&] {
    // Victoria Tower at the far left.
    stone_rect(cr, m, 14, 120, 56, water_y - 120);
    pinnacles(cr, m, 14, 70, 120, 56, 22);
    pinnacles(cr, m, 28, 56, 120, 14, 12);
    fill_rect(cr, 38, 92, 4, 28, hex(0x20202a));  // flagpole
    polygon(cr, {{42, 92}, {58, 96}, {42, 100}});
    set_colour(cr, hex(0xc8283a));
    cairo_fill(cr);
    for (int r = 0; r < 6; ++r)
      for (int c = 0; c < 3; ++c) {
        rounded_rect(cr, 22 + c * 16, 140 + r * 26, 8, 16, 4);
        set_colour(cr, m.night ? m.window : m.stone_dark, m.night ? 0.85 : 0.55);
        cairo_fill(cr);
      }
    // The long river front with its bays and pinnacles.
    stone_rect(cr, m, 60, 232, 270, water_y - 232);
    pinnacles(cr, m, 64, 326, 232, 9, 14);
    for (int c = 0; c < 22; ++c)
      for (int r = 0; r < 3; ++r) {
        rounded_rect(cr, 66 + c * 12, 244 + r * 22, 6, 14, 3);
        set_colour(cr, m.night && rng.uniform() < 0.7 ? m.window : m.stone_dark, m.night ? 0.9 : 0.5);
        cairo_fill(cr);
      }
    for (int c = 0; c < 10; ++c) fill_rect(cr, 62 + c * 27, 232, 2, water_y - 232, m.stone_dark, 0.4);
    // The central spire.
    stone_rect(cr, m, 176, 200, 18, 32);
    polygon(cr, {{174, 200}, {196, 200}, {185, 150}});
    stone(cr, m, 174, 150, 196, 200);
    cairo_fill(cr);
    // The clock tower.
    const double tx = 330, tw = 40;
    stone_rect(cr, m, tx, 156, tw, water_y - 156);
    for (int r = 0; r < 8; ++r) {
      rounded_rect(cr, tx + 8, 168 + r * 18, 6, 11, 3);
      rounded_rect(cr, tx + 26, 168 + r * 18, 6, 11, 3);
    }
    set_colour(cr, m.night ? m.window : m.stone_dark, m.night ? 0.7 : 0.5);
    cairo_fill(cr);
    stone_rect(cr, m, tx - 5, 108, tw + 10, 50);  // clock stage
    fill_rect(cr, tx - 7, 106, tw + 14, 4, m.stone_dark, 0.8);
    fill_rect(cr, tx - 7, 154, tw + 14, 4, m.stone_dark, 0.8);
    cairo_arc(cr, tx + tw / 2, 132, 17, 0, 2 * M_PI);
    set_colour(cr, hex(0x2a2418));
    cairo_fill(cr);
    cairo_arc(cr, tx + tw / 2, 132, 14.5, 0, 2 * M_PI);
    set_colour(cr, m.night ? hex(0xfff0b0) : hex(0xf6ecd0));
    cairo_fill(cr);
    if (m.night) scene::glow(cr, tx + tw / 2, 132, 30, hex(0xffe08a), 0.45);
    cairo_set_line_width(cr, 0.8);
    set_colour(cr, hex(0x2a2418));
    for (int i = 0; i < 12; ++i) {
      double a = i * M_PI / 6;
      cairo_move_to(cr, tx + tw / 2 + std::cos(a) * 11, 132 + std::sin(a) * 11);
      cairo_line_to(cr, tx + tw / 2 + std::cos(a) * 13.5, 132 + std::sin(a) * 13.5);
    }
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1.6);
    cairo_move_to(cr, tx + tw / 2, 132);
    cairo_line_to(cr, tx + tw / 2, 122);
    cairo_move_to(cr, tx + tw / 2, 132);
    cairo_line_to(cr, tx + tw / 2 + 7, 134);
    cairo_stroke(cr);
    // Belfry and the gilded spire.
    stone_rect(cr, m, tx - 1, 84, tw + 2, 24);
    for (int i = 0; i < 4; ++i) fill_rect(cr, tx + 4 + i * 9, 88, 4, 16, hex(0x1a1620), 0.8);
    Rgb gold_top = m.night ? hex(0xffe08a) : hex(0xf2c86a),
        gold_dark = m.night ? hex(0x8a6020) : hex(0x6a5040);
    polygon(cr, {{tx - 3, 84}, {tx + tw + 3, 84}, {tx + tw / 2, 30}});
    set_pattern(cr, linear(tx, 0, tx + tw, 0, {{0, gold_top}, {1, gold_dark}}));
    cairo_fill(cr);
    fill_rect(cr, tx + tw / 2 - 0.8, 20, 1.6, 12, gold_top);
    pinnacles(cr, m, tx - 2, tx + tw + 2, 84, (tw + 4) / 2, 16);
    // Westminster Bridge at the right edge.
    fill_rect(cr, 370, 286, 50, 10, m.night ? hex(0x2a6a4a) : hex(0x3a7a5a));
    for (double x : {382.0, 412.0}) {
      cairo_arc(cr, x, water_y, 12, M_PI, 2 * M_PI);
      set_colour(cr, m.water_top);
      cairo_fill(cr);
    }
    fill_rect(cr, 370, 296, 50, 6, m.stone_mid);
    fill_rect(cr, 0, water_y - 4, 370, 4, m.stone_dark);
  });
  ripples(cr, m, water_y, rng);
}

}  // namespace art::landmark
