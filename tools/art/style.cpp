#include "style.hpp"

namespace art::style {

namespace {

struct ToneColours {
  Rgb top, bottom, rim;
};

ToneColours colours(Tone tone) {
  switch (tone) {
    case Tone::Blue: return {hex(0x4a74d0), hex(0x142a66), kGold};
    case Tone::Orange: return {hex(0xffb24a), hex(0xc2410f), hex(0xffe7a8)};
    case Tone::Crimson: return {hex(0xe0485a), hex(0x6a0f22), kGold};
    case Tone::Green: return {hex(0x4cc46a), hex(0x135a2a), kGold};
    case Tone::Slate: return {hex(0x5a6080), hex(0x22263c), hex(0xb9a77a)};
  }
  return {hex(0x4a74d0), hex(0x142a66), kGold};
}

}  // namespace

TextStyle button_label(cairo_t* cr, const std::string& label, double w, double text_size, double hscale) {
  TextStyle ts{Face::SansBold, text_size, hscale, hex(0xffffff), kPaleGold, kOutline, 2.5, 0};
  return fit_text(cr, label, ts, w - 14);
}

void button(cairo_t* cr, double x, double y, double w, double h, const std::string& label, Tone tone,
            const TextStyle& lettering) {
  ToneColours c = colours(tone);
  double r = h * 0.32;
  cairo_save(cr);
  // Dark outline and body.
  rounded_rect(cr, x + 0.5, y + 0.5, w - 1, h - 1, r);
  set_colour(cr, kOutline);
  cairo_fill(cr);
  rounded_rect(cr, x + 1.5, y + 1.5, w - 3, h - 3, r - 1);
  set_pattern(cr, linear(0, y, 0, y + h, {{0, c.rim}, {1, scale(c.rim, 0.55)}}));
  cairo_fill(cr);
  rounded_rect(cr, x + 3, y + 3, w - 6, h - 6, r - 2.5);
  set_pattern(cr,
              linear(0, y + 3, 0, y + h - 3, {{0, c.top}, {0.55, mix(c.top, c.bottom, 0.6)}, {1, c.bottom}}));
  cairo_fill(cr);
  // Gloss on the upper half.
  rounded_rect(cr, x + 5, y + 4, w - 10, (h - 8) * 0.45, r - 4);
  set_pattern(
      cr, linear(0, y + 4, 0, y + 4 + (h - 8) * 0.45, {{0, hex(0xffffff), 0.45}, {1, hex(0xffffff), 0.05}}));
  cairo_fill(cr);
  draw_text_centred(cr, label, x + w / 2, y + h / 2 + 0.5, lettering);
  cairo_restore(cr);
}

void button(cairo_t* cr, double x, double y, double w, double h, const std::string& label, Tone tone,
            double text_size) {
  button(cr, x, y, w, h, label, tone, button_label(cr, label, w, text_size));
}

void key_cap(cairo_t* cr, double x, double y, double w, double h, const std::string& label) {
  cairo_save(cr);
  rounded_rect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 6);
  set_colour(cr, kOutline);
  cairo_fill(cr);
  rounded_rect(cr, x + 1.5, y + 1.5, w - 3, h - 3, 5);
  set_pattern(cr, linear(0, y, 0, y + h, {{0, hex(0xd8c9a0)}, {1, hex(0x6d5d3a)}}));
  cairo_fill(cr);
  rounded_rect(cr, x + 3, y + 2.5, w - 6, h - 7, 4);
  set_pattern(cr, linear(0, y + 2, 0, y + h - 4, {{0, hex(0x4f5a86)}, {1, hex(0x1d2347)}}));
  cairo_fill(cr);
  rounded_rect(cr, x + 4, y + 3.5, w - 8, (h - 9) * 0.45, 3);
  set_colour(cr, hex(0xffffff), 0.16);
  cairo_fill(cr);
  TextStyle ts{
      Face::SansBold, label.size() == 1 ? 17.0 : 14.0, 1.0, hex(0xffffff), kPaleGold, kOutline, 2.2, 0};
  ts = fit_text(cr, label, ts, w - 10);
  draw_text_centred(cr, label, x + w / 2, y + h / 2 - 1.5, ts);
  cairo_restore(cr);
}

void plaque(cairo_t* cr, double x, double y, double w, double h, double radius, Rgb glow) {
  cairo_save(cr);
  rounded_rect(cr, x + 0.5, y + 0.5, w - 1, h - 1, radius);
  set_colour(cr, kOutline);
  cairo_fill(cr);
  rounded_rect(cr, x + 2, y + 2, w - 4, h - 4, radius - 1.5);
  set_pattern(cr, linear(0, y, 0, y + h, {{0, kPaleGold}, {0.5, kGold}, {1, hex(0x8a5a17)}}));
  cairo_fill(cr);
  rounded_rect(cr, x + 5, y + 5, w - 10, h - 10, radius - 4);
  set_pattern(cr, linear(0, y + 5, 0, y + h - 5, {{0, hex(0x1b2c66)}, {1, hex(0x070b22)}}));
  cairo_fill(cr);
  // A soft glow of the sign's colour rising from the bottom.
  rounded_rect(cr, x + 5, y + 5, w - 10, h - 10, radius - 4);
  set_pattern(cr, radial(x + w / 2, y + h, 0, h * 0.9, {{0, glow, 0.55}, {1, glow, 0}}));
  cairo_fill(cr);
  cairo_restore(cr);
}

void gold_rim(cairo_t* cr, double x, double y, double w, double h, double radius, double rim,
              double inner_radius) {
  rounded_rect(cr, x, y, w, h, radius);
  set_colour(cr, kOutline);
  cairo_fill(cr);
  rounded_rect(cr, x + rim, y + rim, w - 2 * rim, h - 2 * rim, inner_radius);
  set_pattern(cr, linear(0, y + rim, 0, y + h - rim, {{0, kPaleGold}, {0.5, kGold}, {1, hex(0x7a4a12)}}));
  cairo_fill(cr);
}

TextStyle display(double size, Rgb top, Rgb bottom) {
  return TextStyle{Face::SerifBold, size, 1.0, top, bottom, kOutline, size / 9, 0};
}

}  // namespace art::style
