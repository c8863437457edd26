// A single overview picture of the whole media set, each item labelled with its
// file name, for reviewing the art at a glance.
#include "bmp_writer.hpp"
#include "picture.hpp"
#include "screen_previews.hpp"
#include "style.hpp"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

constexpr int kSheetWidth = 1800;
constexpr int kPad = 14;
constexpr int kLabel = 18;

// A checker pattern shows which parts of a picture are transparent.
void checker(cairo_t* cr, double x, double y, double w, double h) {
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  set_colour(cr, hex(0x2a2d3a));
  cairo_paint(cr);
  set_colour(cr, hex(0x353949));
  for (double yy = y; yy < y + h; yy += 8)
    for (double xx = x + (static_cast<int>((yy - y) / 8) % 2) * 8; xx < x + w; xx += 16)
      cairo_rectangle(cr, xx, yy, 8, 8);
  cairo_fill(cr);
  cairo_restore(cr);
}

std::string caption(const Picture& p, double scale) {
  std::string text =
      p.name + "  " + std::to_string(p.canvas.width()) + "x" + std::to_string(p.canvas.height());
  if (scale != 1.0) text += " (" + std::to_string(static_cast<int>(std::lround(scale * 100))) + "%)";
  return text;
}

struct Placed {
  const Picture* picture;
  double x, y, scale;
};

}  // namespace

void write_contact_sheet(const PictureList& pictures, const std::string& path) {
  std::vector<Picture> previews = screen_previews(pictures);
  Canvas probe(4, 4);
  TextStyle label{Face::Sans, 12, 1.0, hex(0xd0d6ea), hex(0xd0d6ea), hex(0), 0, 0};
  TextStyle head{Face::SansBold, 24, 1.0, hex(0xffe7a8), hex(0xf2b84b), hex(0), 0, 1};
  const double kHeading = 44;

  // Lay the pictures out in rows, shrinking only the large ones; the screen
  // mock-ups follow under their own heading.
  std::vector<Placed> placed;
  std::vector<double> headings;
  double x = kPad, y = kHeading + 8, row_h = 0;
  headings.push_back(kHeading - 8);
  auto place = [&](const Picture& p, double s) {
    double w = p.canvas.width() * s, h = p.canvas.height() * s;
    if (x + w > kSheetWidth - kPad) {
      x = kPad;
      y += row_h + kLabel + kPad;
      row_h = 0;
    }
    placed.push_back({&p, x, y, s});
    x += std::max(w, measure_text(probe.cr(), caption(p, s), label).width) + kPad;
    row_h = std::max(row_h, h);
  };
  for (const Picture& p : pictures) {
    double s = 1.0;
    if (p.canvas.width() >= 800) s = 0.5;
    else if (p.font && p.canvas.width() >= 420) s = 0.75;
    else if (p.canvas.width() >= 420) s = 0.5;
    else if (p.name.rfind("anim", 0) == 0) s = 0.4;
    place(p, s);
  }
  y += row_h + kLabel + kPad + kHeading;
  headings.push_back(y - 14);
  x = kPad;
  row_h = 0;
  for (const Picture& p : previews) place(p, 0.5);

  const int height = static_cast<int>(y + row_h + kLabel + kPad);
  Canvas sheet(kSheetWidth, height, true);
  cairo_t* cr = sheet.cr();
  set_colour(cr, hex(0x12141c));
  cairo_paint(cr);
  draw_text(cr, "Brakka media set: every picture and font, as the game shows it", kPad, headings[0], head);
  draw_text(cr, "Screens: the pictures and fonts composed at the positions where the game draws them", kPad,
            headings[1], head);
  for (const Placed& pl : placed) {
    const Picture& p = *pl.picture;
    double w = p.canvas.width() * pl.scale, h = p.canvas.height() * pl.scale;
    checker(cr, pl.x, pl.y, w, h);
    Canvas s = as_shown(p);
    cairo_save(cr);
    cairo_translate(cr, pl.x, pl.y);
    cairo_scale(cr, pl.scale, pl.scale);
    cairo_set_source_surface(cr, s.surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
    draw_text(cr, caption(p, pl.scale), pl.x, pl.y + h + 13, label);
  }
  save_png(sheet, path);
}

void write_screen_previews(const PictureList& pictures, const std::string& dir) {
  for (const Picture& p : screen_previews(pictures)) {
    std::string name = p.name.substr(p.name.find(':') + 2);
    for (char& c : name)
      if (c == ' ' || c == ',') c = '-';
    save_png(p.canvas, dir + "/" + name + ".png");
  }
}

}  // namespace art
