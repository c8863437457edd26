// Drawing helpers shared by every picture of the art generator: an owned cairo
// surface, colours, gradients, shapes, text through FreeType faces, and the
// post-processing that makes a picture look in the game exactly as it looks here.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

namespace art {

// A colour with components 0..1.
struct Rgb {
    double r = 0, g = 0, b = 0;
};

// 0xRRGGBB -> Rgb
constexpr Rgb hex(std::uint32_t v) {
    return Rgb{((v >> 16) & 0xff) / 255.0, ((v >> 8) & 0xff) / 255.0, (v & 0xff) / 255.0};
}
Rgb mix(Rgb a, Rgb b, double t);
Rgb scale(Rgb c, double k);

// An owned cairo image surface with its drawing context.
class Canvas {
public:
    // opaque = RGB24 (saved as a 3-channel PNG), otherwise ARGB32 cleared to transparent.
    Canvas(int width, int height, bool opaque = false);
    ~Canvas();
    Canvas(Canvas&& other) noexcept;
    Canvas& operator=(Canvas&& other) noexcept;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }
    int width() const { return width_; }
    int height() const { return height_; }
    bool opaque() const { return opaque_; }

    // Premultiplied pixel access (after cairo_surface_flush).
    std::uint32_t* row(int y);
    const std::uint32_t* row(int y) const;
    void flush();
    void mark_dirty();

private:
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
    int width_ = 0, height_ = 0;
    bool opaque_ = false;
};

// Colour stops for gradients: offset and colour (alpha 1) or colour with alpha.
struct Stop {
    double offset;
    Rgb colour;
    double alpha = 1.0;
};

void set_colour(cairo_t* cr, Rgb c, double alpha = 1.0);
cairo_pattern_t* linear(double x0, double y0, double x1, double y1, std::initializer_list<Stop> stops);
cairo_pattern_t* radial(double cx, double cy, double r0, double r1, std::initializer_list<Stop> stops);
// Sets the pattern as source and releases our reference.
void set_pattern(cairo_t* cr, cairo_pattern_t* pattern);

void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r);
void polygon(cairo_t* cr, std::initializer_list<std::pair<double, double>> points);
// An ellipse about (cx, cy) with radii rx and ry, added to the path.
void ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);
// The part of that ellipse from angle a0 to a1 (radians, as cairo_arc counts them).
void ellipse_arc(cairo_t* cr, double cx, double cy, double rx, double ry, double a0, double a1);

// Type faces of the DejaVu family, loaded once through FreeType.
enum class Face { Sans, SansBold, Serif, SerifBold, Mono, MonoBold };
cairo_font_face_t* font_face(Face face);

// One line of text drawn with an optional outline and a vertical gradient fill.
struct TextStyle {
    Face face = Face::SansBold;
    double size = 16;
    double hscale = 1.0;      // horizontal squeeze of the glyphs
    Rgb top = hex(0xffffff);  // fill at the top of the letters
    Rgb bottom = hex(0xffffff);
    Rgb outline = hex(0x000000);
    double outline_width = 0;  // total stroke width (half of it lies outside the letters)
    double tracking = 0;       // extra space between letters
};

struct TextBox {
    double x = 0, y = 0, width = 0, height = 0;  // ink box relative to the pen position
    double advance = 0;
};

// Ink box of the text as drawn at pen (0, 0) on the baseline.
TextBox measure_text(cairo_t* cr, const std::string& text, const TextStyle& style);
// Draws with the baseline at y and the ink box's left edge at x.
void draw_text(cairo_t* cr, const std::string& text, double x, double baseline, const TextStyle& style);
// Draws the text with its ink box centred on (cx, cy).
void draw_text_centred(cairo_t* cr, const std::string& text, double cx, double cy, const TextStyle& style);
// Largest size <= style.size at which the text's ink fits max_width.
TextStyle fit_text(cairo_t* cr, const std::string& text, TextStyle style, double max_width);

// Opaque drawing in the game discards texels with alpha <= 0.05 and draws the rest
// without blending. This makes the picture match that: every pixel of alpha >= 13
// becomes opaque, its partial coverage composited over `edge`; the rest becomes
// fully transparent.
void harden_alpha(Canvas& canvas, Rgb edge, int threshold = 13);

// Deterministic noise source (splitmix64).
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    double uniform();                      // [0, 1)
    double range(double lo, double hi);    // [lo, hi)
private:
    std::uint64_t state_;
};

// Writes the canvas as PNG; throws std::runtime_error on failure.
void save_png(const Canvas& canvas, const std::string& path);

}  // namespace art
