// Pictures of the round screen: the board tiles, the animated cursor frame, the
// row signs, the rocking question mark, turn signs, round results, direction
// hints and the backdrop behind the board and the side panel.
#include "bmp_writer.hpp"
#include "picture.hpp"
#include "skyline.hpp"
#include "style.hpp"

#include <cmath>

namespace art {

namespace {

using namespace style;

// A 60 x 60 tile: a rounded gem with its depth on the left and bottom, so the
// face's centre sits where the game centres the printed number.
Picture tile(const std::string& name, Rgb light, Rgb mid, Rgb dark, Rgb edge) {
  Canvas c(60, 60);
  cairo_t* cr = c.cr();
  rounded_rect(cr, 0.5, 0.5, 59, 59, 10);
  set_colour(cr, edge);
  cairo_fill(cr);
  rounded_rect(cr, 1.5, 2, 57, 56.5, 9);
  set_pattern(cr, linear(0, 0, 0, 60, {{0, mix(dark, mid, 0.3)}, {1, scale(dark, 0.7)}}));
  cairo_fill(cr);
  // Face.
  rounded_rect(cr, 4, 1.5, 54.5, 53.5, 8);
  set_pattern(cr, linear(0, 2, 0, 55, {{0, light}, {0.5, mid}, {1, mix(mid, dark, 0.6)}}));
  cairo_fill(cr);
  rounded_rect(cr, 4, 1.5, 54.5, 53.5, 8);
  set_pattern(cr, radial(22, 12, 2, 40, {{0, hex(0xffffff), 0.35}, {1, hex(0xffffff), 0}}));
  cairo_fill(cr);
  // Inner bevel lines.
  rounded_rect(cr, 6.5, 4, 49.5, 48.5, 6);
  cairo_set_line_width(cr, 1.2);
  set_pattern(cr,
              linear(0, 4, 0, 53, {{0, hex(0xffffff), 0.55}, {0.5, hex(0xffffff), 0.05}, {1, dark, 0.5}}));
  cairo_stroke(cr);
  // Gloss band.
  cairo_save(cr);
  rounded_rect(cr, 8, 4.5, 46, 18, 6);
  set_pattern(cr, linear(0, 4.5, 0, 22.5, {{0, hex(0xffffff), 0.38}, {1, hex(0xffffff), 0.0}}));
  cairo_fill(cr);
  cairo_restore(cr);
  return Picture{name, Format::Bmp, std::move(c), edge};
}

// Eight cells of 68 x 68: a gold frame around the 60 x 60 cell with two bright
// sparks running round it and a gentle pulse. The cursor cell is always empty, so
// the frame may reach a few pixels into it. Pixels are computed one by one so
// that no edge pixel ever blends with the key colour.
Picture cursor_frames() {
  const int cell = 68, frames = 8;
  Canvas outline(cell * frames, cell), band(cell * frames, cell);
  for (int k = 0; k < frames; ++k) {
    double ox = k * cell;
    cairo_t* cr = outline.cr();
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    rounded_rect(cr, ox + 0.5, 0.5, 67, 67, 13);
    rounded_rect(cr, ox + 8.5, 8.5, 51, 51, 6);
    set_colour(cr, hex(0x1c0d02));
    cairo_fill(cr);
    cr = band.cr();
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    rounded_rect(cr, ox + 1.8, 1.8, 64.4, 64.4, 11.5);
    rounded_rect(cr, ox + 7.2, 7.2, 53.6, 53.6, 7);
    set_colour(cr, hex(0xffffff));
    cairo_fill(cr);
  }
  outline.flush();
  band.flush();
  Canvas out(cell * frames, cell);
  out.flush();
  const Rgb base = hex(0xf2a21e), hot = hex(0xfffbe6), deep = hex(0x9a4e08);
  for (int y = 0; y < cell; ++y) {
    for (int x = 0; x < cell * frames; ++x) {
      int k = x / cell;
      double lx = x % cell + 0.5 - 34, ly = y + 0.5 - 34;
      double t = std::atan2(ly, lx) / (2 * M_PI) + 0.5;  // 0..1 round the frame
      double pulse = 0.8 + 0.2 * std::cos(2 * M_PI * k / frames);
      double intensity = 0;
      for (double s : {k / 8.0, k / 8.0 + 0.5}) {
        double d = std::fabs(t - (s - std::floor(s)));
        d = std::min(d, 1 - d);
        intensity = std::max(intensity, std::exp(-(d / 0.085) * (d / 0.085)));
      }
      // Radial shading across the band: brighter in its middle.
      double radial = std::max(std::fabs(lx), std::fabs(ly));
      double across = 1 - std::min(1.0, std::fabs(radial - 30.0) / 4.5);
      Rgb col = mix(mix(deep, base, 0.4 + 0.6 * across), hot, intensity);
      col = scale(col, pulse + 0.15 * intensity);
      std::uint32_t o = outline.row(y)[x], b = band.row(y)[x];
      double ba = (b >> 24) / 255.0, oa = (o >> 24) / 255.0;
      double a = ba + oa * (1 - ba);
      auto chan = [&](double v, int shift) {
        double premul = v * ba + ((o >> shift) & 0xff) / 255.0 * (1 - ba);
        return static_cast<std::uint32_t>(std::lround(std::min(1.0, premul) * 255));
      };
      out.row(y)[x] = (static_cast<std::uint32_t>(std::lround(a * 255)) << 24) | (chan(col.r, 16) << 16) |
                      (chan(col.g, 8) << 8) | chan(col.b, 0);
    }
  }
  out.mark_dirty();
  return Picture{"outeranim.bmp", Format::Bmp, std::move(out), hex(0x1c0d02)};
}

Picture go_sign() {
  Canvas c(60, 60);
  cairo_t* cr = c.cr();
  cairo_arc(cr, 30, 30, 28.5, 0, 2 * M_PI);
  set_colour(cr, kOutline);
  cairo_fill(cr);
  cairo_arc(cr, 30, 30, 27, 0, 2 * M_PI);
  set_pattern(cr, linear(0, 3, 0, 57, {{0, hex(0xd9dde8)}, {1, hex(0x505668)}}));
  cairo_fill(cr);
  cairo_arc(cr, 30, 30, 23.5, 0, 2 * M_PI);
  set_pattern(cr, radial(26, 22, 2, 30, {{0, hex(0xc8ffc0)}, {0.35, hex(0x39d65a)}, {1, hex(0x0b5a22)}}));
  cairo_fill(cr);
  TextStyle ts{Face::SansBold, 21, 1.0, hex(0xffffff), hex(0xe4ffe0), hex(0x06300f), 3, 0};
  draw_text_centred(cr, "GO", 30, 30.5, ts);
  return Picture{"go.bmp", Format::Bmp, std::move(c), kOutline};
}

Picture stop_sign() {
  Canvas c(60, 60);
  cairo_t* cr = c.cr();
  auto octagon = [&](double r) {
    for (int i = 0; i < 8; ++i) {
      double a = (i + 0.5) * M_PI / 4;
      if (i == 0) cairo_move_to(cr, 30 + r * std::cos(a), 30 + r * std::sin(a));
      else cairo_line_to(cr, 30 + r * std::cos(a), 30 + r * std::sin(a));
    }
    cairo_close_path(cr);
  };
  octagon(30);
  set_colour(cr, kOutline);
  cairo_fill(cr);
  octagon(28.2);
  set_colour(cr, hex(0xf4f0ea));
  cairo_fill(cr);
  octagon(25.5);
  set_pattern(cr, radial(25, 21, 2, 32, {{0, hex(0xff8a7a)}, {0.4, hex(0xd8202c)}, {1, hex(0x6a0610)}}));
  cairo_fill(cr);
  TextStyle ts{Face::SansBold, 15.5, 0.9, hex(0xffffff), hex(0xffe6e0), hex(0x3a0206), 2.6, 0};
  draw_text_centred(cr, "STOP", 30, 30.5, ts);
  return Picture{"stop.bmp", Format::Bmp, std::move(c), kOutline};
}

Picture question_mark() {
  Canvas c(46, 46);
  cairo_t* cr = c.cr();
  cairo_arc(cr, 23, 23, 22, 0, 2 * M_PI);
  set_colour(cr, kOutline);
  cairo_fill(cr);
  cairo_arc(cr, 23, 23, 20.5, 0, 2 * M_PI);
  set_pattern(cr, linear(0, 2, 0, 44, {{0, kPaleGold}, {1, hex(0x9a6216)}}));
  cairo_fill(cr);
  cairo_arc(cr, 23, 23, 17.5, 0, 2 * M_PI);
  set_pattern(cr, radial(23, 18, 1, 20, {{0, hex(0x2c4aa0)}, {1, hex(0x0a123a)}}));
  cairo_fill(cr);
  TextStyle ts{Face::SerifBold, 27, 1.0, hex(0xfff6cc), kAmber, kOutline, 2.5, 0};
  draw_text_centred(cr, "?", 23, 23.5, ts);
  return Picture{"qmark.bmp", Format::Bmp, std::move(c), kOutline};
}

// A well of the side panel: a dark recess in the backdrop where the round screen draws pictures.
struct Well {
  double x, y, w, h;
};
// The turn signs during play, "ROUND OVER" at the round's end.
constexpr Well kSignWell{578, 68, 214, 120};
// The difficulty and the direction hints during play, the round's result at its end.
constexpr Well kInfoWell{572, 418, 216, 116};

struct Size {
  int w, h;
};

// The size of a picture that the game draws with its top-left at (x, y) so that it sits centred in
// the well.
constexpr Size centred_in(const Well& well, int x, int y) {
  return Size{static_cast<int>(2 * (well.x + well.w / 2 - x)),
              static_cast<int>(2 * (well.y + well.h / 2 - y))};
}

// A plaque with one or two lines of display text, each at most its size, shrunk to fit the plaque.
Picture sign(const std::string& name, Size size, const std::string& line1, const std::string& line2, Rgb glow,
             Rgb top, Rgb bottom, double size1, double size2) {
  const int w = size.w, h = size.h;
  Canvas c(w, h);
  cairo_t* cr = c.cr();
  plaque(cr, 0, 0, w, h, 16, glow);
  TextStyle t1 = display(size1, top, bottom);
  t1.outline_width = 3;
  t1 = fit_text(cr, line1, t1, w - 26);
  const double room = h - 20;
  if (line2.empty()) {
    while (t1.size > 4 && measure_text(cr, line1, t1).height > room) t1.size -= 0.25;
    draw_text_centred(cr, line1, w / 2.0, h / 2.0, t1);
  } else {
    TextStyle t2 = display(size2, top, bottom);
    t2.outline_width = 3;
    t2 = fit_text(cr, line2, t2, w - 26);
    const double gap = 4;
    auto height = [&] {
      return measure_text(cr, line1, t1).height + gap + measure_text(cr, line2, t2).height;
    };
    // Both lines shrink together, keeping their proportion, until they fit the height too.
    while (t1.size > 4 && height() > room) {
      t2.size -= 0.25 * t2.size / t1.size;
      t1.size -= 0.25;
    }
    TextBox b1 = measure_text(cr, line1, t1), b2 = measure_text(cr, line2, t2);
    double total = b1.height + gap + b2.height, y0 = (h - total) / 2;
    draw_text_centred(cr, line1, w / 2.0, y0 + b1.height / 2, t1);
    draw_text_centred(cr, line2, w / 2.0, y0 + b1.height + gap + b2.height / 2, t2);
  }
  // Sparkles in the corners.
  auto spark = [&](double x, double y, double r) {
    cairo_move_to(cr, x, y - r);
    cairo_curve_to(cr, x, y, x, y, x + r, y);
    cairo_curve_to(cr, x, y, x, y, x, y + r);
    cairo_curve_to(cr, x, y, x, y, x - r, y);
    cairo_curve_to(cr, x, y, x, y, x, y - r);
    set_colour(cr, kPaleGold);
    cairo_fill(cr);
  };
  spark(16, 16, 6);
  spark(w - 16, h - 16, 6);
  return hardened_png(name, std::move(c), kOutline);
}

void arrow_head(cairo_t* cr, double x, double y, double size, double angle) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  polygon(cr, {{size, 0}, {-size * 0.6, -size * 0.85}, {-size * 0.25, 0}, {-size * 0.6, size * 0.85}});
  cairo_restore(cr);
}

Picture direction_hint(const std::string& name, int w, const std::string& label, bool horizontal) {
  const int h = 28;
  Canvas c(w, h);
  cairo_t* cr = c.cr();
  rounded_rect(cr, 0.5, 0.5, w - 1, h - 1, 13);
  set_colour(cr, kOutline);
  cairo_fill(cr);
  rounded_rect(cr, 2, 2, w - 4, h - 4, 11.5);
  set_pattern(cr, linear(0, 2, 0, h - 2, {{0, hex(0x1f5a7a)}, {1, hex(0x08223a)}}));
  cairo_fill(cr);
  rounded_rect(cr, 2, 2, w - 4, h - 4, 11.5);
  cairo_set_line_width(cr, 1.2);
  set_colour(cr, kCyan, 0.8);
  cairo_stroke(cr);
  cairo_new_path(cr);
  if (horizontal) {
    arrow_head(cr, 13, h / 2.0, 9, M_PI);
    arrow_head(cr, w - 13, h / 2.0, 9, 0);
  } else {
    arrow_head(cr, 14, h / 2.0, 9, -M_PI / 2);
    arrow_head(cr, w - 14, h / 2.0, 9, M_PI / 2);
  }
  set_pattern(cr, linear(0, 4, 0, h - 4, {{0, hex(0xe0fbff)}, {1, kCyan}}));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.2);
  set_colour(cr, kOutline);
  cairo_stroke(cr);
  TextStyle ts{Face::SansBold, 13, 1.0, hex(0xffffff), hex(0xbff4ff), kOutline, 2.4, 0.6};
  ts = fit_text(cr, label, ts, w - 56);
  draw_text_centred(cr, label, w / 2.0, h / 2.0, ts);
  return hardened_png(name, std::move(c), kOutline);
}

// The round screen's background: dusk sky and skyline, a framed board on the
// left (cells 25..505 x 60..540) and a panel on the right.
Picture backdrop() {
  Canvas c(800, 600, true);
  cairo_t* cr = c.cr();
  Rng rng(0x6261636b);
  set_pattern(cr,
              linear(0, 0, 0, 600,
                     {{0, hex(0x050817)}, {0.55, hex(0x16245a)}, {0.82, hex(0x4a3a78)}, {1, hex(0xb0605a)}}));
  cairo_paint(cr);
  scene::stars(cr, 800, 420, 140, rng, 0.8);
  scene::city_silhouette(cr, 0, 800, 600, 70, 150, scene::night(), rng);

  // Board frame.
  gold_rim(cr, 13, 48, 504, 504, 14, 2, 12);
  rounded_rect(cr, 21, 56, 488, 488, 8);
  set_colour(cr, kOutline);
  cairo_fill(cr);
  cairo_rectangle(cr, 25, 60, 480, 480);
  set_pattern(cr, linear(0, 60, 0, 540, {{0, hex(0x0d1738)}, {1, hex(0x060a1c)}}));
  cairo_fill(cr);
  // Faint cell grid, seen where cells have been taken.
  cairo_set_line_width(cr, 1);
  set_colour(cr, hex(0x2a3c7a), 0.6);
  for (int i = 1; i < 8; ++i) {
    cairo_move_to(cr, 25 + 60 * i + 0.5, 60);
    cairo_line_to(cr, 25 + 60 * i + 0.5, 540);
    cairo_move_to(cr, 25, 60 + 60 * i + 0.5);
    cairo_line_to(cr, 505, 60 + 60 * i + 0.5);
  }
  cairo_stroke(cr);

  // Right panel.
  gold_rim(cr, 536, 50, 263, 500, 14, 2, 12);
  rounded_rect(cr, 541, 55, 253, 490, 10);
  set_pattern(cr, linear(0, 55, 0, 545, {{0, hex(0x111d4a)}, {1, hex(0x070b22)}}));
  cairo_fill(cr);
  // Sections: turn sign, the two rows, the info area.
  auto well = [&](double x, double y, double w, double h, double r) {
    rounded_rect(cr, x, y, w, h, r);
    set_colour(cr, hex(0x03050f));
    cairo_fill(cr);
    rounded_rect(cr, x + 1, y + 1, w - 2, h - 2, r - 1);
    cairo_set_line_width(cr, 1);
    set_colour(cr, hex(0x3d5aa8), 0.7);
    cairo_stroke(cr);
  };
  well(kSignWell.x, kSignWell.y, kSignWell.w, kSignWell.h, 12);
  for (double y : {204.0, 294.0}) {
    well(604, y + 22, 68, 68, 10);   // last value's tile
    well(680, y + 22, 110, 68, 10);  // total
    cairo_move_to(cr, 548, y - 1.5);
    cairo_line_to(cr, 788, y - 1.5);
    set_colour(cr, kGold, 0.35);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  }
  well(kInfoWell.x, kInfoWell.y, kInfoWell.w, kInfoWell.h, 12);
  // Title above the board.
  TextStyle title = display(30, kPaleGold, kAmber);
  title.outline_width = 3;
  title.tracking = 3;
  draw_text(cr, "BRAKKA", 28, 40, title);
  TextStyle sub{Face::SansBold, 12, 1.0, hex(0xc9d6ff), hex(0x8ea6e6), kOutline, 0, 2};
  draw_text(cr, "LONDON BY NIGHT", 28 + measure_text(cr, "BRAKKA", title).width + 14, 38, sub);
  return Picture{"backdrop.png", Format::Png, std::move(c)};
}

}  // namespace

void add_board_pictures(PictureList& out) {
  out.push_back(tile("green.bmp", hex(0x8ff59a), hex(0x2fbf4f), hex(0x0c5a22), hex(0x062a0e)));
  out.push_back(tile("red.bmp", hex(0xff9a8a), hex(0xe0323a), hex(0x6e0a16), hex(0x32040a)));
  out.push_back(cursor_frames());
  out.push_back(go_sign());
  out.push_back(stop_sign());
  out.push_back(question_mark());
  // Each at the top-left where the round screen draws it.
  out.push_back(sign("myturn.png", centred_in(kSignWell, 601, 76), "MY", "TURN", hex(0xff7a1a), hex(0xfff0c0),
                     kAmber, 30, 30));
  out.push_back(sign("yourturn.png", centred_in(kSignWell, 600, 75), "YOUR", "TURN", hex(0x2ad0ff),
                     hex(0xf0feff), kCyan, 30, 30));
  out.push_back(sign("levelover.png", centred_in(kSignWell, 584, 77), "ROUND", "OVER", hex(0x8a5cff),
                     hex(0xffffff), hex(0xc9b8ff), 30, 30));
  out.push_back(sign("youwin.png", centred_in(kInfoWell, 591, 430), "YOU", "WIN!", hex(0xffc21a),
                     hex(0xfffbe0), hex(0xffb01a), 34, 50));
  out.push_back(sign("youlose.png", centred_in(kInfoWell, 586, 439), "YOU", "LOSE", hex(0xff2a3a),
                     hex(0xffe8e8), hex(0xff5a5a), 30, 44));
  out.push_back(sign("itsadraw.png", centred_in(kInfoWell, 579, 443), "IT'S A DRAW", "", hex(0x3a8aff),
                     hex(0xf0f6ff), hex(0x8ab8ff), 34, 0));
  out.push_back(direction_hint("horizontal.png", 170, "HORIZONTAL", true));
  out.push_back(direction_hint("vertical.png", 136, "VERTICAL", false));
  out.push_back(backdrop());
}

}  // namespace art
