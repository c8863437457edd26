// Piccadilly Circus: the lit advertising screens on the curved corner, the
// fountain with the winged archer, a red double-decker bus.
#include "kit.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <tuple>

namespace art::landmark {

namespace {

void billboard(cairo_t* cr, const Mood& m, double x, double y, double w, double h, Rgb bg, Rgb fg, int kind) {
  fill_rect(cr, x - 1.5, y - 1.5, w + 3, h + 3, hex(0x05060c));
  cairo_rectangle(cr, x, y, w, h);
  set_pattern(cr, linear(x, y, x + w, y + h, {{0, bg}, {1, scale(bg, 0.55)}}));
  cairo_fill(cr);
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  switch (kind % 4) {
    case 0:  // logo disc and a slogan bar
      cairo_arc(cr, x + w * 0.3, y + h * 0.5, h * 0.32, 0, 2 * M_PI);
      set_colour(cr, fg);
      cairo_fill(cr);
      fill_rect(cr, x + w * 0.55, y + h * 0.35, w * 0.35, h * 0.12, fg);
      fill_rect(cr, x + w * 0.55, y + h * 0.55, w * 0.25, h * 0.1, fg, 0.7);
      break;
    case 1:  // bold stripes
      for (int i = 0; i < 4; ++i) {
        polygon(cr, {{x + i * w / 3 - w * 0.2, y + h},
                     {x + i * w / 3, y},
                     {x + i * w / 3 + w * 0.12, y},
                     {x + i * w / 3 - w * 0.08, y + h}});
        set_colour(cr, fg, 0.85);
        cairo_fill(cr);
      }
      break;
    case 2:  // a bottle-like shape and text lines
      rounded_rect(cr, x + w * 0.12, y + h * 0.2, w * 0.14, h * 0.65, w * 0.05);
      set_colour(cr, fg);
      cairo_fill(cr);
      for (int i = 0; i < 3; ++i)
        fill_rect(cr, x + w * 0.35, y + h * (0.25 + i * 0.2), w * (0.5 - i * 0.1), h * 0.1, fg, 0.8);
      break;
    default:  // big letter-like blocks
      cairo_arc(cr, x + w * 0.5, y + h * 0.5, h * 0.38, 0, 2 * M_PI);
      cairo_set_line_width(cr, h * 0.12);
      set_colour(cr, fg);
      cairo_stroke(cr);
      fill_rect(cr, x + w * 0.08, y + h * 0.15, w * 0.1, h * 0.7, fg, 0.8);
      break;
  }
  cairo_restore(cr);
  scene::glow(cr, x + w / 2, y + h / 2, std::max(w, h) * 0.9, bg, m.night ? 0.35 : 0.2);
}

void bus(cairo_t* cr, const Mood& m, double x, double base) {
  const double w = 150, h = 78;
  double top = base - h - 8;
  rounded_rect(cr, x, top, w, h, 9);
  set_pattern(cr, linear(0, top, 0, top + h, {{0, hex(0xf0352a)}, {1, hex(0x8a0c0c)}}));
  cairo_fill(cr);
  fill_rect(cr, x, top + h * 0.47, w, 4, hex(0xf2e6c8), 0.9);  // cream band
  for (int deck = 0; deck < 2; ++deck) {
    double wy = top + 8 + deck * 38;
    for (int i = 0; i < 6; ++i) {
      rounded_rect(cr, x + 22 + i * 20.5, wy, 16, 16, 2);
      set_colour(cr, m.night ? mix(m.window, hex(0xffffff), 0.3) : hex(0x32406a));
      cairo_fill(cr);
    }
  }
  rounded_rect(cr, x + 3, top + 8, 15, 16, 2);  // front windows
  set_colour(cr, m.night ? m.window : hex(0x2a3560));
  cairo_fill(cr);
  rounded_rect(cr, x + 3, top + 46, 15, 22, 2);
  cairo_fill(cr);
  fill_rect(cr, x + 4, top + 2, 24, 5, hex(0x111111));
  fill_rect(cr, x + 6, top + 3, 18, 3, hex(0xffb000));  // destination blind
  for (double wx : {x + 30, x + 118}) {
    cairo_arc(cr, wx, base - 8, 10, 0, 2 * M_PI);
    set_colour(cr, hex(0x101010));
    cairo_fill(cr);
    cairo_arc(cr, wx, base - 8, 4, 0, 2 * M_PI);
    set_colour(cr, hex(0x6a6a6a));
    cairo_fill(cr);
  }
  scene::glow(cr, x + 2, base - 20, m.night ? 24 : 12, hex(0xfff2c0), 0.8);  // headlight
}

// The winged archer on one foot, bow drawn, as a bronze silhouette.
void archer(cairo_t* cr, const Mood& m, double cx, double feet) {
  cairo_save(cr);
  cairo_translate(cr, cx, feet);
  Rgb bronze = m.night ? hex(0x3a5a58) : hex(0x2e4a4c);
  set_colour(cr, bronze);
  // Standing leg and raised back leg.
  polygon(cr, {{-1.5, 0}, {1.5, 0}, {2, -14}, {-1, -14}});
  cairo_fill(cr);
  polygon(cr, {{0, -13}, {3, -15}, {14, -10}, {15, -7}, {12, -8}});
  cairo_fill(cr);
  // Torso leaning forward.
  polygon(cr, {{-2, -13}, {3, -14}, {1, -27}, {-4, -26}});
  cairo_fill(cr);
  cairo_arc(cr, -2.5, -30, 3.2, 0, 2 * M_PI);
  cairo_fill(cr);
  // Wings.
  polygon(cr, {{-1, -25}, {-14, -44}, {-10, -30}, {-16, -34}, {-4, -22}});
  cairo_fill(cr);
  polygon(cr, {{1, -25}, {10, -46}, {9, -32}, {15, -38}, {3, -22}});
  cairo_fill(cr);
  // Arms and bow.
  cairo_set_line_width(cr, 1.8);
  cairo_move_to(cr, -1, -24);
  cairo_line_to(cr, -13, -22);
  cairo_stroke(cr);
  cairo_arc(cr, -9, -22, 9, M_PI * 0.6, M_PI * 1.4);
  cairo_set_line_width(cr, 1.3);
  cairo_stroke(cr);
  // Highlight on the lit side.
  cairo_set_line_width(cr, 0.8);
  set_colour(cr, m.night ? m.stone_light : m.sun, 0.8);
  cairo_move_to(cr, -4, -26);
  cairo_line_to(cr, -2, -14);
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace

void piccadilly(cairo_t* cr, const Mood& m, Rng& rng) {
  const double ground_y = 338;
  scene::sky(cr, kSize, ground_y, m, rng);
  scene::city_silhouette(cr, 0, kSize, ground_y, 60, 120, m, rng);
  // The curved corner building: its front bows towards the viewer, so the roof,
  // the cornices and the band of screens follow the same gentle curve.
  auto bow = [](double x) { return std::sin(M_PI * std::clamp((x - 150) / 270, 0.0, 1.0)); };
  auto facade = [&] {
    if (m.night)
      set_pattern(cr,
                  linear(0, 50, 0, ground_y, {{0, hex(0x1a1a3a)}, {0.7, hex(0x3a2e48)}, {1, hex(0x8a6a50)}}));
    else stone(cr, m, 150, 50, 420, ground_y);
  };
  auto curve_band = [&](double top, double top_bow, double bottom, double bottom_bow) {
    cairo_move_to(cr, 150, top);
    for (double x = 150; x <= 420; x += 3) cairo_line_to(cr, x, top - top_bow * bow(x));
    for (double x = 420; x >= 150; x -= 3) cairo_line_to(cr, x, bottom - bottom_bow * bow(x));
    cairo_close_path(cr);
  };
  curve_band(84, 22, ground_y, 0);
  facade();
  cairo_fill(cr);
  for (double x = 158; x < 420; x += 52)
    fill_rect(cr, x, 70, 3, ground_y - 70, m.stone_dark, 0.35);  // pilasters
  struct Board {
    double x, y, w, h;
    std::uint32_t bg, fg;
  };
  const Board boards[] = {{160, 86, 84, 72, 0xe02030, 0xffffff},   {248, 80, 96, 60, 0x1e5ad8, 0xffe040},
                          {348, 82, 70, 76, 0xffc21a, 0xb01010},   {248, 144, 48, 56, 0x22b04a, 0xffffff},
                          {300, 144, 118, 56, 0xd81b80, 0xffffff}, {160, 162, 84, 82, 0x101a40, 0x4fe3ff},
                          {248, 204, 170, 42, 0xff6a1a, 0xffffff}};
  int kind = 0;
  for (const Board& b : boards) billboard(cr, m, b.x, b.y, b.w, b.h, hex(b.bg), hex(b.fg), kind++);
  // Facade above and below the screens, cut along the curve.
  curve_band(84, 22, 102, 18);
  facade();
  cairo_fill(cr);
  curve_band(242, 8, 256, 8);
  facade();
  cairo_fill(cr);
  for (auto [y, b] : {std::pair{84.0, 22.0}, {100.0, 18.0}, {243.0, 8.0}}) {
    cairo_move_to(cr, 150, y);
    for (double x = 150; x <= 420; x += 3) cairo_line_to(cr, x, y - b * bow(x));
    cairo_set_line_width(cr, 3);
    set_colour(cr, m.night ? hex(0x0a0a1a) : m.stone_dark, 0.8);
    cairo_stroke(cr);
  }
  scene::windows(cr, 160, 258, 250, 46, 12, 2, m, rng);
  // Street.
  scene::ground(cr, kSize, ground_y, kSize, m);
  for (int i = 0; i < 6; ++i) fill_rect(cr, 20 + i * 72, 378, 36, 4, hex(0xf0e8d0), 0.5);
  // The fountain: steps, basin, column, the archer on top.
  for (int i = 0; i < 3; ++i) {
    ellipse(cr, 90, ground_y + 6 - i * 7, 70 - i * 12, 12 - i * 2);
    stone(cr, m, 20, ground_y - 20, 160, ground_y + 10);
    cairo_fill(cr);
  }
  Rgb bronze = m.night ? hex(0x2c4a4c) : hex(0x2a3f48);
  polygon(cr, {{72, ground_y - 14}, {108, ground_y - 14}, {98, 262}, {82, 262}});
  set_pattern(cr, linear(72, 0, 108, 0, {{0, mix(bronze, m.sun, 0.35)}, {1, bronze}}));
  cairo_fill(cr);
  ellipse(cr, 90, 262, 26, 6);
  set_colour(cr, mix(bronze, m.sun, 0.25));
  cairo_fill(cr);
  polygon(cr, {{84, 258}, {96, 258}, {93, 222}, {87, 222}});
  set_colour(cr, bronze);
  cairo_fill(cr);
  ellipse(cr, 90, 222, 12, 3.5);
  cairo_fill(cr);
  archer(cr, m, 90, 220);
  // Water jets from the basin.
  for (double dx : {-20.0, 20.0}) {
    cairo_move_to(cr, 90 + dx * 0.4, 262);
    cairo_curve_to(cr, 90 + dx, 250, 90 + dx * 1.3, 262, 90 + dx * 1.4, 282);
    cairo_set_line_width(cr, 1.5);
    set_colour(cr, hex(0xcfe6ff), 0.7);
    cairo_stroke(cr);
  }
  scene::lamp(cr, 22, ground_y + 2, 70, m);
  bus(cr, m, 176, 402);
  if (m.night) {  // light trails of passing traffic
    for (int i = 0; i < 5; ++i) {
      double y = 388 + i * 5;
      cairo_rectangle(cr, 0, y, 170, 1.6);
      set_pattern(
          cr, linear(0, 0, 170, 0, {{0, hex(0xff3020), 0}, {1, i % 2 ? hex(0xff3020) : hex(0xfff0c0), 0.8}}));
      cairo_fill(cr);
    }
  }
}

}  // namespace art::landmark
