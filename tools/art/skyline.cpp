#include "skyline.hpp"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace art::scene {

Mood dusk() {
  Mood m;
  m.night = false;
  m.sky_top = hex(0x1b2462);
  m.sky_mid = hex(0x5b4a96);
  m.sky_low = hex(0xe07a6a);
  m.horizon = hex(0xffc27a);
  m.sun = hex(0xffb35a);
  m.silhouette = hex(0x2a2350);
  m.window = hex(0xffc870);
  m.window_share = 0.25;
  m.stone_light = hex(0xf3d2a8);
  m.stone_mid = hex(0xb89a92);
  m.stone_dark = hex(0x5e5178);
  m.metal = hex(0x3a3f6a);
  m.water_top = hex(0x8a6a9a);
  m.water_bottom = hex(0x1e2456);
  m.ground_top = hex(0x4a3f66);
  m.ground_bottom = hex(0x1c1a38);
  m.foliage = hex(0x2f4a4a);
  m.stars = 12;
  return m;
}

Mood night() {
  Mood m;
  m.night = true;
  m.sky_top = hex(0x03051a);
  m.sky_mid = hex(0x0c1a4a);
  m.sky_low = hex(0x1f3a7c);
  m.horizon = hex(0x3b4f9a);
  m.sun = hex(0x6a7fd8);
  m.silhouette = hex(0x0a1030);
  m.window = hex(0xffd27a);
  m.window_share = 0.55;
  m.stone_light = hex(0xffd98a);
  m.stone_mid = hex(0xc08a3e);
  m.stone_dark = hex(0x3c2c3e);
  m.metal = hex(0x1a2050);
  m.water_top = hex(0x1a2a66);
  m.water_bottom = hex(0x040824);
  m.ground_top = hex(0x1a1c3a);
  m.ground_bottom = hex(0x06071a);
  m.foliage = hex(0x0f2228);
  m.stars = 90;
  return m;
}

void glow(cairo_t* cr, double x, double y, double r, Rgb colour, double strength) {
  cairo_save(cr);
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  set_pattern(cr,
              radial(x, y, 0, r, {{0, colour, strength}, {0.35, colour, strength * 0.35}, {1, colour, 0}}));
  cairo_fill(cr);
  cairo_restore(cr);
}

void stars(cairo_t* cr, double w, double h, int count, Rng& rng, double brightness) {
  for (int i = 0; i < count; ++i) {
    double x = rng.range(0, w), y = rng.range(0, h), r = rng.range(0.4, 1.3);
    double a = brightness * rng.range(0.35, 1.0) * (1 - 0.6 * y / h);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    set_colour(cr, mix(hex(0xffffff), hex(0xbcd0ff), rng.uniform()), a);
    cairo_fill(cr);
  }
}

void sky(cairo_t* cr, double w, double horizon, const Mood& mood, Rng& rng) {
  cairo_rectangle(cr, 0, 0, w, horizon);
  set_pattern(cr, linear(0, 0, 0, horizon,
                         {{0, mood.sky_top}, {0.45, mood.sky_mid}, {0.85, mood.sky_low}, {1, mood.horizon}}));
  cairo_fill(cr);
  stars(cr, w, horizon * 0.7, mood.stars, rng, mood.night ? 1.0 : 0.6);
  if (mood.night) {
    // Moon with a soft halo.
    double mx = w * 0.8, my = horizon * 0.18;
    glow(cr, mx, my, 40, hex(0xcfd8ff), 0.35);
    cairo_arc(cr, mx, my, 12, 0, 2 * M_PI);
    set_pattern(cr, radial(mx - 3, my - 3, 1, 13, {{0, hex(0xffffff)}, {1, hex(0xd6dcf2)}}));
    cairo_fill(cr);
    glow(cr, w / 2, horizon, w * 0.6, mood.sun, 0.35);
  } else {
    glow(cr, w * 0.25, horizon, w * 0.55, mood.sun, 0.7);
    // A few streaks of cloud lit from below.
    for (int i = 0; i < 5; ++i) {
      double y = horizon * rng.range(0.35, 0.8), x = rng.range(-40, w), len = rng.range(80, 200);
      double th = rng.range(3, 7);
      rounded_rect(cr, x, y, len, th, th / 2);
      set_colour(cr, mix(mood.sky_low, hex(0xffd0a0), 0.5), 0.35);
      cairo_fill(cr);
    }
  }
}

void windows(cairo_t* cr, double x, double y, double w, double h, int cols, int rows, const Mood& mood,
             Rng& rng) {
  double cw = w / cols, ch = h / rows;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) {
      bool lit = rng.uniform() < mood.window_share;
      cairo_rectangle(cr, x + c * cw + cw * 0.22, y + r * ch + ch * 0.2, cw * 0.56, ch * 0.55);
      if (lit) set_colour(cr, mix(mood.window, hex(0xfff3d0), rng.uniform() * 0.5), mood.night ? 1.0 : 0.85);
      else set_colour(cr, scale(mood.silhouette, 0.7), 0.9);
      cairo_fill(cr);
    }
}

void city_silhouette(cairo_t* cr, double x0, double x1, double base_y, double lo, double hi, const Mood& mood,
                     Rng& rng) {
  double x = x0 - rng.range(0, 20);
  while (x < x1) {
    double w = rng.range(18, 46), h = rng.range(lo, hi);
    double top = base_y - h;
    cairo_rectangle(cr, x, top, w, h + 1);
    set_colour(cr, mix(mood.silhouette, mood.sky_low, rng.range(0.0, 0.18)));
    cairo_fill(cr);
    if (rng.uniform() < 0.3) {  // a spire or mast
      cairo_rectangle(cr, x + w / 2 - 1, top - rng.range(6, 18), 2, 20);
      set_colour(cr, mood.silhouette);
      cairo_fill(cr);
    }
    int cols = std::max(1, static_cast<int>(w / 7)), rows = std::max(1, static_cast<int>(h / 9));
    Mood dim = mood;
    dim.window_share = mood.window_share * 0.6;
    windows(cr, x + 2, top + 4, w - 4, h - 6, cols, rows, dim, rng);
    x += w + rng.range(-6, 3);
  }
}

void water(cairo_t* cr, double w, double y0, double y1, const Mood& mood, Rng& rng) {
  cairo_rectangle(cr, 0, y0, w, y1 - y0);
  set_pattern(cr, linear(0, y0, 0, y1, {{0, mood.water_top}, {1, mood.water_bottom}}));
  cairo_fill(cr);
  for (int i = 0; i < 70; ++i) {
    double y = rng.range(y0 + 2, y1), len = rng.range(10, 50) * (0.5 + (y - y0) / (y1 - y0));
    double x = rng.range(-20, w);
    cairo_rectangle(cr, x, y, len, rng.range(0.8, 1.8));
    Rgb c = rng.uniform() < 0.5 ? mood.window : mix(mood.sky_low, hex(0xffffff), 0.3);
    set_colour(cr, c, rng.range(0.12, 0.4));
    cairo_fill(cr);
  }
}

void ground(cairo_t* cr, double w, double y0, double y1, const Mood& mood) {
  cairo_rectangle(cr, 0, y0, w, y1 - y0);
  set_pattern(cr, linear(0, y0, 0, y1, {{0, mood.ground_top}, {1, mood.ground_bottom}}));
  cairo_fill(cr);
}

void lamp(cairo_t* cr, double x, double base, double height, const Mood& mood) {
  Rgb post = hex(0x121526);
  cairo_rectangle(cr, x - 1.5, base - height, 3, height);
  set_colour(cr, post);
  cairo_fill(cr);
  cairo_rectangle(cr, x - 4, base - 4, 8, 4);
  cairo_fill(cr);
  double ly = base - height - 6;
  polygon(cr, {{x - 5, ly}, {x + 5, ly}, {x + 3.5, ly + 7}, {x - 3.5, ly + 7}});
  set_colour(cr, mix(mood.window, hex(0xffffff), 0.4));
  cairo_fill(cr);
  polygon(cr, {{x - 6, ly}, {x + 6, ly}, {x, ly - 4}});
  set_colour(cr, post);
  cairo_fill(cr);
  glow(cr, x, ly + 3, mood.night ? 26 : 16, mood.window, mood.night ? 0.55 : 0.35);
}

void tree(cairo_t* cr, double x, double base, double size, const Mood& mood) {
  cairo_rectangle(cr, x - size * 0.06, base - size * 0.5, size * 0.12, size * 0.5);
  set_colour(cr, scale(mood.foliage, 0.6));
  cairo_fill(cr);
  for (auto [dx, dy, r] : {std::tuple{0.0, -0.75, 0.38}, {-0.25, -0.6, 0.28}, {0.27, -0.58, 0.3}}) {
    cairo_arc(cr, x + dx * size, base + dy * size, r * size, 0, 2 * M_PI);
    set_pattern(cr,
                radial(x + dx * size - r * size * 0.3, base + dy * size - r * size * 0.3, 0, r * size * 1.2,
                       {{0, mix(mood.foliage, mood.sun, mood.night ? 0.1 : 0.3)}, {1, mood.foliage}}));
    cairo_fill(cr);
  }
}

}  // namespace art::scene
