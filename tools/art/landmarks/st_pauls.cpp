// St Paul's Cathedral: the great dome on its colonnaded drum, the lantern and
// cross, the two west towers and the portico.
#include "kit.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <tuple>

namespace art::landmark {

namespace {

void west_tower(cairo_t* cr, const Mood& m, double x, double w, double top, double base) {
  stone_rect(cr, m, x, top, w, base - top);
  for (int r = 0; r < 3; ++r) {
    rounded_rect(cr, x + w * 0.34, top + 12 + r * 34, w * 0.32, 20, w * 0.16);
    set_colour(cr, m.night ? m.window : m.stone_dark, m.night ? 0.7 : 0.55);
    cairo_fill(cr);
  }
  // Baroque cupola: drum, small dome, finial.
  stone_rect(cr, m, x + 5, top - 22, w - 10, 22);
  ellipse_arc(cr, x + w / 2, top - 22, (w - 10) / 2, 20, M_PI, 2 * M_PI);
  stone(cr, m, x, top - 42, x + w, top - 22);
  cairo_fill(cr);
  fill_rect(cr, x + w / 2 - 1.5, top - 58, 3, 16, m.night ? hex(0xffd87a) : hex(0xe0b050));
  cairo_arc(cr, x + w / 2, top - 60, 3, 0, 2 * M_PI);
  cairo_fill(cr);
}

}  // namespace

void st_pauls(cairo_t* cr, const Mood& m, Rng& rng) {
  const double ground_y = 334, cx = 210;
  scene::sky(cr, kSize, ground_y, m, rng);
  scene::city_silhouette(cr, 0, kSize, ground_y, 40, 100, m, rng);
  Rgb lead_light = m.night ? hex(0x8a9ac8) : hex(0xb8b8d0),
      lead_dark = m.night ? hex(0x1a2040) : hex(0x3a3a5a);
  // Dome: outer shell with ribs.
  const double dome_base = 150, dome_r = 72;
  ellipse_arc(cr, cx, dome_base, dome_r, dome_r * 1.08, M_PI, 2 * M_PI);
  set_pattern(
      cr,
      linear(
          cx - dome_r, 0, cx + dome_r, 0,
          {{0, lead_dark}, {0.3, lead_light}, {0.45, mix(lead_light, hex(0xffffff), 0.3)}, {1, lead_dark}}));
  cairo_fill(cr);
  cairo_set_line_width(cr, 0.9);
  set_colour(cr, lead_dark, 0.6);
  for (int i = 1; i < 12; ++i) {
    double s = -1 + i / 6.0;
    cairo_move_to(cr, cx + s * dome_r, dome_base);
    cairo_curve_to(cr, cx + s * dome_r * 0.98, dome_base - dome_r * 0.6, cx + s * dome_r * 0.4,
                   dome_base - dome_r, cx, dome_base - dome_r * 1.08);
  }
  cairo_stroke(cr);
  // Lantern, ball and cross.
  stone_rect(cr, m, cx - 9, 54, 18, 26);
  for (int i = 0; i < 3; ++i)
    fill_rect(cr, cx - 6 + i * 5, 58, 2, 18, m.night ? m.window : m.stone_dark, 0.8);
  ellipse_arc(cr, cx, 54, 10, 10, M_PI, 2 * M_PI);
  stone(cr, m, cx - 10, 44, cx + 10, 54);
  cairo_fill(cr);
  Rgb gold = m.night ? hex(0xffe08a) : hex(0xf0c050);
  fill_rect(cr, cx - 1.5, 28, 3, 18, gold);
  cairo_arc(cr, cx, 36, 4, 0, 2 * M_PI);
  set_colour(cr, gold);
  cairo_fill(cr);
  fill_rect(cr, cx - 1.2, 14, 2.4, 14, gold);
  fill_rect(cr, cx - 5, 18, 10, 2.4, gold);
  if (m.night) scene::glow(cr, cx, 36, 24, gold, 0.4);
  // Drum: a colonnade under a balustrade.
  stone_rect(cr, m, cx - 82, 150, 164, 9);
  stone_rect(cr, m, cx - 78, 159, 156, 44);
  for (int i = 0; i < 17; ++i) {
    double x = cx - 74 + i * 9.3;
    fill_rect(cr, x, 163, 3.4, 37, m.night ? hex(0x2a2030) : m.stone_dark, m.night ? 0.8 : 0.45);
  }
  stone_rect(cr, m, cx - 88, 203, 176, 12);
  fill_rect(cr, cx - 90, 201, 180, 3, m.stone_dark, 0.6);
  // Main body, west towers and the portico.
  stone_rect(cr, m, 30, 234, 360, ground_y - 234);
  fill_rect(cr, 28, 232, 364, 4, m.stone_dark, 0.7);
  for (int i = 0; i < 8; ++i) {
    for (double side : {40.0, 300.0}) {
      double x = side + (i % 4) * 20;
      rounded_rect(cr, x, 248 + (i / 4) * 42, 9, 26, 4.5);
      set_colour(cr, m.night ? m.window : m.stone_dark, m.night ? 0.75 : 0.5);
      cairo_fill(cr);
    }
  }
  west_tower(cr, m, 108, 40, 150, ground_y);
  west_tower(cr, m, 272, 40, 150, ground_y);
  // Portico: two tiers of paired columns and a pediment.
  stone_rect(cr, m, 152, 222, 116, ground_y - 222);
  polygon(cr, {{148, 222}, {272, 222}, {210, 196}});
  stone(cr, m, 148, 196, 272, 222);
  cairo_fill(cr);
  polygon(cr, {{158, 219}, {262, 219}, {210, 201}});
  set_colour(cr, m.stone_dark, 0.35);
  cairo_fill(cr);
  fill_rect(cr, 148, 270, 124, 5, m.stone_dark, 0.6);
  for (int tier = 0; tier < 2; ++tier) {
    double y0 = tier == 0 ? 226 : 276, y1 = tier == 0 ? 268 : ground_y;
    for (int i = 0; i < 6; ++i) {
      double x = 158 + i * 19.5;
      cairo_rectangle(cr, x, y0, 7, y1 - y0);
      set_pattern(cr, linear(x, 0, x + 7, 0, {{0, m.stone_light}, {1, m.stone_dark}}));
      cairo_fill(cr);
    }
  }
  if (m.night) scene::glow(cr, cx, 240, 190, m.stone_light, 0.18);
  // Steps, trees and lamps.
  scene::ground(cr, kSize, ground_y, kSize, m);
  for (int i = 0; i < 4; ++i)
    fill_rect(cr, 140 - i * 6, ground_y + i * 4, 140 + i * 12, 4, mix(m.stone_mid, m.ground_top, i / 4.0));
  scene::tree(cr, 30, 392, 110, m);
  scene::tree(cr, 394, 396, 120, m);
  scene::lamp(cr, 112, 400, 60, m);
  scene::lamp(cr, 308, 400, 60, m);
}

}  // namespace art::landmark
