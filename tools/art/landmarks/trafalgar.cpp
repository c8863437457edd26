// Trafalgar Square: Nelson's Column with its lions, the fountains and the
// gallery behind.
#include "kit.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <tuple>

namespace art::landmark {

namespace {

void lion(cairo_t* cr, const Mood& m, double x, double base, double dir) {
  cairo_save(cr);
  cairo_translate(cr, x, base);
  cairo_scale(cr, dir, 1);
  Rgb bronze = m.night ? hex(0x1c2a30) : hex(0x23303a);
  set_colour(cr, bronze);
  // Lying body with the haunch at the back.
  rounded_rect(cr, -30, -15, 50, 15, 7);
  cairo_fill(cr);
  cairo_arc(cr, -21, -10, 10, 0, 2 * M_PI);
  cairo_fill(cr);
  // Front legs stretched out with paws.
  rounded_rect(cr, 10, -6, 30, 6, 3);
  cairo_fill(cr);
  // Raised head: mane, muzzle, ear.
  ellipse(cr, 17, -22, 10, 12.5);
  cairo_fill(cr);
  polygon(cr, {{20, -31}, {31, -27}, {33, -20}, {30, -16}, {21, -15}});
  cairo_fill(cr);
  polygon(cr, {{16, -33}, {19, -38}, {22, -32}});
  cairo_fill(cr);
  // Tail curling round the haunch.
  cairo_move_to(cr, -30, -4);
  cairo_curve_to(cr, -40, -4, -40, 2, -30, 0);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  // Rim light along the back and the mane.
  cairo_set_line_width(cr, 1.1);
  set_colour(cr, m.night ? m.stone_light : m.sun, 0.7);
  cairo_move_to(cr, -28, -16);
  cairo_curve_to(cr, -16, -17, 0, -16, 8, -16);
  cairo_stroke(cr);
  cairo_arc(cr, 17, -22, 11, M_PI * 1.05, M_PI * 1.5);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void fountain(cairo_t* cr, const Mood& m, double x, double base) {
  ellipse(cr, x, base, 48, 9);
  stone(cr, m, x - 48, base - 9, x + 48, base + 9);
  cairo_fill(cr);
  Rgb spray = m.night ? hex(0x8ad8ff) : hex(0xe8f4ff);
  cairo_set_line_width(cr, 1.4);
  for (int i = -4; i <= 4; ++i) {
    cairo_move_to(cr, x, base - 6);
    cairo_curve_to(cr, x + i * 3, base - 60, x + i * 7, base - 50, x + i * 10, base - 4);
    set_colour(cr, spray, 0.55);
    cairo_stroke(cr);
  }
  if (m.night) scene::glow(cr, x, base - 30, 50, hex(0x4ab0ff), 0.35);
}

}  // namespace

void trafalgar(cairo_t* cr, const Mood& m, Rng& rng) {
  const double ground_y = 322, cx = 250;
  scene::sky(cr, kSize, ground_y, m, rng);
  // The gallery: long front, portico and small dome.
  stone_rect(cr, m, 0, 246, kSize, ground_y - 246);
  fill_rect(cr, 0, 244, kSize, 4, m.stone_dark, 0.8);
  for (int i = 0; i < 30; ++i) {
    double x = 6 + i * 14;
    rounded_rect(cr, x, 262, 7, 16, 3);
    set_colour(cr, m.night ? m.window : m.stone_dark, m.night ? 0.8 : 0.6);
    cairo_fill(cr);
  }
  cairo_arc(cr, 96, 222, 18, M_PI, 2 * M_PI);
  stone(cr, m, 78, 204, 114, 222);
  cairo_fill(cr);
  stone_rect(cr, m, 74, 222, 44, 24);
  polygon(cr, {{54, 246}, {138, 246}, {96, 226}});
  stone(cr, m, 54, 226, 138, 246);
  cairo_fill(cr);
  for (int i = 0; i < 6; ++i) fill_rect(cr, 62 + i * 13, 248, 4, ground_y - 252, m.stone_light);
  // Nelson's Column: pedestal, fluted shaft, capital, statue.
  stone_rect(cr, m, cx - 34, 270, 68, ground_y - 270 + 10);
  stone_rect(cr, m, cx - 28, 248, 56, 24);
  fill_rect(cr, cx - 36, 268, 72, 4, m.stone_dark, 0.7);
  fill_rect(cr, cx - 30, 246, 60, 3, m.stone_dark, 0.7);
  rounded_rect(cr, cx - 18, 280, 36, 24, 2);  // bronze relief
  set_colour(cr, hex(0x2a3a3a), 0.9);
  cairo_fill(cr);
  polygon(cr, {{cx - 9, 248}, {cx + 9, 248}, {cx + 7, 86}, {cx - 7, 86}});
  stone(cr, m, cx - 9, 86, cx + 9, 248);
  cairo_fill(cr);
  cairo_set_line_width(cr, 0.7);
  set_colour(cr, m.stone_dark, 0.55);
  for (int i = -2; i <= 2; ++i) {
    cairo_move_to(cr, cx + i * 3.2, 246);
    cairo_line_to(cr, cx + i * 2.6, 88);
  }
  cairo_stroke(cr);
  Rgb bronze = m.night ? hex(0x4a5a50) : hex(0x3a4a48);
  // Bronze capital with its acanthus leaves, then the drum under the statue.
  polygon(cr, {{cx - 16, 88}, {cx + 16, 88}, {cx + 10, 74}, {cx - 10, 74}});
  set_colour(cr, bronze);
  cairo_fill(cr);
  for (int i = -2; i <= 2; ++i) {
    cairo_arc(cr, cx + i * 6, 80, 3, M_PI, 2 * M_PI);
    set_colour(cr, mix(bronze, m.night ? m.stone_light : m.sun, 0.4));
    cairo_fill(cr);
  }
  fill_rect(cr, cx - 9, 66, 18, 8, m.stone_mid);
  // The admiral: coat, sash, head, bicorne hat, sword.
  Rgb figure = m.night ? hex(0x6a7080) : hex(0x4a4a5a);
  set_colour(cr, figure);
  polygon(cr, {{cx - 7, 66}, {cx + 7, 66}, {cx + 5, 42}, {cx - 5, 42}});
  cairo_fill(cr);
  polygon(cr, {{cx - 5, 44}, {cx - 9, 54}, {cx - 7, 56}, {cx - 3, 48}});  // arm
  cairo_fill(cr);
  cairo_arc(cr, cx, 38, 4, 0, 2 * M_PI);
  cairo_fill(cr);
  polygon(cr, {{cx - 9, 35.5}, {cx + 9, 35.5}, {cx + 2, 30}, {cx - 2, 30}});
  cairo_fill(cr);
  fill_rect(cr, cx + 5, 50, 2, 15, figure);
  cairo_set_line_width(cr, 1);
  set_colour(cr, m.night ? m.stone_light : m.sun, 0.7);
  cairo_move_to(cr, cx - 6, 64);
  cairo_line_to(cr, cx - 4.5, 43);
  cairo_stroke(cr);
  if (m.night) scene::glow(cr, cx, 160, 90, m.stone_light, 0.15);
  // Lions on their plinths beside the pedestal.
  stone_rect(cr, m, cx - 118, 298, 64, ground_y - 298 + 12);
  stone_rect(cr, m, cx + 54, 298, 64, ground_y - 298 + 12);
  lion(cr, m, cx - 86, 298, 1);
  lion(cr, m, cx + 86, 298, -1);
  // The square.
  scene::ground(cr, kSize, ground_y + 10, kSize, m);
  for (int i = 0; i < 12; ++i) {
    cairo_move_to(cr, cx, ground_y + 10);
    cairo_line_to(cr, -300 + i * 90, kSize);
  }
  cairo_set_line_width(cr, 1);
  set_colour(cr, m.stone_mid, 0.2);
  cairo_stroke(cr);
  fountain(cr, m, 62, 382);
  fountain(cr, m, 372, 386);
  scene::lamp(cr, 160, 400, 60, m);
}

}  // namespace art::landmark
