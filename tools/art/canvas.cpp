#include "canvas.hpp"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace art {

Rgb mix(Rgb a, Rgb b, double t) {
  return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scale(Rgb c, double k) {
  return Rgb{std::min(1.0, c.r * k), std::min(1.0, c.g * k), std::min(1.0, c.b * k)};
}

Canvas::Canvas(int width, int height, bool opaque) : width_(width), height_(height), opaque_(opaque) {
  surface_ = cairo_image_surface_create(opaque ? CAIRO_FORMAT_RGB24 : CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot create a " + std::to_string(width) + "x" + std::to_string(height) +
                             " surface");
  cr_ = cairo_create(surface_);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr_, options);
  cairo_font_options_destroy(options);
  cairo_save(cr_);
  cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_rgba(cr_, 0, 0, 0, opaque ? 1 : 0);
  cairo_paint(cr_);
  cairo_restore(cr_);
}

Canvas::~Canvas() {
  if (cr_) cairo_destroy(cr_);
  if (surface_) cairo_surface_destroy(surface_);
}

Canvas::Canvas(Canvas&& other) noexcept
    : surface_(std::exchange(other.surface_, nullptr)),
      cr_(std::exchange(other.cr_, nullptr)),
      width_(other.width_),
      height_(other.height_),
      opaque_(other.opaque_) {}

Canvas& Canvas::operator=(Canvas&& other) noexcept {
  if (this != &other) {
    if (cr_) cairo_destroy(cr_);
    if (surface_) cairo_surface_destroy(surface_);
    surface_ = std::exchange(other.surface_, nullptr);
    cr_ = std::exchange(other.cr_, nullptr);
    width_ = other.width_;
    height_ = other.height_;
    opaque_ = other.opaque_;
  }
  return *this;
}

std::uint32_t* Canvas::row(int y) {
  return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface_) +
                                          y * cairo_image_surface_get_stride(surface_));
}

const std::uint32_t* Canvas::row(int y) const {
  return reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(surface_) +
                                                y * cairo_image_surface_get_stride(surface_));
}

void Canvas::flush() { cairo_surface_flush(surface_); }
void Canvas::mark_dirty() { cairo_surface_mark_dirty(surface_); }

void set_colour(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

static cairo_pattern_t* add_stops(cairo_pattern_t* p, std::initializer_list<Stop> stops) {
  for (const Stop& s : stops)
    cairo_pattern_add_color_stop_rgba(p, s.offset, s.colour.r, s.colour.g, s.colour.b, s.alpha);
  return p;
}

cairo_pattern_t* linear(double x0, double y0, double x1, double y1, std::initializer_list<Stop> stops) {
  return add_stops(cairo_pattern_create_linear(x0, y0, x1, y1), stops);
}

cairo_pattern_t* radial(double cx, double cy, double r0, double r1, std::initializer_list<Stop> stops) {
  return add_stops(cairo_pattern_create_radial(cx, cy, r0, cx, cy, r1), stops);
}

void set_pattern(cairo_t* cr, cairo_pattern_t* pattern) {
  cairo_set_source(cr, pattern);
  cairo_pattern_destroy(pattern);
}

void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min({r, w / 2, h / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void polygon(cairo_t* cr, std::initializer_list<std::pair<double, double>> points) {
  bool first = true;
  for (auto [x, y] : points) {
    if (first) cairo_move_to(cr, x, y);
    else cairo_line_to(cr, x, y);
    first = false;
  }
  cairo_close_path(cr);
}

void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  ellipse_arc(cr, cx, cy, rx, ry, 0, 2 * M_PI);
}

void ellipse_arc(cairo_t* cr, double cx, double cy, double rx, double ry, double a0, double a1) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_arc(cr, 0, 0, 1, a0, a1);
  cairo_restore(cr);
}

namespace {

constexpr const char* kFontDir = "/usr/share/fonts/truetype/dejavu/";

const char* face_file(Face face) {
  switch (face) {
    case Face::Sans: return "DejaVuSans.ttf";
    case Face::SansBold: return "DejaVuSans-Bold.ttf";
    case Face::Serif: return "DejaVuSerif.ttf";
    case Face::SerifBold: return "DejaVuSerif-Bold.ttf";
    case Face::Mono: return "DejaVuSansMono.ttf";
    case Face::MonoBold: return "DejaVuSansMono-Bold.ttf";
  }
  return "DejaVuSans.ttf";
}

struct FaceCache {
  FT_Library library = nullptr;
  std::array<cairo_font_face_t*, 6> faces{};
  FaceCache() {
    if (FT_Init_FreeType(&library) != 0) throw std::runtime_error("FreeType failed to start");
  }
  // The faces live until the process ends; cairo keeps the FreeType faces in use.
};

FaceCache& cache() {
  static FaceCache instance;
  return instance;
}

}  // namespace

cairo_font_face_t* font_face(Face face) {
  FaceCache& c = cache();
  auto index = static_cast<std::size_t>(face);
  if (!c.faces[index]) {
    std::string path = std::string(kFontDir) + face_file(face);
    FT_Face ft = nullptr;
    if (FT_New_Face(c.library, path.c_str(), 0, &ft) != 0)
      throw std::runtime_error("cannot open the font " + path + " (package fonts-dejavu-core)");
    c.faces[index] = cairo_ft_font_face_create_for_ft_face(ft, 0);
  }
  return c.faces[index];
}

static void select_font(cairo_t* cr, const TextStyle& style) {
  cairo_set_font_face(cr, font_face(style.face));
  cairo_matrix_t m;
  cairo_matrix_init_scale(&m, style.size * style.hscale, style.size);
  cairo_set_font_matrix(cr, &m);
}

// Appends the text's outline to the path with the pen at (x, y).
static void text_path(cairo_t* cr, const std::string& text, double x, double y, const TextStyle& style) {
  if (style.tracking == 0) {
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text.c_str());
    return;
  }
  double pen = x;
  for (std::size_t i = 0; i < text.size();) {
    // One UTF-8 sequence at a time.
    std::size_t len = 1;
    auto lead = static_cast<unsigned char>(text[i]);
    if (lead >= 0xf0) len = 4;
    else if (lead >= 0xe0) len = 3;
    else if (lead >= 0xc0) len = 2;
    std::string one = text.substr(i, len);
    i += len;
    cairo_text_extents_t e;
    cairo_text_extents(cr, one.c_str(), &e);
    cairo_move_to(cr, pen, y);
    cairo_text_path(cr, one.c_str());
    pen += e.x_advance + style.tracking;
  }
}

TextBox measure_text(cairo_t* cr, const std::string& text, const TextStyle& style) {
  cairo_save(cr);
  select_font(cr, style);
  cairo_new_path(cr);
  text_path(cr, text, 0, 0, style);
  double x0, y0, x1, y1;
  cairo_path_extents(cr, &x0, &y0, &x1, &y1);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  cairo_new_path(cr);
  cairo_restore(cr);
  double o = style.outline_width / 2;
  TextBox box;
  box.x = x0 - o;
  box.y = y0 - o;
  box.width = (x1 - x0) + 2 * o;
  box.height = (y1 - y0) + 2 * o;
  box.advance = e.x_advance + style.tracking * static_cast<double>(text.size());
  return box;
}

void draw_text(cairo_t* cr, const std::string& text, double x, double baseline, const TextStyle& style) {
  TextBox box = measure_text(cr, text, style);
  double pen = x - box.x;
  cairo_save(cr);
  select_font(cr, style);
  cairo_new_path(cr);
  text_path(cr, text, pen, baseline, style);
  if (style.outline_width > 0) {
    set_colour(cr, style.outline);
    cairo_set_line_width(cr, style.outline_width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
  }
  double top = baseline + box.y, bottom = baseline + box.y + box.height;
  set_pattern(cr, linear(0, top, 0, bottom, {{0, style.top}, {1, style.bottom}}));
  cairo_fill(cr);
  cairo_restore(cr);
}

void draw_text_centred(cairo_t* cr, const std::string& text, double cx, double cy, const TextStyle& style) {
  TextBox box = measure_text(cr, text, style);
  draw_text(cr, text, cx - box.width / 2, cy - box.y - box.height / 2, style);
}

TextStyle fit_text(cairo_t* cr, const std::string& text, TextStyle style, double max_width) {
  while (style.size > 4 && measure_text(cr, text, style).width > max_width) style.size -= 0.25;
  return style;
}

void harden_alpha(Canvas& canvas, Rgb edge, int threshold) {
  canvas.flush();
  const double er = edge.r * 255, eg = edge.g * 255, eb = edge.b * 255;
  for (int y = 0; y < canvas.height(); ++y) {
    std::uint32_t* p = canvas.row(y);
    for (int x = 0; x < canvas.width(); ++x) {
      std::uint32_t v = p[x];
      int a = static_cast<int>(v >> 24);
      if (a >= 255) continue;
      if (a < threshold) {
        p[x] = 0;
        continue;
      }
      double k = (255 - a) / 255.0;
      auto ch = [&](int shift, double e) {
        return static_cast<std::uint32_t>(std::lround(std::min(255.0, ((v >> shift) & 0xff) + k * e)));
      };
      p[x] = 0xff000000u | (ch(16, er) << 16) | (ch(8, eg) << 8) | ch(0, eb);
    }
  }
  canvas.mark_dirty();
}

std::uint64_t Rng::next() {
  std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
  return z ^ (z >> 31);
}

double Rng::uniform() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

double Rng::range(double lo, double hi) { return lo + (hi - lo) * uniform(); }

static bool holds_key_colour(const Canvas& canvas) {
  for (int y = 0; y < canvas.height(); ++y) {
    const std::uint32_t* p = canvas.row(y);
    for (int x = 0; x < canvas.width(); ++x)
      if ((p[x] & 0xffffffu) == 0xff0080u) return true;
  }
  return false;
}

void save_png(const Canvas& canvas, const std::string& path) {
  cairo_surface_flush(canvas.surface());
  if (canvas.opaque() && holds_key_colour(canvas)) {
    // The game keys pure (255, 0, 128) out of pictures without an alpha channel,
    // so an opaque picture is written with that colour nudged by one step.
    Canvas copy(canvas.width(), canvas.height(), true);
    cairo_set_source_surface(copy.cr(), canvas.surface(), 0, 0);
    cairo_paint(copy.cr());
    copy.flush();
    for (int y = 0; y < copy.height(); ++y)
      for (int x = 0; x < copy.width(); ++x)
        if ((copy.row(y)[x] & 0xffffffu) == 0xff0080u) copy.row(y)[x] ^= 1u;
    copy.mark_dirty();
    save_png(copy, path);
    return;
  }
  if (cairo_surface_write_to_png(canvas.surface(), path.c_str()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot write " + path);
}

}  // namespace art
