// Tower Bridge: two Gothic towers, the high walkways, raised bascules and the
// blue suspension chains.
#include "kit.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <tuple>

namespace art::landmark {

namespace {

void bridge_tower(cairo_t* cr, const Mood& m, double x, double w, double top, double base) {
  stone_rect(cr, m, x - 6, base - 26, w + 12, 26);  // pier
  stone_rect(cr, m, x, top, w, base - top);
  // Corner turrets with little spires, and the main roof.
  for (double tx : {x - 3.0, x + w - 9.0}) {
    stone_rect(cr, m, tx, top - 22, 12, base - top);
    polygon(cr, {{tx - 1, top - 22}, {tx + 13, top - 22}, {tx + 6, top - 46}});
    set_colour(cr, m.night ? hex(0x3a4a6a) : hex(0x4a5068));
    cairo_fill(cr);
    fill_rect(cr, tx + 5.4, top - 54, 1.2, 9, m.night ? hex(0xffd87a) : hex(0xd8b060));
  }
  polygon(cr, {{x + 6, top}, {x + w - 6, top}, {x + w / 2, top - 40}});
  set_pattern(cr, linear(x, 0, x + w, 0, {{0, m.night ? hex(0x4a5a7a) : hex(0x6a6a88)}, {1, hex(0x1a1e3a)}}));
  cairo_fill(cr);
  fill_rect(cr, x + w / 2 - 0.8, top - 50, 1.6, 12, m.night ? hex(0xffd87a) : hex(0xd8b060));
  // Tall Gothic windows.
  for (int r = 0; r < 4; ++r) {
    double wy = top + 14 + r * 36;
    if (wy + 22 > base - 30) break;
    for (double wx : {x + w * 0.3, x + w * 0.62}) {
      cairo_move_to(cr, wx, wy + 22);
      cairo_line_to(cr, wx, wy + 6);
      cairo_line_to(cr, wx + 3.5, wy);
      cairo_line_to(cr, wx + 7, wy + 6);
      cairo_line_to(cr, wx + 7, wy + 22);
      cairo_close_path(cr);
      set_colour(cr, m.night ? m.window : m.stone_dark, m.night ? 0.9 : 0.6);
      cairo_fill(cr);
    }
  }
}

}  // namespace

void tower_bridge(cairo_t* cr, const Mood& m, Rng& rng) {
  const double water_y = 316;
  scene::sky(cr, kSize, water_y, m, rng);
  scene::city_silhouette(cr, 0, kSize, water_y, 20, 60, m, rng);
  scene::water(cr, kSize, water_y, kSize, m, rng);
  Rgb blue = m.night ? hex(0x5aa0ff) : hex(0x4a8ad8);
  Rgb blue_dark = m.night ? hex(0x1a3a80) : hex(0x1e4a8a);
  Rgb white = m.night ? hex(0xe0f0ff) : hex(0xf0f0f8);
  const double lx = 104, rx = 272, tw = 44, top = 108;
  with_reflection(cr, m, water_y, 0.38, [&] {
    // Suspension chains to the banks.
    cairo_set_line_width(cr, 5);
    set_colour(cr, blue);
    cairo_move_to(cr, lx, 148);
    cairo_curve_to(cr, 70, 210, 30, 250, -10, 262);
    cairo_move_to(cr, rx + tw, 148);
    cairo_curve_to(cr, 350, 210, 390, 250, 430, 262);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1.2);
    set_colour(cr, white, 0.8);
    for (int i = 1; i < 6; ++i) {
      double x = lx - i * 18, xr = rx + tw + i * 18;
      double yl = 148 + (262 - 148) * std::pow(i / 6.5, 1.3);
      cairo_move_to(cr, x, yl);
      cairo_line_to(cr, x, 272);
      cairo_move_to(cr, xr, yl);
      cairo_line_to(cr, xr, 272);
    }
    cairo_stroke(cr);
    // Side spans of the roadway.
    fill_rect(cr, 0, 272, lx, 9, blue_dark);
    fill_rect(cr, rx + tw, 272, kSize - rx - tw, 9, blue_dark);
    fill_rect(cr, 0, 270, lx, 2.5, white);
    fill_rect(cr, rx + tw, 270, kSize - rx - tw, 2.5, white);
    // High walkways between the towers: two lattice girders.
    for (double y : {122.0, 146.0}) {
      fill_rect(cr, lx + tw, y, rx - lx - tw, 16, blue);
      fill_rect(cr, lx + tw, y, rx - lx - tw, 2, white);
      fill_rect(cr, lx + tw, y + 14, rx - lx - tw, 2, white);
      cairo_set_line_width(cr, 1.3);
      set_colour(cr, blue_dark);
      for (double x = lx + tw; x < rx; x += 10) {
        cairo_move_to(cr, x, y + 2);
        cairo_line_to(cr, x + 10, y + 14);
        cairo_move_to(cr, x + 10, y + 2);
        cairo_line_to(cr, x, y + 14);
      }
      cairo_stroke(cr);
    }
    // Raised bascules.
    auto leaf = [&](double pivot_x, double dir) {
      cairo_save(cr);
      cairo_translate(cr, pivot_x, 280);
      cairo_rotate(cr, -dir * 0.62);
      cairo_rectangle(cr, dir > 0 ? 0 : -66, -9, 66, 9);
      set_colour(cr, blue_dark);
      cairo_fill(cr);
      cairo_rectangle(cr, dir > 0 ? 0 : -66, -10, 66, 2.5);
      set_colour(cr, white);
      cairo_fill(cr);
      cairo_restore(cr);
    };
    leaf(lx + tw, 1);
    leaf(rx, -1);
    bridge_tower(cr, m, lx, tw, top, water_y);
    bridge_tower(cr, m, rx, tw, top, water_y);
    if (m.night) {
      scene::glow(cr, lx + tw / 2, 200, 70, m.stone_light, 0.25);
      scene::glow(cr, rx + tw / 2, 200, 70, m.stone_light, 0.25);
    }
  });
  ripples(cr, m, water_y, rng);
}

}  // namespace art::landmark
