#include "kit.hpp"

#include <cmath>

namespace art::landmark {

void stone(cairo_t* cr, const Mood& m, double x0, double y0, double x1, double y1) {
  if (m.night)
    set_pattern(cr, linear(0, y0, 0, y1, {{0, m.stone_dark}, {0.55, m.stone_mid}, {1, m.stone_light}}));
  else set_pattern(cr, linear(x0, 0, x1, 0, {{0, m.stone_light}, {0.6, m.stone_mid}, {1, m.stone_dark}}));
}

void fill_rect(cairo_t* cr, double x, double y, double w, double h, Rgb c, double a) {
  cairo_rectangle(cr, x, y, w, h);
  set_colour(cr, c, a);
  cairo_fill(cr);
}

void stone_rect(cairo_t* cr, const Mood& m, double x, double y, double w, double h) {
  cairo_rectangle(cr, x, y, w, h);
  stone(cr, m, x, y, x + w, y + h);
  cairo_fill(cr);
}

void with_reflection(cairo_t* cr, const Mood& m, double axis, double alpha,
                     const std::function<void()>& subject) {
  cairo_push_group(cr);
  subject();
  cairo_pattern_t* group = cairo_pop_group(cr);
  cairo_save(cr);
  cairo_rectangle(cr, 0, axis, kSize, kSize - axis);
  cairo_clip(cr);
  cairo_matrix_t flip;
  cairo_matrix_init(&flip, 1, 0, 0, -1, 0, 2 * axis);
  cairo_pattern_set_matrix(group, &flip);
  cairo_set_source(cr, group);
  cairo_paint_with_alpha(cr, alpha);
  // Darken the reflection further away from the bank.
  cairo_rectangle(cr, 0, axis, kSize, kSize - axis);
  set_pattern(cr, linear(0, axis, 0, kSize, {{0, m.water_bottom, 0.1}, {1, m.water_bottom, 0.85}}));
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_matrix_t identity;
  cairo_matrix_init_identity(&identity);
  cairo_pattern_set_matrix(group, &identity);
  cairo_set_source(cr, group);
  cairo_paint(cr);
  cairo_pattern_destroy(group);
}

void ripples(cairo_t* cr, const Mood& m, double y0, Rng& rng) {
  for (int i = 0; i < 90; ++i) {
    double y = rng.range(y0 + 3, kSize), x = rng.range(-20, kSize);
    double len = rng.range(8, 30) * (0.6 + (y - y0) / (kSize - y0));
    cairo_rectangle(cr, x, y, len, 1.2);
    set_colour(cr, rng.uniform() < 0.5 ? m.window : mix(m.sky_low, hex(0xffffff), 0.4),
               rng.range(0.15, 0.45));
    cairo_fill(cr);
  }
}

}  // namespace art::landmark
