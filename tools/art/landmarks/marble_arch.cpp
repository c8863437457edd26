// Marble Arch: the white triumphal arch with its three openings.
#include "kit.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <tuple>

namespace art::landmark {

namespace {

void arch_opening(cairo_t* cr, double x, double w, double spring, double base) {
  cairo_move_to(cr, x, base);
  cairo_line_to(cr, x, spring);
  cairo_arc(cr, x + w / 2, spring, w / 2, M_PI, 2 * M_PI);
  cairo_line_to(cr, x + w, base);
  cairo_close_path(cr);
}

}  // namespace

void marble_arch(cairo_t* cr, const Mood& m, Rng& rng) {
  const double ground_y = 338;
  scene::sky(cr, kSize, ground_y, m, rng);
  scene::city_silhouette(cr, 0, kSize, ground_y - 10, 30, 80, m, rng);
  for (double x : {10.0, 50.0, 370.0, 408.0}) scene::tree(cr, x, ground_y, 90, m);
  Mood marble = m;
  marble.stone_light = mix(m.stone_light, hex(0xffffff), 0.55);
  marble.stone_mid = mix(m.stone_mid, hex(0xffffff), 0.45);
  marble.stone_dark = mix(m.stone_dark, hex(0xd8d8e8), 0.35);
  // Attic, entablature and body.
  stone_rect(cr, marble, 100, 118, 220, 34);
  stone_rect(cr, marble, 62, 150, 296, 22);
  stone_rect(cr, marble, 70, 170, 280, ground_y - 170);
  fill_rect(cr, 58, 148, 304, 4, marble.stone_dark, 0.7);
  fill_rect(cr, 58, 170, 304, 3, marble.stone_dark, 0.6);
  fill_rect(cr, 96, 116, 228, 3, marble.stone_dark, 0.6);
  // Openings show the dark park beyond.
  Rgb through = m.night ? hex(0x0a0f28) : hex(0x3a2f5a);
  arch_opening(cr, 176, 68, 248, ground_y);
  arch_opening(cr, 100, 40, 276, ground_y);
  arch_opening(cr, 280, 40, 276, ground_y);
  set_pattern(cr, linear(0, 200, 0, ground_y, {{0, through}, {1, mix(through, m.sun, 0.3)}}));
  cairo_fill(cr);
  // Arch rims.
  cairo_set_line_width(cr, 3);
  set_colour(cr, marble.stone_dark, 0.8);
  cairo_arc(cr, 210, 248, 37, M_PI, 2 * M_PI);
  cairo_stroke(cr);
  for (double x : {120.0, 300.0}) {
    cairo_arc(cr, x, 276, 22, M_PI, 2 * M_PI);
    cairo_stroke(cr);
  }
  // Paired columns with capitals.
  for (double x : {78.0, 150.0, 254.0, 326.0}) {
    for (double dx : {0.0, 12.0}) {
      cairo_rectangle(cr, x + dx, 182, 8, ground_y - 190);
      set_pattern(cr, linear(x + dx, 0, x + dx + 8, 0, {{0, marble.stone_light}, {1, marble.stone_dark}}));
      cairo_fill(cr);
      fill_rect(cr, x + dx - 1.5, 176, 11, 6, marble.stone_light);
      fill_rect(cr, x + dx - 1.5, ground_y - 10, 11, 10, marble.stone_mid);
    }
  }
  // Relief panels above the side openings and an inscription band on the attic.
  for (double x : {96.0, 276.0}) {
    rounded_rect(cr, x, 196, 48, 40, 3);
    set_colour(cr, marble.stone_dark, 0.35);
    cairo_fill(cr);
    cairo_arc(cr, x + 24, 216, 11, 0, 2 * M_PI);
    set_colour(cr, marble.stone_light, 0.5);
    cairo_fill(cr);
  }
  fill_rect(cr, 128, 128, 164, 14, marble.stone_dark, 0.3);
  // Lawn, path and railings.
  scene::ground(cr, kSize, ground_y, kSize, m);
  cairo_rectangle(cr, 0, ground_y, kSize, 40);
  set_colour(cr, m.foliage, 0.6);
  cairo_fill(cr);
  polygon(cr, {{176, ground_y}, {244, ground_y}, {300, kSize}, {120, kSize}});
  set_pattern(cr, linear(0, ground_y, 0, kSize,
                         {{0, mix(m.ground_top, marble.stone_mid, 0.4)}, {1, m.ground_bottom}}));
  cairo_fill(cr);
  for (int i = 0; i < 42; ++i) fill_rect(cr, i * 10.0, 372, 1.6, 22, hex(0x0c0d1c));
  fill_rect(cr, 0, 372, kSize, 2, hex(0x0c0d1c));
  scene::lamp(cr, 92, 392, 74, m);
  scene::lamp(cr, 328, 392, 74, m);
  if (m.night) {
    scene::glow(cr, 210, ground_y, 170, m.stone_light, 0.22);  // floodlight wash
  }
}

}  // namespace art::landmark
