// The Swiss Re building: the tapered glass tower with its diagonal grid and
// dark spiral bands.
#include "kit.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <tuple>

namespace art::landmark {

namespace {

double gherkin_radius(double y) {
  // Swelling to its widest a third of the way up, then an ogive to the tip.
  const double base = 352, tip = 36, height = base - tip, widest = 66;
  double t = (base - y) / height;  // 0 at the base, 1 at the tip
  if (t < 0.32) return widest * (0.86 + 0.14 * std::sin(M_PI / 2 * t / 0.32));
  double u = (t - 0.32) / 0.68;
  return widest * std::pow(std::max(0.0, 1 - std::pow(u, 2.0)), 0.62);
}

}  // namespace

void gherkin(cairo_t* cr, const Mood& m, Rng& rng) {
  const double ground_y = 352, cx = 212, tip = 36;
  scene::sky(cr, kSize, ground_y, m, rng);
  scene::city_silhouette(cr, 0, kSize, ground_y, 60, 170, m, rng);
  // Outline of the tower.
  auto outline = [&] {
    cairo_move_to(cr, cx - gherkin_radius(ground_y), ground_y);
    for (double y = ground_y; y >= tip; y -= 2) cairo_line_to(cr, cx - gherkin_radius(y), y);
    for (double y = tip; y <= ground_y; y += 2) cairo_line_to(cr, cx + gherkin_radius(y), y);
    cairo_close_path(cr);
  };
  Rgb glass_light = m.night ? hex(0x2a5a9a) : hex(0x8ab8d8);
  Rgb glass_dark = m.night ? hex(0x061436) : hex(0x2a3a6a);
  outline();
  set_pattern(cr, linear(cx - 75, 0, cx + 75, 0,
                         {{0, glass_dark},
                          {0.28, glass_light},
                          {0.45, mix(glass_light, hex(0xffffff), 0.25)},
                          {1, glass_dark}}));
  cairo_fill(cr);
  cairo_save(cr);
  outline();
  cairo_clip(cr);
  // Sunset reflected on the glass.
  if (!m.night) {
    outline();
    set_pattern(cr, linear(0, tip, 0, ground_y, {{0, m.sky_mid, 0.0}, {0.7, m.sun, 0.35}, {1, m.sun, 0.5}}));
    cairo_fill(cr);
  }
  // Spiral bands and the diamond grid: lines of constant angle + twist * height.
  auto helix = [&](double phase, double twist, double width, Rgb colour, double alpha) {
    bool drawing = false;
    for (double y = ground_y; y >= tip; y -= 1.5) {
      double a = phase + twist * (ground_y - y);
      double s = std::sin(a), c = std::cos(a);
      if (c < 0) {
        drawing = false;
        continue;
      }
      double x = cx + gherkin_radius(y) * s;
      if (!drawing) cairo_move_to(cr, x, y);
      else cairo_line_to(cr, x, y);
      drawing = true;
    }
    cairo_set_line_width(cr, width);
    set_colour(cr, colour, alpha);
    cairo_stroke(cr);
  };
  Rgb band = m.night ? hex(0x020818) : hex(0x141c3a);
  for (int i = 0; i < 6; ++i) helix(i * M_PI / 3, 0.012, 9, band, 0.75);
  Rgb grid = m.night ? hex(0x6a9ad8) : hex(0xe8f0ff);
  for (int i = 0; i < 24; ++i) {
    helix(i * M_PI / 12, 0.012, 0.8, grid, 0.55);
    helix(i * M_PI / 12, -0.012, 0.8, grid, 0.55);
  }
  // Floors lit at night.
  if (m.night) {
    for (double y = ground_y - 8; y > tip + 40; y -= 7) {
      double rr = gherkin_radius(y);
      cairo_rectangle(cr, cx - rr, y, 2 * rr, 1.4);
      set_colour(cr, m.window, rng.range(0.15, 0.45));
      cairo_fill(cr);
    }
  }
  cairo_restore(cr);
  // The dark lens at the top.
  cairo_save(cr);
  outline();
  cairo_clip(cr);
  cairo_rectangle(cr, cx - 40, tip - 2, 80, 16);
  set_colour(cr, m.night ? hex(0x6ad0ff) : hex(0x0a1230), m.night ? 0.75 : 1.0);
  cairo_fill(cr);
  cairo_restore(cr);
  if (m.night) scene::glow(cr, cx, tip + 6, 30, hex(0x6ad0ff), 0.35);
  // Low buildings in front and the plaza.
  for (auto [x, w, h] :
       {std::tuple{0.0, 90.0, 70.0}, {84.0, 56.0, 44.0}, {300.0, 60.0, 52.0}, {350.0, 70.0, 86.0}}) {
    fill_rect(cr, x, ground_y - h, w, h, mix(m.silhouette, m.stone_dark, 0.4));
    scene::windows(cr, x + 4, ground_y - h + 6, w - 8, h - 10, static_cast<int>(w / 9),
                   static_cast<int>(h / 11), m, rng);
  }
  scene::ground(cr, kSize, ground_y, kSize, m);
  for (int i = 0; i < 9; ++i) {
    cairo_move_to(cr, 210, ground_y);
    cairo_line_to(cr, -200 + i * 100, kSize);
  }
  cairo_set_line_width(cr, 1);
  set_colour(cr, m.stone_mid, 0.25);
  cairo_stroke(cr);
  scene::lamp(cr, 150, 400, 60, m);
  scene::lamp(cr, 274, 400, 60, m);
}

}  // namespace art::landmark
