// The desktop icon: a dusk-blue gem in a gold rim holding the title's initial in the title's lettering,
// a green and a red board tile at its foot. Drawn at every size from one set of proportions, so that
// each size is sharp rather than scaled; the smallest sizes leave out what would only blur.
#include "ico_file.hpp"
#include "picture.hpp"
#include "style.hpp"

#include <filesystem>
#include <string>
#include <vector>

namespace art {

namespace {

using namespace style;

// A small board tile (a green or red gem) with its top-left corner at (x, y).
void tile(cairo_t* cr, double x, double y, double side, Rgb light, Rgb mid, Rgb dark) {
  const double r = side * 0.2;
  rounded_rect(cr, x, y, side, side, r);
  set_colour(cr, kOutline);
  cairo_fill(cr);
  const double inset = side * 0.08;
  rounded_rect(cr, x + inset, y + inset, side - 2 * inset, side - 2 * inset, r * 0.7);
  set_pattern(cr, linear(0, y, 0, y + side, {{0, light}, {0.5, mid}, {1, dark}}));
  cairo_fill(cr);
}

Canvas icon(int size) {
  Canvas c(size, size);
  cairo_t* cr = c.cr();
  const double s = size;
  const bool small = size < 32;

  // The gem: a gold rim round a dusk gradient.
  const double rim = small ? s * 0.07 : s * 0.055;
  gold_rim(cr, 0, 0, s, s, s * 0.2, rim, s * 0.16);
  const double inner = rim + (small ? s * 0.03 : s * 0.035);
  rounded_rect(cr, inner, inner, s - 2 * inner, s - 2 * inner, s * 0.13);
  set_pattern(cr, linear(0, inner, 0, s - inner, {{0, kDusk}, {0.55, kDeepBlue}, {1, kNight}}));
  cairo_fill(cr);
  if (!small) {
    rounded_rect(cr, inner, inner, s - 2 * inner, s - 2 * inner, s * 0.13);
    set_pattern(cr,
                radial(s * 0.35, s * 0.25, 0, s * 0.6, {{0, hex(0xffffff), 0.22}, {1, hex(0xffffff), 0.0}}));
    cairo_fill(cr);
  }

  // The initial, in the title's gold with its stepped extrusion.
  TextStyle face = display(s * (small ? 0.8 : 0.62), hex(0xfff6d0), hex(0xf0a030));
  face.outline_width = small ? 0 : s / 48;
  const double letter_cx = small ? s * 0.5 : s * 0.41, letter_cy = small ? s * 0.5 : s * 0.43;
  face = fit_text(cr, "B", face, s - 2 * inner - s * (small ? 0.04 : 0.3));
  const int steps = small ? 1 : 6;
  const double depth = s * 0.045;
  for (int d = steps; d >= 1; --d) {
    TextStyle step = face;
    const Rgb shade = mix(hex(0x3a1a08), hex(0x8a4a12), 1 - double(d) / steps);
    step.top = shade;
    step.bottom = shade;
    step.outline = d == steps ? kOutline : shade;
    draw_text_centred(cr, "B", letter_cx + depth * d / steps, letter_cy + depth * d / steps, step);
  }
  draw_text_centred(cr, "B", letter_cx, letter_cy, face);

  // Two tiles of the board, a green and a red one, overlapping at the lower right.
  if (!small) {
    const double side = s * 0.22;
    tile(cr, s - inner - side * 1.6, s - inner - side * 1.1, side, hex(0x8ff59a), hex(0x2fbf4f),
         hex(0x0c5a22));
    tile(cr, s - inner - side * 1.0, s - inner - side * 0.85, side, hex(0xff9a8a), hex(0xe0323a),
         hex(0x6e0a16));
  }
  return c;
}

}  // namespace

void write_icons(const std::string& dir) {
  for (int size : kIconSizes) {
    const std::string px = std::to_string(size);
    const std::filesystem::path folder = std::filesystem::path(dir) / (px + "x" + px) / "apps";
    std::filesystem::create_directories(folder);
    save_png(icon(size), (folder / "brakka.png").string());
  }
}

void write_ico(const std::string& path) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent);
  std::vector<Canvas> sizes;
  for (int size : kIconSizes) sizes.push_back(icon(size));
  save_ico(sizes, path);
}

}  // namespace art
