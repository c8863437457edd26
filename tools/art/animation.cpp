// The title animation: twenty frames of soft light on black that loop seamlessly.
// The game adds them at half strength, so black is invisible and every shape glows.
// Every motion completes a whole symmetry step in twenty frames: the rays turn by
// one ray spacing, each orb ring by one orb spacing, each ripple by one ring spacing.
#include "picture.hpp"
#include "skyline.hpp"

#include <cmath>
#include <string>

namespace art {

namespace {

constexpr int kFrames = 20;
constexpr int kSize = 360;
constexpr double kCentre = kSize / 2.0;

void rays(cairo_t* cr, double phase) {
  const int count = 12;
  const double spacing = 2 * M_PI / count;
  for (int i = 0; i < count; ++i) {
    double a = i * spacing + 2 * phase * spacing;  // two spacings keep the alternating colours in step
    double half = spacing * 0.18;
    cairo_move_to(cr, kCentre, kCentre);
    cairo_arc(cr, kCentre, kCentre, kSize * 0.75, a - half, a + half);
    cairo_close_path(cr);
    Rgb c = i % 2 ? hex(0x2850ff) : hex(0x5a3aff);
    set_pattern(cr, radial(kCentre, kCentre, 10, kSize * 0.55, {{0, c, 0.55}, {0.5, c, 0.18}, {1, c, 0}}));
    cairo_fill(cr);
  }
}

void ripples(cairo_t* cr, double phase) {
  const int count = 3;
  for (int j = 0; j < count; ++j) {
    double f = std::fmod(phase + static_cast<double>(j) / count, 1.0);
    double r = 20 + f * (kSize * 0.5);
    double strength = std::sin(M_PI * f);  // fades in at the centre and out at the edge
    cairo_arc(cr, kCentre, kCentre, r, 0, 2 * M_PI);
    cairo_set_line_width(cr, 10 + 14 * f);
    set_colour(cr, hex(0xff8a2a), 0.45 * strength);
    cairo_stroke(cr);
    cairo_arc(cr, kCentre, kCentre, r, 0, 2 * M_PI);
    cairo_set_line_width(cr, 3);
    set_colour(cr, hex(0xffd27a), 0.55 * strength);
    cairo_stroke(cr);
  }
}

void orbs(cairo_t* cr, double phase) {
  struct Ring {
    double radius;
    int count;
    int direction;
    Rgb colour;
    double size;
  };
  const Ring rings[] = {
      {62, 6, 1, hex(0xffb04a), 16}, {118, 8, -1, hex(0x4ad8ff), 14}, {160, 10, 1, hex(0xff6aa8), 11}};
  for (const Ring& ring : rings) {
    double spacing = 2 * M_PI / ring.count;
    for (int i = 0; i < ring.count; ++i) {
      double a = i * spacing + ring.direction * phase * spacing;
      double x = kCentre + std::cos(a) * ring.radius, y = kCentre + std::sin(a) * ring.radius;
      scene::glow(cr, x, y, ring.size * 2.2, ring.colour, 0.75);
      scene::glow(cr, x, y, ring.size * 0.6, hex(0xffffff), 0.6);
    }
  }
}

Picture frame(int k) {
  Canvas c(kSize, kSize, true);
  cairo_t* cr = c.cr();
  double phase = static_cast<double>(k) / kFrames;
  cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
  rays(cr, phase);
  ripples(cr, phase);
  orbs(cr, phase);
  scene::glow(cr, kCentre, kCentre, 70, hex(0x3a5aff), 0.5);
  // Fade to black towards the picture's edge so the zoomed frame has no seam.
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  cairo_rectangle(cr, 0, 0, kSize, kSize);
  set_pattern(cr, radial(kCentre, kCentre, kSize * 0.36, kSize * 0.5, {{0, hex(0), 0}, {1, hex(0), 1}}));
  cairo_fill(cr);
  cairo_rectangle(cr, 0, 0, kSize, kSize);
  cairo_set_line_width(cr, 4);
  set_colour(cr, hex(0));
  cairo_stroke(cr);
  return Picture{"anim" + std::to_string(k + 1) + ".png", Format::Png, std::move(c)};
}

}  // namespace

void add_animation(PictureList& out) {
  for (int k = 0; k < kFrames; ++k) out.push_back(frame(k));
}

}  // namespace art
