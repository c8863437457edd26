// Scenery shared by the landmark pictures, the backdrop and the map: the two
// moods (dusk and night), skies, stars, distant city blocks, water and lamps.
#pragma once

#include "canvas.hpp"

namespace art::scene {

struct Mood {
    bool night = false;
    Rgb sky_top, sky_mid, sky_low, horizon;  // sky gradient from top to horizon
    Rgb sun;                                  // glow near the horizon (sun or city light)
    Rgb silhouette;                           // distant buildings
    Rgb window;                               // lit windows
    double window_share = 0.2;                // share of windows that are lit
    Rgb stone_light, stone_mid, stone_dark;   // the landmark's stone: lit side to shade
    Rgb metal;                                // ironwork, glass frames
    Rgb water_top, water_bottom;
    Rgb ground_top, ground_bottom;
    Rgb foliage;
    int stars = 0;
};

Mood dusk();
Mood night();

// Sky gradient over (0, 0, w, horizon) with the glow and, at night, the moon.
void sky(cairo_t* cr, double w, double horizon, const Mood& mood, Rng& rng);
void stars(cairo_t* cr, double w, double h, int count, Rng& rng, double brightness);
// A strip of distant buildings standing on base_y, heights between lo and hi.
void city_silhouette(cairo_t* cr, double x0, double x1, double base_y, double lo, double hi, const Mood& mood, Rng& rng);
// Water from y0 to y1 with shimmering reflection strokes.
void water(cairo_t* cr, double w, double y0, double y1, const Mood& mood, Rng& rng);
// Ground (pavement or grass) from y0 to y1.
void ground(cairo_t* cr, double w, double y0, double y1, const Mood& mood);
// A grid of windows in (x, y, w, h), some of them lit.
void windows(cairo_t* cr, double x, double y, double w, double h, int cols, int rows, const Mood& mood, Rng& rng);
// A street lamp standing on (x, base) with its glow.
void lamp(cairo_t* cr, double x, double base, double height, const Mood& mood);
// A soft round glow (additive look).
void glow(cairo_t* cr, double x, double y, double r, Rgb colour, double strength);
// A rounded tree crown on a trunk.
void tree(cairo_t* cr, double x, double base, double size, const Mood& mood);

}  // namespace art::scene
