// A single overview picture of the whole media set, each item labelled with its
// file name, for reviewing the art at a glance.
#include "bmp_writer.hpp"
#include "picture.hpp"
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
        for (double xx = x + (static_cast<int>((yy - y) / 8) % 2) * 8; xx < x + w; xx += 16) cairo_rectangle(cr, xx, yy, 8, 8);
    cairo_fill(cr);
    cairo_restore(cr);
}

// The picture as the game shows it: BMP key colour becomes transparent.
cairo_surface_t* shown(const Picture& p) {
    if (p.format != Format::Bmp) return cairo_surface_reference(p.canvas.surface());
    Canvas copy(p.canvas.width(), p.canvas.height());
    std::vector<std::uint8_t> bmp = encode_bmp(p.canvas, p.edge);
    const int w = p.canvas.width(), h = p.canvas.height();
    const int row_bytes = (w * 3 + 3) & ~3;
    copy.flush();
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* src = bmp.data() + 54 + static_cast<std::size_t>(h - 1 - y) * row_bytes;
        for (int x = 0; x < w; ++x) {
            std::uint8_t b = src[3 * x], g = src[3 * x + 1], r = src[3 * x + 2];
            bool key = r == 255 && g == 0 && b == 128;
            copy.row(y)[x] = key ? 0u : (0xff000000u | (r << 16) | (g << 8) | b);
        }
    }
    copy.mark_dirty();
    return cairo_surface_reference(copy.surface());
}

std::string caption(const Picture& p, double scale) {
    std::string text = p.name + "  " + std::to_string(p.canvas.width()) + "x" + std::to_string(p.canvas.height());
    if (scale != 1.0) text += " (" + std::to_string(static_cast<int>(std::lround(scale * 100))) + "%)";
    return text;
}

struct Placed {
    const Picture* picture;
    double x, y, scale;
};

}  // namespace

void write_contact_sheet(const PictureList& pictures, const std::string& path) {
    // Lay the pictures out in rows, shrinking only the very large ones.
    std::vector<Placed> placed;
    Canvas probe(4, 4);
    TextStyle label{Face::Sans, 12, 1.0, hex(0xd0d6ea), hex(0xd0d6ea), hex(0), 0, 0};
    double x = kPad, y = 70, row_h = 0;
    for (const Picture& p : pictures) {
        double s = 1.0;
        if (p.canvas.width() >= 800) s = 0.5;
        else if (p.font && p.canvas.width() >= 420) s = 0.75;
        else if (p.canvas.width() >= 420) s = 0.5;
        else if (p.name.rfind("anim", 0) == 0) s = 0.4;
        double w = p.canvas.width() * s, h = p.canvas.height() * s;
        if (x + w > kSheetWidth - kPad) {
            x = kPad;
            y += row_h + kLabel + kPad;
            row_h = 0;
        }
        placed.push_back({&p, x, y, s});
        x += std::max(w, measure_text(probe.cr(), caption(p, s), label).width) + kPad;
        row_h = std::max(row_h, h);
    }
    const int height = static_cast<int>(y + row_h + kLabel + kPad);
    Canvas sheet(kSheetWidth, height, true);
    cairo_t* cr = sheet.cr();
    set_colour(cr, hex(0x12141c));
    cairo_paint(cr);
    TextStyle head{Face::SansBold, 26, 1.0, hex(0xffe7a8), hex(0xf2b84b), hex(0), 0, 1};
    draw_text(cr, "Brakka media set", kPad, 42, head);
    for (const Placed& pl : placed) {
        const Picture& p = *pl.picture;
        double w = p.canvas.width() * pl.scale, h = p.canvas.height() * pl.scale;
        checker(cr, pl.x, pl.y, w, h);
        cairo_surface_t* s = shown(p);
        cairo_save(cr);
        cairo_translate(cr, pl.x, pl.y);
        cairo_scale(cr, pl.scale, pl.scale);
        cairo_set_source_surface(cr, s, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(s);
        draw_text(cr, caption(p, pl.scale), pl.x, pl.y + h + 13, label);
    }
    save_png(sheet, path);
}

}  // namespace art
