// The eight London landmarks of the blocks. Each is drawn once as a 420 x 420
// scene; the a-picture shows it at dusk, the b-picture at night, and the c-icon
// is a 100 x 100 close-up cut from the dusk scene.
#include "picture.hpp"
#include "skyline.hpp"
#include "style.hpp"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <tuple>

namespace art {

namespace {

using scene::Mood;
constexpr double kSize = 420;

// Stone lit by the low sun from the left at dusk, floodlit from below at night.
void stone(cairo_t* cr, const Mood& m, double x0, double y0, double x1, double y1) {
    if (m.night)
        set_pattern(cr, linear(0, y0, 0, y1, {{0, m.stone_dark}, {0.55, m.stone_mid}, {1, m.stone_light}}));
    else
        set_pattern(cr, linear(x0, 0, x1, 0, {{0, m.stone_light}, {0.6, m.stone_mid}, {1, m.stone_dark}}));
}

void fill_rect(cairo_t* cr, double x, double y, double w, double h, Rgb c, double a = 1) {
    cairo_rectangle(cr, x, y, w, h);
    set_colour(cr, c, a);
    cairo_fill(cr);
}

void stone_rect(cairo_t* cr, const Mood& m, double x, double y, double w, double h) {
    cairo_rectangle(cr, x, y, w, h);
    stone(cr, m, x, y, x + w, y + h);
    cairo_fill(cr);
}

// Draws `subject` and its mirror image in the water below `axis`.
void with_reflection(cairo_t* cr, const Mood& m, double axis, double alpha, const std::function<void()>& subject) {
    cairo_push_group(cr);
    subject();
    cairo_pattern_t* group = cairo_pop_group(cr);
    cairo_save(cr);
    cairo_rectangle(cr, 0, axis, kSize, kSize - axis);
    cairo_clip(cr);
    cairo_matrix_t flip;
    cairo_matrix_init(&flip, 1, 0, 0, -1, 0, 2 * axis);
    cairo_pattern_set_matrix(group, &flip);
    cairo_set_source(cr, group);
    cairo_paint_with_alpha(cr, alpha);
    // Darken the reflection further away from the bank.
    cairo_rectangle(cr, 0, axis, kSize, kSize - axis);
    set_pattern(cr, linear(0, axis, 0, kSize, {{0, m.water_bottom, 0.1}, {1, m.water_bottom, 0.85}}));
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_matrix_t identity;
    cairo_matrix_init_identity(&identity);
    cairo_pattern_set_matrix(group, &identity);
    cairo_set_source(cr, group);
    cairo_paint(cr);
    cairo_pattern_destroy(group);
}

// Ripple highlights over a reflection.
void ripples(cairo_t* cr, const Mood& m, double y0, Rng& rng) {
    for (int i = 0; i < 90; ++i) {
        double y = rng.range(y0 + 3, kSize), x = rng.range(-20, kSize);
        double len = rng.range(8, 30) * (0.6 + (y - y0) / (kSize - y0));
        cairo_rectangle(cr, x, y, len, 1.2);
        set_colour(cr, rng.uniform() < 0.5 ? m.window : mix(m.sky_low, hex(0xffffff), 0.4), rng.range(0.15, 0.45));
        cairo_fill(cr);
    }
}

// ---------------------------------------------------------------------------
// 1 Piccadilly Circus: the lit advertising screens on the curved corner, the
// fountain with the winged archer, a red double-decker bus.

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
                polygon(cr, {{x + i * w / 3 - w * 0.2, y + h}, {x + i * w / 3, y}, {x + i * w / 3 + w * 0.12, y},
                             {x + i * w / 3 - w * 0.08, y + h}});
                set_colour(cr, fg, 0.85);
                cairo_fill(cr);
            }
            break;
        case 2:  // a bottle-like shape and text lines
            rounded_rect(cr, x + w * 0.12, y + h * 0.2, w * 0.14, h * 0.65, w * 0.05);
            set_colour(cr, fg);
            cairo_fill(cr);
            for (int i = 0; i < 3; ++i) fill_rect(cr, x + w * 0.35, y + h * (0.25 + i * 0.2), w * (0.5 - i * 0.1), h * 0.1, fg, 0.8);
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

void piccadilly(cairo_t* cr, const Mood& m, Rng& rng) {
    const double ground_y = 338;
    scene::sky(cr, kSize, ground_y, m, rng);
    scene::city_silhouette(cr, 0, kSize, ground_y, 60, 120, m, rng);
    // The curved corner building: its front bows towards the viewer, so the roof,
    // the cornices and the band of screens follow the same gentle curve.
    auto bow = [](double x) { return std::sin(M_PI * std::clamp((x - 150) / 270, 0.0, 1.0)); };
    auto facade = [&] {
        if (m.night)
            set_pattern(cr, linear(0, 50, 0, ground_y, {{0, hex(0x1a1a3a)}, {0.7, hex(0x3a2e48)}, {1, hex(0x8a6a50)}}));
        else
            stone(cr, m, 150, 50, 420, ground_y);
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
    for (double x = 158; x < 420; x += 52) fill_rect(cr, x, 70, 3, ground_y - 70, m.stone_dark, 0.35);  // pilasters
    struct Board {
        double x, y, w, h;
        std::uint32_t bg, fg;
    };
    const Board boards[] = {{160, 86, 84, 72, 0xe02030, 0xffffff}, {248, 80, 96, 60, 0x1e5ad8, 0xffe040},
                            {348, 82, 70, 76, 0xffc21a, 0xb01010}, {248, 144, 48, 56, 0x22b04a, 0xffffff},
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
        cairo_save(cr);
        cairo_translate(cr, 90, ground_y + 6 - i * 7);
        cairo_scale(cr, 70 - i * 12, 12 - i * 2);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        stone(cr, m, 20, ground_y - 20, 160, ground_y + 10);
        cairo_fill(cr);
    }
    Rgb bronze = m.night ? hex(0x2c4a4c) : hex(0x2a3f48);
    polygon(cr, {{72, ground_y - 14}, {108, ground_y - 14}, {98, 262}, {82, 262}});
    set_pattern(cr, linear(72, 0, 108, 0, {{0, mix(bronze, m.sun, 0.35)}, {1, bronze}}));
    cairo_fill(cr);
    cairo_save(cr);
    cairo_translate(cr, 90, 262);
    cairo_scale(cr, 26, 6);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    set_colour(cr, mix(bronze, m.sun, 0.25));
    cairo_fill(cr);
    polygon(cr, {{84, 258}, {96, 258}, {93, 222}, {87, 222}});
    set_colour(cr, bronze);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_translate(cr, 90, 222);
    cairo_scale(cr, 12, 3.5);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
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
            set_pattern(cr, linear(0, 0, 170, 0, {{0, hex(0xff3020), 0}, {1, i % 2 ? hex(0xff3020) : hex(0xfff0c0), 0.8}}));
            cairo_fill(cr);
        }
    }
}

// ---------------------------------------------------------------------------
// 2 Marble Arch: the white triumphal arch with its three openings.

void arch_opening(cairo_t* cr, double x, double w, double spring, double base) {
    cairo_move_to(cr, x, base);
    cairo_line_to(cr, x, spring);
    cairo_arc(cr, x + w / 2, spring, w / 2, M_PI, 2 * M_PI);
    cairo_line_to(cr, x + w, base);
    cairo_close_path(cr);
}

void marble_arch(cairo_t* cr, const Mood& m, Rng& rng) {
    const double ground_y = 338;
    scene::sky(cr, kSize, ground_y, m, rng);
    scene::city_silhouette(cr, 0, kSize, ground_y - 10, 30, 80, m, rng);
    for (double x : {10.0, 50.0, 370.0, 408.0}) scene::tree(cr, x, ground_y, 90, m);
    Mood marble = m;
    marble.stone_light = mix(m.stone_light, hex(0xffffff), 0.55);
    marble.stone_mid = mix(m.stone_mid, hex(0xffffff), 0.45);
    marble.stone_dark = mix(m.stone_dark, hex(0xd8d8e8), 0.35);
    // Attic, entablature and body.
    stone_rect(cr, marble, 100, 118, 220, 34);
    stone_rect(cr, marble, 62, 150, 296, 22);
    stone_rect(cr, marble, 70, 170, 280, ground_y - 170);
    fill_rect(cr, 58, 148, 304, 4, marble.stone_dark, 0.7);
    fill_rect(cr, 58, 170, 304, 3, marble.stone_dark, 0.6);
    fill_rect(cr, 96, 116, 228, 3, marble.stone_dark, 0.6);
    // Openings show the dark park beyond.
    Rgb through = m.night ? hex(0x0a0f28) : hex(0x3a2f5a);
    arch_opening(cr, 176, 68, 248, ground_y);
    arch_opening(cr, 100, 40, 276, ground_y);
    arch_opening(cr, 280, 40, 276, ground_y);
    set_pattern(cr, linear(0, 200, 0, ground_y, {{0, through}, {1, mix(through, m.sun, 0.3)}}));
    cairo_fill(cr);
    // Arch rims.
    cairo_set_line_width(cr, 3);
    set_colour(cr, marble.stone_dark, 0.8);
    cairo_arc(cr, 210, 248, 37, M_PI, 2 * M_PI);
    cairo_stroke(cr);
    for (double x : {120.0, 300.0}) {
        cairo_arc(cr, x, 276, 22, M_PI, 2 * M_PI);
        cairo_stroke(cr);
    }
    // Paired columns with capitals.
    for (double x : {78.0, 150.0, 254.0, 326.0}) {
        for (double dx : {0.0, 12.0}) {
            cairo_rectangle(cr, x + dx, 182, 8, ground_y - 190);
            set_pattern(cr, linear(x + dx, 0, x + dx + 8, 0, {{0, marble.stone_light}, {1, marble.stone_dark}}));
            cairo_fill(cr);
            fill_rect(cr, x + dx - 1.5, 176, 11, 6, marble.stone_light);
            fill_rect(cr, x + dx - 1.5, ground_y - 10, 11, 10, marble.stone_mid);
        }
    }
    // Relief panels above the side openings and an inscription band on the attic.
    for (double x : {96.0, 276.0}) {
        rounded_rect(cr, x, 196, 48, 40, 3);
        set_colour(cr, marble.stone_dark, 0.35);
        cairo_fill(cr);
        cairo_arc(cr, x + 24, 216, 11, 0, 2 * M_PI);
        set_colour(cr, marble.stone_light, 0.5);
        cairo_fill(cr);
    }
    fill_rect(cr, 128, 128, 164, 14, marble.stone_dark, 0.3);
    // Lawn, path and railings.
    scene::ground(cr, kSize, ground_y, kSize, m);
    cairo_rectangle(cr, 0, ground_y, kSize, 40);
    set_colour(cr, m.foliage, 0.6);
    cairo_fill(cr);
    polygon(cr, {{176, ground_y}, {244, ground_y}, {300, kSize}, {120, kSize}});
    set_pattern(cr, linear(0, ground_y, 0, kSize, {{0, mix(m.ground_top, marble.stone_mid, 0.4)}, {1, m.ground_bottom}}));
    cairo_fill(cr);
    for (int i = 0; i < 42; ++i) fill_rect(cr, i * 10.0, 372, 1.6, 22, hex(0x0c0d1c));
    fill_rect(cr, 0, 372, kSize, 2, hex(0x0c0d1c));
    scene::lamp(cr, 92, 392, 74, m);
    scene::lamp(cr, 328, 392, 74, m);
    if (m.night) {
        scene::glow(cr, 210, ground_y, 170, m.stone_light, 0.22);  // floodlight wash
    }
}

// ---------------------------------------------------------------------------
// 3 The London Eye: the great wheel on the river bank with its capsules.

void london_eye(cairo_t* cr, const Mood& m, Rng& rng) {
    const double water_y = 318, cx = 222, cy = 168, r = 140;
    scene::sky(cr, kSize, water_y, m, rng);
    scene::city_silhouette(cr, 0, kSize, water_y, 20, 70, m, rng);
    scene::water(cr, kSize, water_y, kSize, m, rng);
    Rgb steel = m.night ? hex(0x8ac8ff) : hex(0xf4f0f8);
    Rgb capsule = m.night ? hex(0xc8f0ff) : hex(0xe8eef8);
    with_reflection(cr, m, water_y, 0.35, [&] {
        // County Hall on the bank.
        stone_rect(cr, m, 300, 262, 120, water_y - 262);
        polygon(cr, {{300, 262}, {420, 262}, {420, 248}, {318, 248}});
        set_colour(cr, m.night ? hex(0x3a3050) : hex(0x6a5070));
        cairo_fill(cr);
        scene::windows(cr, 304, 268, 112, 44, 14, 4, m, rng);
        // Bank.
        fill_rect(cr, 0, water_y - 8, kSize, 8, m.night ? hex(0x121430) : hex(0x3a3050));
        // Spokes.
        cairo_set_line_width(cr, 0.7);
        set_colour(cr, steel, 0.55);
        for (int i = 0; i < 64; ++i) {
            double a = i * M_PI / 32;
            cairo_move_to(cr, cx + std::cos(a) * 8, cy + std::sin(a) * 8);
            cairo_line_to(cr, cx + std::cos(a) * (r - 4), cy + std::sin(a) * (r - 4));
        }
        cairo_stroke(cr);
        // Rim: two rings joined by bracing.
        cairo_set_line_width(cr, 2.6);
        set_colour(cr, steel);
        cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
        cairo_stroke(cr);
        cairo_set_line_width(cr, 1.6);
        cairo_arc(cr, cx, cy, r - 7, 0, 2 * M_PI);
        cairo_stroke(cr);
        cairo_set_line_width(cr, 0.9);
        for (int i = 0; i < 96; ++i) {
            double a0 = i * M_PI / 48, a1 = (i + 1) * M_PI / 48;
            double ra = i % 2 ? r : r - 7, rb = i % 2 ? r - 7 : r;
            cairo_move_to(cr, cx + std::cos(a0) * ra, cy + std::sin(a0) * ra);
            cairo_line_to(cr, cx + std::cos(a1) * rb, cy + std::sin(a1) * rb);
        }
        cairo_stroke(cr);
        // Capsules outside the rim.
        for (int i = 0; i < 32; ++i) {
            double a = i * M_PI / 16 + 0.05;
            double px = cx + std::cos(a) * (r + 7), py = cy + std::sin(a) * (r + 7);
            cairo_save(cr);
            cairo_translate(cr, px, py);
            cairo_rotate(cr, a);
            cairo_scale(cr, 6.5, 4.2);
            cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
            cairo_restore(cr);
            set_colour(cr, capsule);
            cairo_fill(cr);
            if (m.night) scene::glow(cr, px, py, 9, hex(0x7ad0ff), 0.5);
        }
        // The A-frame leaning from the bank, with its stay cables.
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_width(cr, 7);
        set_colour(cr, m.night ? hex(0xd8e8ff) : hex(0xe0dce8));
        cairo_move_to(cr, cx, cy);
        cairo_line_to(cr, 296, water_y - 6);
        cairo_move_to(cr, cx, cy);
        cairo_line_to(cr, 330, water_y - 6);
        cairo_stroke(cr);
        cairo_set_line_width(cr, 3);
        cairo_move_to(cr, 262, 244);
        cairo_line_to(cr, 282, 244);
        cairo_move_to(cr, 246, 206);
        cairo_line_to(cr, 260, 206);
        cairo_stroke(cr);
        cairo_set_line_width(cr, 0.8);
        set_colour(cr, steel, 0.6);
        for (double x : {360.0, 380.0, 400.0}) {
            cairo_move_to(cr, cx + 4, cy + 2);
            cairo_line_to(cr, x, water_y - 8);
        }
        cairo_stroke(cr);
        // Hub.
        cairo_arc(cr, cx, cy, 11, 0, 2 * M_PI);
        set_colour(cr, m.night ? hex(0x3a5080) : hex(0x6a6a88));
        cairo_fill(cr);
        cairo_arc(cr, cx, cy, 5, 0, 2 * M_PI);
        set_colour(cr, steel);
        cairo_fill(cr);
        if (m.night) scene::glow(cr, cx, cy, r * 1.15, hex(0x3a7aff), 0.18);
    });
    ripples(cr, m, water_y, rng);
    scene::lamp(cr, 40, water_y - 6, 56, m);
    scene::lamp(cr, 120, water_y - 6, 56, m);
}

// ---------------------------------------------------------------------------
// 4 The Swiss Re building: the tapered glass tower with its diagonal grid and
// dark spiral bands.

double gherkin_radius(double y) {
    // Swelling to its widest a third of the way up, then an ogive to the tip.
    const double base = 352, tip = 36, height = base - tip, widest = 66;
    double t = (base - y) / height;  // 0 at the base, 1 at the tip
    if (t < 0.32) return widest * (0.86 + 0.14 * std::sin(M_PI / 2 * t / 0.32));
    double u = (t - 0.32) / 0.68;
    return widest * std::pow(std::max(0.0, 1 - std::pow(u, 2.0)), 0.62);
}

void gherkin(cairo_t* cr, const Mood& m, Rng& rng) {
    const double ground_y = 352, cx = 212, tip = 36;
    scene::sky(cr, kSize, ground_y, m, rng);
    scene::city_silhouette(cr, 0, kSize, ground_y, 60, 170, m, rng);
    // Outline of the tower.
    auto outline = [&] {
        cairo_move_to(cr, cx - gherkin_radius(ground_y), ground_y);
        for (double y = ground_y; y >= tip; y -= 2) cairo_line_to(cr, cx - gherkin_radius(y), y);
        for (double y = tip; y <= ground_y; y += 2) cairo_line_to(cr, cx + gherkin_radius(y), y);
        cairo_close_path(cr);
    };
    Rgb glass_light = m.night ? hex(0x2a5a9a) : hex(0x8ab8d8);
    Rgb glass_dark = m.night ? hex(0x061436) : hex(0x2a3a6a);
    outline();
    set_pattern(cr, linear(cx - 75, 0, cx + 75, 0,
                           {{0, glass_dark}, {0.28, glass_light}, {0.45, mix(glass_light, hex(0xffffff), 0.25)}, {1, glass_dark}}));
    cairo_fill(cr);
    cairo_save(cr);
    outline();
    cairo_clip(cr);
    // Sunset reflected on the glass.
    if (!m.night) {
        outline();
        set_pattern(cr, linear(0, tip, 0, ground_y, {{0, m.sky_mid, 0.0}, {0.7, m.sun, 0.35}, {1, m.sun, 0.5}}));
        cairo_fill(cr);
    }
    // Spiral bands and the diamond grid: lines of constant angle + twist * height.
    auto helix = [&](double phase, double twist, double width, Rgb colour, double alpha) {
        bool drawing = false;
        for (double y = ground_y; y >= tip; y -= 1.5) {
            double a = phase + twist * (ground_y - y);
            double s = std::sin(a), c = std::cos(a);
            if (c < 0) {
                drawing = false;
                continue;
            }
            double x = cx + gherkin_radius(y) * s;
            if (!drawing) cairo_move_to(cr, x, y);
            else cairo_line_to(cr, x, y);
            drawing = true;
        }
        cairo_set_line_width(cr, width);
        set_colour(cr, colour, alpha);
        cairo_stroke(cr);
    };
    Rgb band = m.night ? hex(0x020818) : hex(0x141c3a);
    for (int i = 0; i < 6; ++i) helix(i * M_PI / 3, 0.012, 9, band, 0.75);
    Rgb grid = m.night ? hex(0x6a9ad8) : hex(0xe8f0ff);
    for (int i = 0; i < 24; ++i) {
        helix(i * M_PI / 12, 0.012, 0.8, grid, 0.55);
        helix(i * M_PI / 12, -0.012, 0.8, grid, 0.55);
    }
    // Floors lit at night.
    if (m.night) {
        for (double y = ground_y - 8; y > tip + 40; y -= 7) {
            double rr = gherkin_radius(y);
            cairo_rectangle(cr, cx - rr, y, 2 * rr, 1.4);
            set_colour(cr, m.window, rng.range(0.15, 0.45));
            cairo_fill(cr);
        }
    }
    cairo_restore(cr);
    // The dark lens at the top.
    cairo_save(cr);
    outline();
    cairo_clip(cr);
    cairo_rectangle(cr, cx - 40, tip - 2, 80, 16);
    set_colour(cr, m.night ? hex(0x6ad0ff) : hex(0x0a1230), m.night ? 0.75 : 1.0);
    cairo_fill(cr);
    cairo_restore(cr);
    if (m.night) scene::glow(cr, cx, tip + 6, 30, hex(0x6ad0ff), 0.35);
    // Low buildings in front and the plaza.
    for (auto [x, w, h] : {std::tuple{0.0, 90.0, 70.0}, {84.0, 56.0, 44.0}, {300.0, 60.0, 52.0}, {350.0, 70.0, 86.0}}) {
        fill_rect(cr, x, ground_y - h, w, h, mix(m.silhouette, m.stone_dark, 0.4));
        scene::windows(cr, x + 4, ground_y - h + 6, w - 8, h - 10, static_cast<int>(w / 9), static_cast<int>(h / 11), m, rng);
    }
    scene::ground(cr, kSize, ground_y, kSize, m);
    for (int i = 0; i < 9; ++i) {
        cairo_move_to(cr, 210, ground_y);
        cairo_line_to(cr, -200 + i * 100, kSize);
    }
    cairo_set_line_width(cr, 1);
    set_colour(cr, m.stone_mid, 0.25);
    cairo_stroke(cr);
    scene::lamp(cr, 150, 400, 60, m);
    scene::lamp(cr, 274, 400, 60, m);
}

// ---------------------------------------------------------------------------
// 5 Trafalgar Square: Nelson's Column with its lions, the fountains and the
// gallery behind.

void lion(cairo_t* cr, const Mood& m, double x, double base, double dir) {
    cairo_save(cr);
    cairo_translate(cr, x, base);
    cairo_scale(cr, dir, 1);
    Rgb bronze = m.night ? hex(0x1c2a30) : hex(0x23303a);
    set_colour(cr, bronze);
    // Lying body with the haunch at the back.
    rounded_rect(cr, -30, -15, 50, 15, 7);
    cairo_fill(cr);
    cairo_arc(cr, -21, -10, 10, 0, 2 * M_PI);
    cairo_fill(cr);
    // Front legs stretched out with paws.
    rounded_rect(cr, 10, -6, 30, 6, 3);
    cairo_fill(cr);
    // Raised head: mane, muzzle, ear.
    cairo_save(cr);
    cairo_translate(cr, 17, -22);
    cairo_scale(cr, 10, 12.5);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_fill(cr);
    polygon(cr, {{20, -31}, {31, -27}, {33, -20}, {30, -16}, {21, -15}});
    cairo_fill(cr);
    polygon(cr, {{16, -33}, {19, -38}, {22, -32}});
    cairo_fill(cr);
    // Tail curling round the haunch.
    cairo_move_to(cr, -30, -4);
    cairo_curve_to(cr, -40, -4, -40, 2, -30, 0);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Rim light along the back and the mane.
    cairo_set_line_width(cr, 1.1);
    set_colour(cr, m.night ? m.stone_light : m.sun, 0.7);
    cairo_move_to(cr, -28, -16);
    cairo_curve_to(cr, -16, -17, 0, -16, 8, -16);
    cairo_stroke(cr);
    cairo_arc(cr, 17, -22, 11, M_PI * 1.05, M_PI * 1.5);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void fountain(cairo_t* cr, const Mood& m, double x, double base) {
    cairo_save(cr);
    cairo_translate(cr, x, base);
    cairo_scale(cr, 48, 9);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    stone(cr, m, x - 48, base - 9, x + 48, base + 9);
    cairo_fill(cr);
    Rgb spray = m.night ? hex(0x8ad8ff) : hex(0xe8f4ff);
    cairo_set_line_width(cr, 1.4);
    for (int i = -4; i <= 4; ++i) {
        cairo_move_to(cr, x, base - 6);
        cairo_curve_to(cr, x + i * 3, base - 60, x + i * 7, base - 50, x + i * 10, base - 4);
        set_colour(cr, spray, 0.55);
        cairo_stroke(cr);
    }
    if (m.night) scene::glow(cr, x, base - 30, 50, hex(0x4ab0ff), 0.35);
}

void trafalgar(cairo_t* cr, const Mood& m, Rng& rng) {
    const double ground_y = 322, cx = 250;
    scene::sky(cr, kSize, ground_y, m, rng);
    // The gallery: long front, portico and small dome.
    stone_rect(cr, m, 0, 246, kSize, ground_y - 246);
    fill_rect(cr, 0, 244, kSize, 4, m.stone_dark, 0.8);
    for (int i = 0; i < 30; ++i) {
        double x = 6 + i * 14;
        rounded_rect(cr, x, 262, 7, 16, 3);
        set_colour(cr, m.night ? m.window : m.stone_dark, m.night ? 0.8 : 0.6);
        cairo_fill(cr);
    }
    cairo_arc(cr, 96, 222, 18, M_PI, 2 * M_PI);
    stone(cr, m, 78, 204, 114, 222);
    cairo_fill(cr);
    stone_rect(cr, m, 74, 222, 44, 24);
    polygon(cr, {{54, 246}, {138, 246}, {96, 226}});
    stone(cr, m, 54, 226, 138, 246);
    cairo_fill(cr);
    for (int i = 0; i < 6; ++i) fill_rect(cr, 62 + i * 13, 248, 4, ground_y - 252, m.stone_light);
    // Nelson's Column: pedestal, fluted shaft, capital, statue.
    stone_rect(cr, m, cx - 34, 270, 68, ground_y - 270 + 10);
    stone_rect(cr, m, cx - 28, 248, 56, 24);
    fill_rect(cr, cx - 36, 268, 72, 4, m.stone_dark, 0.7);
    fill_rect(cr, cx - 30, 246, 60, 3, m.stone_dark, 0.7);
    rounded_rect(cr, cx - 18, 280, 36, 24, 2);  // bronze relief
    set_colour(cr, hex(0x2a3a3a), 0.9);
    cairo_fill(cr);
    polygon(cr, {{cx - 9, 248}, {cx + 9, 248}, {cx + 7, 86}, {cx - 7, 86}});
    stone(cr, m, cx - 9, 86, cx + 9, 248);
    cairo_fill(cr);
    cairo_set_line_width(cr, 0.7);
    set_colour(cr, m.stone_dark, 0.55);
    for (int i = -2; i <= 2; ++i) {
        cairo_move_to(cr, cx + i * 3.2, 246);
        cairo_line_to(cr, cx + i * 2.6, 88);
    }
    cairo_stroke(cr);
    Rgb bronze = m.night ? hex(0x4a5a50) : hex(0x3a4a48);
    // Bronze capital with its acanthus leaves, then the drum under the statue.
    polygon(cr, {{cx - 16, 88}, {cx + 16, 88}, {cx + 10, 74}, {cx - 10, 74}});
    set_colour(cr, bronze);
    cairo_fill(cr);
    for (int i = -2; i <= 2; ++i) {
        cairo_arc(cr, cx + i * 6, 80, 3, M_PI, 2 * M_PI);
        set_colour(cr, mix(bronze, m.night ? m.stone_light : m.sun, 0.4));
        cairo_fill(cr);
    }
    fill_rect(cr, cx - 9, 66, 18, 8, m.stone_mid);
    // The admiral: coat, sash, head, bicorne hat, sword.
    Rgb figure = m.night ? hex(0x6a7080) : hex(0x4a4a5a);
    set_colour(cr, figure);
    polygon(cr, {{cx - 7, 66}, {cx + 7, 66}, {cx + 5, 42}, {cx - 5, 42}});
    cairo_fill(cr);
    polygon(cr, {{cx - 5, 44}, {cx - 9, 54}, {cx - 7, 56}, {cx - 3, 48}});  // arm
    cairo_fill(cr);
    cairo_arc(cr, cx, 38, 4, 0, 2 * M_PI);
    cairo_fill(cr);
    polygon(cr, {{cx - 9, 35.5}, {cx + 9, 35.5}, {cx + 2, 30}, {cx - 2, 30}});
    cairo_fill(cr);
    fill_rect(cr, cx + 5, 50, 2, 15, figure);
    cairo_set_line_width(cr, 1);
    set_colour(cr, m.night ? m.stone_light : m.sun, 0.7);
    cairo_move_to(cr, cx - 6, 64);
    cairo_line_to(cr, cx - 4.5, 43);
    cairo_stroke(cr);
    if (m.night) scene::glow(cr, cx, 160, 90, m.stone_light, 0.15);
    // Lions on their plinths beside the pedestal.
    stone_rect(cr, m, cx - 118, 298, 64, ground_y - 298 + 12);
    stone_rect(cr, m, cx + 54, 298, 64, ground_y - 298 + 12);
    lion(cr, m, cx - 86, 298, 1);
    lion(cr, m, cx + 86, 298, -1);
    // The square.
    scene::ground(cr, kSize, ground_y + 10, kSize, m);
    for (int i = 0; i < 12; ++i) {
        cairo_move_to(cr, cx, ground_y + 10);
        cairo_line_to(cr, -300 + i * 90, kSize);
    }
    cairo_set_line_width(cr, 1);
    set_colour(cr, m.stone_mid, 0.2);
    cairo_stroke(cr);
    fountain(cr, m, 62, 382);
    fountain(cr, m, 372, 386);
    scene::lamp(cr, 160, 400, 60, m);
}

// ---------------------------------------------------------------------------
// 6 The Palace of Westminster: the long Gothic front on the river and the
// clock tower.

void pinnacles(cairo_t* cr, const Mood& m, double x0, double x1, double y, double step, double height) {
    for (double x = x0; x <= x1; x += step) {
        polygon(cr, {{x - 2.2, y}, {x + 2.2, y}, {x, y - height}});
        stone(cr, m, x - 3, y - height, x + 3, y);
        cairo_fill(cr);
    }
}

void westminster(cairo_t* cr, const Mood& m, Rng& rng) {
    const double water_y = 318;
    scene::sky(cr, kSize, water_y, m, rng);
    scene::water(cr, kSize, water_y, kSize, m, rng);
    with_reflection(cr, m, water_y, 0.4, [&] {
        // Victoria Tower at the far left.
        stone_rect(cr, m, 14, 120, 56, water_y - 120);
        pinnacles(cr, m, 14, 70, 120, 56, 22);
        pinnacles(cr, m, 28, 56, 120, 14, 12);
        fill_rect(cr, 38, 92, 4, 28, hex(0x20202a));  // flagpole
        polygon(cr, {{42, 92}, {58, 96}, {42, 100}});
        set_colour(cr, hex(0xc8283a));
        cairo_fill(cr);
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 3; ++c) {
                rounded_rect(cr, 22 + c * 16, 140 + r * 26, 8, 16, 4);
                set_colour(cr, m.night ? m.window : m.stone_dark, m.night ? 0.85 : 0.55);
                cairo_fill(cr);
            }
        // The long river front with its bays and pinnacles.
        stone_rect(cr, m, 60, 232, 270, water_y - 232);
        pinnacles(cr, m, 64, 326, 232, 9, 14);
        for (int c = 0; c < 22; ++c)
            for (int r = 0; r < 3; ++r) {
                rounded_rect(cr, 66 + c * 12, 244 + r * 22, 6, 14, 3);
                set_colour(cr, m.night && rng.uniform() < 0.7 ? m.window : m.stone_dark, m.night ? 0.9 : 0.5);
                cairo_fill(cr);
            }
        for (int c = 0; c < 10; ++c) fill_rect(cr, 62 + c * 27, 232, 2, water_y - 232, m.stone_dark, 0.4);
        // The central spire.
        stone_rect(cr, m, 176, 200, 18, 32);
        polygon(cr, {{174, 200}, {196, 200}, {185, 150}});
        stone(cr, m, 174, 150, 196, 200);
        cairo_fill(cr);
        // The clock tower.
        const double tx = 330, tw = 40;
        stone_rect(cr, m, tx, 156, tw, water_y - 156);
        for (int r = 0; r < 8; ++r) {
            rounded_rect(cr, tx + 8, 168 + r * 18, 6, 11, 3);
            rounded_rect(cr, tx + 26, 168 + r * 18, 6, 11, 3);
        }
        set_colour(cr, m.night ? m.window : m.stone_dark, m.night ? 0.7 : 0.5);
        cairo_fill(cr);
        stone_rect(cr, m, tx - 5, 108, tw + 10, 50);  // clock stage
        fill_rect(cr, tx - 7, 106, tw + 14, 4, m.stone_dark, 0.8);
        fill_rect(cr, tx - 7, 154, tw + 14, 4, m.stone_dark, 0.8);
        cairo_arc(cr, tx + tw / 2, 132, 17, 0, 2 * M_PI);
        set_colour(cr, hex(0x2a2418));
        cairo_fill(cr);
        cairo_arc(cr, tx + tw / 2, 132, 14.5, 0, 2 * M_PI);
        set_colour(cr, m.night ? hex(0xfff0b0) : hex(0xf6ecd0));
        cairo_fill(cr);
        if (m.night) scene::glow(cr, tx + tw / 2, 132, 30, hex(0xffe08a), 0.45);
        cairo_set_line_width(cr, 0.8);
        set_colour(cr, hex(0x2a2418));
        for (int i = 0; i < 12; ++i) {
            double a = i * M_PI / 6;
            cairo_move_to(cr, tx + tw / 2 + std::cos(a) * 11, 132 + std::sin(a) * 11);
            cairo_line_to(cr, tx + tw / 2 + std::cos(a) * 13.5, 132 + std::sin(a) * 13.5);
        }
        cairo_stroke(cr);
        cairo_set_line_width(cr, 1.6);
        cairo_move_to(cr, tx + tw / 2, 132);
        cairo_line_to(cr, tx + tw / 2, 122);
        cairo_move_to(cr, tx + tw / 2, 132);
        cairo_line_to(cr, tx + tw / 2 + 7, 134);
        cairo_stroke(cr);
        // Belfry and the gilded spire.
        stone_rect(cr, m, tx - 1, 84, tw + 2, 24);
        for (int i = 0; i < 4; ++i) fill_rect(cr, tx + 4 + i * 9, 88, 4, 16, hex(0x1a1620), 0.8);
        Rgb gold_top = m.night ? hex(0xffe08a) : hex(0xf2c86a), gold_dark = m.night ? hex(0x8a6020) : hex(0x6a5040);
        polygon(cr, {{tx - 3, 84}, {tx + tw + 3, 84}, {tx + tw / 2, 30}});
        set_pattern(cr, linear(tx, 0, tx + tw, 0, {{0, gold_top}, {1, gold_dark}}));
        cairo_fill(cr);
        fill_rect(cr, tx + tw / 2 - 0.8, 20, 1.6, 12, gold_top);
        pinnacles(cr, m, tx - 2, tx + tw + 2, 84, (tw + 4) / 2, 16);
        // Westminster Bridge at the right edge.
        fill_rect(cr, 370, 286, 50, 10, m.night ? hex(0x2a6a4a) : hex(0x3a7a5a));
        for (double x : {382.0, 412.0}) {
            cairo_arc(cr, x, water_y, 12, M_PI, 2 * M_PI);
            set_colour(cr, m.water_top);
            cairo_fill(cr);
        }
        fill_rect(cr, 370, 296, 50, 6, m.stone_mid);
        fill_rect(cr, 0, water_y - 4, 370, 4, m.stone_dark);
    });
    ripples(cr, m, water_y, rng);
}

// ---------------------------------------------------------------------------
// 7 Tower Bridge: two Gothic towers, the high walkways, raised bascules and the
// blue suspension chains.

void bridge_tower(cairo_t* cr, const Mood& m, double x, double w, double top, double base) {
    stone_rect(cr, m, x - 6, base - 26, w + 12, 26);  // pier
    stone_rect(cr, m, x, top, w, base - top);
    // Corner turrets with little spires, and the main roof.
    for (double tx : {x - 3.0, x + w - 9.0}) {
        stone_rect(cr, m, tx, top - 22, 12, base - top);
        polygon(cr, {{tx - 1, top - 22}, {tx + 13, top - 22}, {tx + 6, top - 46}});
        set_colour(cr, m.night ? hex(0x3a4a6a) : hex(0x4a5068));
        cairo_fill(cr);
        fill_rect(cr, tx + 5.4, top - 54, 1.2, 9, m.night ? hex(0xffd87a) : hex(0xd8b060));
    }
    polygon(cr, {{x + 6, top}, {x + w - 6, top}, {x + w / 2, top - 40}});
    set_pattern(cr, linear(x, 0, x + w, 0, {{0, m.night ? hex(0x4a5a7a) : hex(0x6a6a88)}, {1, hex(0x1a1e3a)}}));
    cairo_fill(cr);
    fill_rect(cr, x + w / 2 - 0.8, top - 50, 1.6, 12, m.night ? hex(0xffd87a) : hex(0xd8b060));
    // Tall Gothic windows.
    for (int r = 0; r < 4; ++r) {
        double wy = top + 14 + r * 36;
        if (wy + 22 > base - 30) break;
        for (double wx : {x + w * 0.3, x + w * 0.62}) {
            cairo_move_to(cr, wx, wy + 22);
            cairo_line_to(cr, wx, wy + 6);
            cairo_line_to(cr, wx + 3.5, wy);
            cairo_line_to(cr, wx + 7, wy + 6);
            cairo_line_to(cr, wx + 7, wy + 22);
            cairo_close_path(cr);
            set_colour(cr, m.night ? m.window : m.stone_dark, m.night ? 0.9 : 0.6);
            cairo_fill(cr);
        }
    }
}

void tower_bridge(cairo_t* cr, const Mood& m, Rng& rng) {
    const double water_y = 316;
    scene::sky(cr, kSize, water_y, m, rng);
    scene::city_silhouette(cr, 0, kSize, water_y, 20, 60, m, rng);
    scene::water(cr, kSize, water_y, kSize, m, rng);
    Rgb blue = m.night ? hex(0x5aa0ff) : hex(0x4a8ad8);
    Rgb blue_dark = m.night ? hex(0x1a3a80) : hex(0x1e4a8a);
    Rgb white = m.night ? hex(0xe0f0ff) : hex(0xf0f0f8);
    const double lx = 104, rx = 272, tw = 44, top = 108;
    with_reflection(cr, m, water_y, 0.38, [&] {
        // Suspension chains to the banks.
        cairo_set_line_width(cr, 5);
        set_colour(cr, blue);
        cairo_move_to(cr, lx, 148);
        cairo_curve_to(cr, 70, 210, 30, 250, -10, 262);
        cairo_move_to(cr, rx + tw, 148);
        cairo_curve_to(cr, 350, 210, 390, 250, 430, 262);
        cairo_stroke(cr);
        cairo_set_line_width(cr, 1.2);
        set_colour(cr, white, 0.8);
        for (int i = 1; i < 6; ++i) {
            double x = lx - i * 18, xr = rx + tw + i * 18;
            double yl = 148 + (262 - 148) * std::pow(i / 6.5, 1.3);
            cairo_move_to(cr, x, yl);
            cairo_line_to(cr, x, 272);
            cairo_move_to(cr, xr, yl);
            cairo_line_to(cr, xr, 272);
        }
        cairo_stroke(cr);
        // Side spans of the roadway.
        fill_rect(cr, 0, 272, lx, 9, blue_dark);
        fill_rect(cr, rx + tw, 272, kSize - rx - tw, 9, blue_dark);
        fill_rect(cr, 0, 270, lx, 2.5, white);
        fill_rect(cr, rx + tw, 270, kSize - rx - tw, 2.5, white);
        // High walkways between the towers: two lattice girders.
        for (double y : {122.0, 146.0}) {
            fill_rect(cr, lx + tw, y, rx - lx - tw, 16, blue);
            fill_rect(cr, lx + tw, y, rx - lx - tw, 2, white);
            fill_rect(cr, lx + tw, y + 14, rx - lx - tw, 2, white);
            cairo_set_line_width(cr, 1.3);
            set_colour(cr, blue_dark);
            for (double x = lx + tw; x < rx; x += 10) {
                cairo_move_to(cr, x, y + 2);
                cairo_line_to(cr, x + 10, y + 14);
                cairo_move_to(cr, x + 10, y + 2);
                cairo_line_to(cr, x, y + 14);
            }
            cairo_stroke(cr);
        }
        // Raised bascules.
        auto leaf = [&](double pivot_x, double dir) {
            cairo_save(cr);
            cairo_translate(cr, pivot_x, 280);
            cairo_rotate(cr, -dir * 0.62);
            cairo_rectangle(cr, dir > 0 ? 0 : -66, -9, 66, 9);
            set_colour(cr, blue_dark);
            cairo_fill(cr);
            cairo_rectangle(cr, dir > 0 ? 0 : -66, -10, 66, 2.5);
            set_colour(cr, white);
            cairo_fill(cr);
            cairo_restore(cr);
        };
        leaf(lx + tw, 1);
        leaf(rx, -1);
        bridge_tower(cr, m, lx, tw, top, water_y);
        bridge_tower(cr, m, rx, tw, top, water_y);
        if (m.night) {
            scene::glow(cr, lx + tw / 2, 200, 70, m.stone_light, 0.25);
            scene::glow(cr, rx + tw / 2, 200, 70, m.stone_light, 0.25);
        }
    });
    ripples(cr, m, water_y, rng);
}

// ---------------------------------------------------------------------------
// 8 St Paul's Cathedral: the great dome on its colonnaded drum, the lantern and
// cross, the two west towers and the portico.

void west_tower(cairo_t* cr, const Mood& m, double x, double w, double top, double base) {
    stone_rect(cr, m, x, top, w, base - top);
    for (int r = 0; r < 3; ++r) {
        rounded_rect(cr, x + w * 0.34, top + 12 + r * 34, w * 0.32, 20, w * 0.16);
        set_colour(cr, m.night ? m.window : m.stone_dark, m.night ? 0.7 : 0.55);
        cairo_fill(cr);
    }
    // Baroque cupola: drum, small dome, finial.
    stone_rect(cr, m, x + 5, top - 22, w - 10, 22);
    cairo_save(cr);
    cairo_translate(cr, x + w / 2, top - 22);
    cairo_scale(cr, (w - 10) / 2, 20);
    cairo_arc(cr, 0, 0, 1, M_PI, 2 * M_PI);
    cairo_restore(cr);
    stone(cr, m, x, top - 42, x + w, top - 22);
    cairo_fill(cr);
    fill_rect(cr, x + w / 2 - 1.5, top - 58, 3, 16, m.night ? hex(0xffd87a) : hex(0xe0b050));
    cairo_arc(cr, x + w / 2, top - 60, 3, 0, 2 * M_PI);
    cairo_fill(cr);
}

void st_pauls(cairo_t* cr, const Mood& m, Rng& rng) {
    const double ground_y = 334, cx = 210;
    scene::sky(cr, kSize, ground_y, m, rng);
    scene::city_silhouette(cr, 0, kSize, ground_y, 40, 100, m, rng);
    Rgb lead_light = m.night ? hex(0x8a9ac8) : hex(0xb8b8d0), lead_dark = m.night ? hex(0x1a2040) : hex(0x3a3a5a);
    // Dome: outer shell with ribs.
    const double dome_base = 150, dome_r = 72;
    cairo_save(cr);
    cairo_translate(cr, cx, dome_base);
    cairo_scale(cr, dome_r, dome_r * 1.08);
    cairo_arc(cr, 0, 0, 1, M_PI, 2 * M_PI);
    cairo_restore(cr);
    set_pattern(cr, linear(cx - dome_r, 0, cx + dome_r, 0, {{0, lead_dark}, {0.3, lead_light}, {0.45, mix(lead_light, hex(0xffffff), 0.3)}, {1, lead_dark}}));
    cairo_fill(cr);
    cairo_set_line_width(cr, 0.9);
    set_colour(cr, lead_dark, 0.6);
    for (int i = 1; i < 12; ++i) {
        double s = -1 + i / 6.0;
        cairo_move_to(cr, cx + s * dome_r, dome_base);
        cairo_curve_to(cr, cx + s * dome_r * 0.98, dome_base - dome_r * 0.6, cx + s * dome_r * 0.4, dome_base - dome_r,
                       cx, dome_base - dome_r * 1.08);
    }
    cairo_stroke(cr);
    // Lantern, ball and cross.
    stone_rect(cr, m, cx - 9, 54, 18, 26);
    for (int i = 0; i < 3; ++i) fill_rect(cr, cx - 6 + i * 5, 58, 2, 18, m.night ? m.window : m.stone_dark, 0.8);
    cairo_save(cr);
    cairo_translate(cr, cx, 54);
    cairo_scale(cr, 10, 10);
    cairo_arc(cr, 0, 0, 1, M_PI, 2 * M_PI);
    cairo_restore(cr);
    stone(cr, m, cx - 10, 44, cx + 10, 54);
    cairo_fill(cr);
    Rgb gold = m.night ? hex(0xffe08a) : hex(0xf0c050);
    fill_rect(cr, cx - 1.5, 28, 3, 18, gold);
    cairo_arc(cr, cx, 36, 4, 0, 2 * M_PI);
    set_colour(cr, gold);
    cairo_fill(cr);
    fill_rect(cr, cx - 1.2, 14, 2.4, 14, gold);
    fill_rect(cr, cx - 5, 18, 10, 2.4, gold);
    if (m.night) scene::glow(cr, cx, 36, 24, gold, 0.4);
    // Drum: a colonnade under a balustrade.
    stone_rect(cr, m, cx - 82, 150, 164, 9);
    stone_rect(cr, m, cx - 78, 159, 156, 44);
    for (int i = 0; i < 17; ++i) {
        double x = cx - 74 + i * 9.3;
        fill_rect(cr, x, 163, 3.4, 37, m.night ? hex(0x2a2030) : m.stone_dark, m.night ? 0.8 : 0.45);
    }
    stone_rect(cr, m, cx - 88, 203, 176, 12);
    fill_rect(cr, cx - 90, 201, 180, 3, m.stone_dark, 0.6);
    // Main body, west towers and the portico.
    stone_rect(cr, m, 30, 234, 360, ground_y - 234);
    fill_rect(cr, 28, 232, 364, 4, m.stone_dark, 0.7);
    for (int i = 0; i < 8; ++i) {
        for (double side : {40.0, 300.0}) {
            double x = side + (i % 4) * 20;
            rounded_rect(cr, x, 248 + (i / 4) * 42, 9, 26, 4.5);
            set_colour(cr, m.night ? m.window : m.stone_dark, m.night ? 0.75 : 0.5);
            cairo_fill(cr);
        }
    }
    west_tower(cr, m, 108, 40, 150, ground_y);
    west_tower(cr, m, 272, 40, 150, ground_y);
    // Portico: two tiers of paired columns and a pediment.
    stone_rect(cr, m, 152, 222, 116, ground_y - 222);
    polygon(cr, {{148, 222}, {272, 222}, {210, 196}});
    stone(cr, m, 148, 196, 272, 222);
    cairo_fill(cr);
    polygon(cr, {{158, 219}, {262, 219}, {210, 201}});
    set_colour(cr, m.stone_dark, 0.35);
    cairo_fill(cr);
    fill_rect(cr, 148, 270, 124, 5, m.stone_dark, 0.6);
    for (int tier = 0; tier < 2; ++tier) {
        double y0 = tier == 0 ? 226 : 276, y1 = tier == 0 ? 268 : ground_y;
        for (int i = 0; i < 6; ++i) {
            double x = 158 + i * 19.5;
            cairo_rectangle(cr, x, y0, 7, y1 - y0);
            set_pattern(cr, linear(x, 0, x + 7, 0, {{0, m.stone_light}, {1, m.stone_dark}}));
            cairo_fill(cr);
        }
    }
    if (m.night) scene::glow(cr, cx, 240, 190, m.stone_light, 0.18);
    // Steps, trees and lamps.
    scene::ground(cr, kSize, ground_y, kSize, m);
    for (int i = 0; i < 4; ++i) fill_rect(cr, 140 - i * 6, ground_y + i * 4, 140 + i * 12, 4, mix(m.stone_mid, m.ground_top, i / 4.0));
    scene::tree(cr, 30, 392, 110, m);
    scene::tree(cr, 394, 396, 120, m);
    scene::lamp(cr, 112, 400, 60, m);
    scene::lamp(cr, 308, 400, 60, m);
}

// ---------------------------------------------------------------------------

struct Landmark {
    void (*draw)(cairo_t*, const Mood&, Rng&);
    double icon_x, icon_y, icon_size;  // square of the dusk scene shown by the icon
};

const Landmark kLandmarks[8] = {
    {piccadilly, 20, 70, 330},   {marble_arch, 40, 70, 340}, {london_eye, 62, 12, 320}, {gherkin, 92, 26, 250},
    {trafalgar, 116, 36, 300},   {westminster, 218, 12, 200}, {tower_bridge, 50, 50, 320}, {st_pauls, 50, 20, 320},
};

Canvas render_scene(const Landmark& lm, const Mood& mood, std::uint64_t seed) {
    Canvas c(420, 420, true);
    Rng rng(seed);
    lm.draw(c.cr(), mood, rng);
    return c;
}

Canvas icon(const Landmark& lm, std::uint64_t seed) {
    Canvas scene = render_scene(lm, scene::dusk(), seed);
    Canvas c(100, 100, true);
    cairo_t* cr = c.cr();
    cairo_save(cr);
    cairo_scale(cr, 100 / lm.icon_size, 100 / lm.icon_size);
    cairo_translate(cr, -lm.icon_x, -lm.icon_y);
    cairo_set_source_surface(cr, scene.surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BEST);
    cairo_paint(cr);
    cairo_restore(cr);
    // A light vignette keeps the eye on the landmark.
    cairo_rectangle(cr, 0, 0, 100, 100);
    set_pattern(cr, radial(50, 45, 35, 75, {{0, hex(0), 0}, {1, hex(0x050818), 0.55}}));
    cairo_fill(cr);
    return c;
}

}  // namespace

void add_landmarks(PictureList& out) {
    for (int i = 0; i < 8; ++i) {
        const Landmark& lm = kLandmarks[i];
        std::string n = std::to_string(i + 1);
        std::uint64_t seed = 0x4c4f4e44ull * (i + 1);
        out.push_back(Picture{n + "a.png", Format::Png, render_scene(lm, scene::dusk(), seed)});
        out.push_back(Picture{n + "b.png", Format::Png, render_scene(lm, scene::night(), seed)});
    }
    for (int i = 0; i < 8; ++i)
        out.push_back(Picture{std::to_string(i + 1) + "c.png", Format::Png, icon(kLandmarks[i], 0x4c4f4e44ull * (i + 1))});
}

}  // namespace art
