// Drawing helpers shared by the landmark scenes (420 x 420): stone shading for
// the two moods, plain and stone rectangles, reflections in the river.
#pragma once

#include "../skyline.hpp"

#include <functional>

namespace art::landmark {

using scene::Mood;
inline constexpr double kSize = 420;

// Stone lit by the low sun from the left at dusk, floodlit from below at night.
void stone(cairo_t* cr, const Mood& m, double x0, double y0, double x1, double y1);
void fill_rect(cairo_t* cr, double x, double y, double w, double h, Rgb c, double a = 1);
void stone_rect(cairo_t* cr, const Mood& m, double x, double y, double w, double h);
// Draws `subject` and its mirror image in the water below `axis`.
void with_reflection(cairo_t* cr, const Mood& m, double axis, double alpha, const std::function<void()>& subject);
// Ripple highlights over a reflection.
void ripples(cairo_t* cr, const Mood& m, double y0, Rng& rng);

// The eight scenes, each drawing the whole 420 x 420 picture in the given mood.
void piccadilly(cairo_t* cr, const Mood& m, Rng& rng);
void marble_arch(cairo_t* cr, const Mood& m, Rng& rng);
void london_eye(cairo_t* cr, const Mood& m, Rng& rng);
void gherkin(cairo_t* cr, const Mood& m, Rng& rng);
void trafalgar(cairo_t* cr, const Mood& m, Rng& rng);
void westminster(cairo_t* cr, const Mood& m, Rng& rng);
void tower_bridge(cairo_t* cr, const Mood& m, Rng& rng);
void st_pauls(cairo_t* cr, const Mood& m, Rng& rng);

}  // namespace art::landmark
