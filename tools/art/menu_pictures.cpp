// Pictures of the welcome, name entry, set-up and menu screens: the title, the
// subtitle, the credit line, the button strip, the key caps and single buttons.
#include "picture.hpp"
#include "style.hpp"

#include <string>

namespace art {

namespace {

using namespace style;

Picture single_button(const std::string& name, int w, int h, const std::string& label, Tone tone) {
  Canvas c(w, h);
  button(c.cr(), 0, 0, w, h, label, tone, 16);
  return hardened_png(name, std::move(c), kOutline);
}

// The two answers of a round set-up question, side by side on the screen: both labels in the same
// lettering, so neither looks smaller. It is narrowed (down to a limit) before it is made smaller,
// until the longer label fits.
void answer_pair(PictureList& out, const std::string (&names)[2], const std::string (&labels)[2], Tone tone) {
  const int w = 96, h = 36;
  const double size = 15, narrowest = 0.74;
  Canvas first(w, h), second(w, h);
  auto lettering_at = [&](double hscale) {
    TextStyle a = button_label(first.cr(), labels[0], w, size, hscale);
    const TextStyle b = button_label(first.cr(), labels[1], w, size, hscale);
    return b.size < a.size ? b : a;
  };
  double hscale = 0.95;
  while (hscale > narrowest && lettering_at(hscale).size < size) hscale -= 0.01;
  const TextStyle lettering = lettering_at(hscale);
  button(first.cr(), 0, 0, w, h, labels[0], tone, lettering);
  button(second.cr(), 0, 0, w, h, labels[1], tone, lettering);
  out.push_back(hardened_png(names[0], std::move(first), kOutline));
  out.push_back(hardened_png(names[1], std::move(second), kOutline));
}

// The welcome screen's five buttons in one picture, drawn at (36, 492).
Picture button_strip() {
  Canvas c(728, 72);
  struct Entry {
    int x, y;
    const char* label;
    Tone tone;
  };
  const Entry entries[] = {{1, 36, "CHANGE NAME", Tone::Blue},
                           {153, 18, "HIGH RATINGS", Tone::Blue},
                           {306, 0, "PLAY", Tone::Orange},
                           {460, 18, "INSTRUCTIONS", Tone::Blue},
                           {615, 36, "QUIT", Tone::Crimson}};
  for (const Entry& e : entries)
    button(c.cr(), e.x, e.y, 112, 36, e.label, e.tone, e.tone == Tone::Orange ? 20 : 14);
  return hardened_png("buttons.png", std::move(c), kOutline);
}

// Key caps of the name keyboard, drawn with their top-left at the keyboard origin.
Picture key_caps() {
  Canvas c(452, 108);
  cairo_t* cr = c.cr();
  const std::string rows[3] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  for (int r = 0; r < 3; ++r)
    for (std::size_t k = 0; k < rows[r].size(); ++k)
      key_cap(cr, 1 + 18 * r + 36 * static_cast<int>(k), 1 + 38 * r, 28, 30, std::string(1, rows[r][k]));
  key_cap(cr, 361, 1, 90, 30, "DELETE");
  key_cap(cr, 343, 39, 90, 30, "DONE");
  key_cap(cr, 289, 77, 90, 30, "SPACE");
  return hardened_png("keys.png", std::move(c), kOutline);
}

// The title word with a stepped extrusion under a gold face.
Picture title() {
  const int w = 640, h = 120;
  Canvas c(w, h);
  cairo_t* cr = c.cr();
  TextStyle face = display(104, hex(0xfff6d0), hex(0xf0a030));
  face.tracking = 6;
  face.outline_width = 4;
  face = fit_text(cr, "BRAKKA", face, w - 40);
  TextBox box = measure_text(cr, "BRAKKA", face);
  double x = (w - box.width) / 2 - 6, baseline = (h - box.height) / 2 - box.y - 6;
  for (int d = 10; d >= 1; --d) {
    TextStyle step = face;
    Rgb shade = mix(hex(0x3a1a08), hex(0x8a4a12), 1 - d / 10.0);
    step.top = shade;
    step.bottom = shade;
    step.outline = d == 10 ? kOutline : shade;
    draw_text(cr, "BRAKKA", x + d * 0.9, baseline + d * 0.9, step);
  }
  draw_text(cr, "BRAKKA", x, baseline, face);
  // A bright rim along the top of the letters.
  TextStyle shine = face;
  shine.outline_width = 0;
  shine.top = hex(0xffffff);
  shine.bottom = hex(0xffe08a);
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, w, baseline + box.y + box.height * 0.35);
  cairo_clip(cr);
  draw_text(cr, "BRAKKA", x + face.outline_width / 2, baseline, shine);
  cairo_restore(cr);
  return hardened_png("brakka.png", std::move(c), kOutline);
}

Picture subtitle() {
  const int w = 380, h = 40;
  Canvas c(w, h);
  cairo_t* cr = c.cr();
  TextStyle ts{Face::SansBold, 22, 1.0, hex(0xe8f2ff), hex(0x8fb4ff), kOutline, 3, 5};
  TextBox box = measure_text(cr, "LONDON EDITION", ts);
  double x = (w - box.width) / 2;
  draw_text_centred(cr, "LONDON EDITION", w / 2.0, h / 2.0, ts);
  for (double side : {-1.0, 1.0}) {
    double cx = side < 0 ? x - 22 : x + box.width + 22;
    polygon(cr, {{cx, h / 2.0 - 7}, {cx + 7, h / 2.0}, {cx, h / 2.0 + 7}, {cx - 7, h / 2.0}});
    set_colour(cr, kOutline);
    cairo_fill(cr);
    polygon(cr, {{cx, h / 2.0 - 5}, {cx + 5, h / 2.0}, {cx, h / 2.0 + 5}, {cx - 5, h / 2.0}});
    set_pattern(cr, linear(0, h / 2.0 - 5, 0, h / 2.0 + 5, {{0, kPaleGold}, {1, kAmber}}));
    cairo_fill(cr);
  }
  return hardened_png("edition.png", std::move(c), kOutline);
}

Picture credit_line() {
  const int w = 230, h = 24;
  Canvas c(w, h);
  cairo_t* cr = c.cr();
  TextStyle ts{Face::Sans, 12.5, 1.0, hex(0xd8e0ff), hex(0xa8b8e8), kOutline, 2.2, 0.5};
  ts = fit_text(cr, "\u00a9 2026 The Brakka Team", ts, w - 6);
  draw_text_centred(cr, "\u00a9 2026 The Brakka Team", w / 2.0, h / 2.0, ts);
  return hardened_png("copyw.png", std::move(c), kOutline);
}

}  // namespace

void add_menu_pictures(PictureList& out) {
  out.push_back(title());
  out.push_back(subtitle());
  out.push_back(credit_line());
  out.push_back(button_strip());
  out.push_back(key_caps());
  out.push_back(single_button("continue.png", 96, 32, "CONTINUE", Tone::Green));
  out.push_back(single_button("quit.png", 96, 32, "QUIT", Tone::Crimson));
  answer_pair(out, {"first.png", "second.png"}, {"FIRST", "SECOND"}, Tone::Blue);
  answer_pair(out, {"horiz.png", "vert.png"}, {"HORIZONTAL", "VERTICAL"}, Tone::Orange);
}

}  // namespace art
