// The London Eye: the great wheel on the river bank with its capsules.
#include "kit.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <tuple>

namespace art::landmark {

void london_eye(cairo_t* cr, const Mood& m, Rng& rng) {
  const double water_y = 318, cx = 222, cy = 168, r = 140;
  scene::sky(cr, kSize, water_y, m, rng);
  scene::city_silhouette(cr, 0, kSize, water_y, 20, 70, m, rng);
  scene::water(cr, kSize, water_y, kSize, m, rng);
  Rgb steel = m.night ? hex(0x8ac8ff) : hex(0xf4f0f8);
  Rgb capsule = m.night ? hex(0xc8f0ff) : hex(0xe8eef8);
  with_reflection(cr, m, water_y, 0.35, [&] {
    // County Hall on the bank.
    stone_rect(cr, m, 300, 262, 120, water_y - 262);
    polygon(cr, {{300, 262}, {420, 262}, {420, 248}, {318, 248}});
    set_colour(cr, m.night ? hex(0x3a3050) : hex(0x6a5070));
    cairo_fill(cr);
    scene::windows(cr, 304, 268, 112, 44, 14, 4, m, rng);
    // Bank.
    fill_rect(cr, 0, water_y - 8, kSize, 8, m.night ? hex(0x121430) : hex(0x3a3050));
    // Spokes.
    cairo_set_line_width(cr, 0.7);
    set_colour(cr, steel, 0.55);
    for (int i = 0; i < 64; ++i) {
      double a = i * M_PI / 32;
      cairo_move_to(cr, cx + std::cos(a) * 8, cy + std::sin(a) * 8);
      cairo_line_to(cr, cx + std::cos(a) * (r - 4), cy + std::sin(a) * (r - 4));
    }
    cairo_stroke(cr);
    // Rim: two rings joined by bracing.
    cairo_set_line_width(cr, 2.6);
    set_colour(cr, steel);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1.6);
    cairo_arc(cr, cx, cy, r - 7, 0, 2 * M_PI);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 0.9);
    for (int i = 0; i < 96; ++i) {
      double a0 = i * M_PI / 48, a1 = (i + 1) * M_PI / 48;
      double ra = i % 2 ? r : r - 7, rb = i % 2 ? r - 7 : r;
      cairo_move_to(cr, cx + std::cos(a0) * ra, cy + std::sin(a0) * ra);
      cairo_line_to(cr, cx + std::cos(a1) * rb, cy + std::sin(a1) * rb);
    }
    cairo_stroke(cr);
    // Capsules outside the rim.
    for (int i = 0; i < 32; ++i) {
      double a = i * M_PI / 16 + 0.05;
      double px = cx + std::cos(a) * (r + 7), py = cy + std::sin(a) * (r + 7);
      cairo_save(cr);
      cairo_translate(cr, px, py);
      cairo_rotate(cr, a);
      cairo_scale(cr, 6.5, 4.2);
      cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
      cairo_restore(cr);
      set_colour(cr, capsule);
      cairo_fill(cr);
      if (m.night) scene::glow(cr, px, py, 9, hex(0x7ad0ff), 0.5);
    }
    // The A-frame leaning from the bank, with its stay cables.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 7);
    set_colour(cr, m.night ? hex(0xd8e8ff) : hex(0xe0dce8));
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, 296, water_y - 6);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, 330, water_y - 6);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 3);
    cairo_move_to(cr, 262, 244);
    cairo_line_to(cr, 282, 244);
    cairo_move_to(cr, 246, 206);
    cairo_line_to(cr, 260, 206);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 0.8);
    set_colour(cr, steel, 0.6);
    for (double x : {360.0, 380.0, 400.0}) {
      cairo_move_to(cr, cx + 4, cy + 2);
      cairo_line_to(cr, x, water_y - 8);
    }
    cairo_stroke(cr);
    // Hub.
    cairo_arc(cr, cx, cy, 11, 0, 2 * M_PI);
    set_colour(cr, m.night ? hex(0x3a5080) : hex(0x6a6a88));
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, 5, 0, 2 * M_PI);
    set_colour(cr, steel);
    cairo_fill(cr);
    if (m.night) scene::glow(cr, cx, cy, r * 1.15, hex(0x3a7aff), 0.18);
  });
  ripples(cr, m, water_y, rng);
  scene::lamp(cr, 40, water_y - 6, 56, m);
  scene::lamp(cr, 120, water_y - 6, 56, m);
}

}  // namespace art::landmark
