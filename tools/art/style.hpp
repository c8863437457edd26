// The shared look of the interface: palette, buttons, key caps and plaques.
#pragma once

#include "canvas.hpp"

#include <string>

namespace art::style {

// Dusk palette.
inline constexpr Rgb kNight = hex(0x070b1f);
inline constexpr Rgb kDeepBlue = hex(0x13265c);
inline constexpr Rgb kDusk = hex(0x3b3a7a);
inline constexpr Rgb kGold = hex(0xf2b84b);
inline constexpr Rgb kPaleGold = hex(0xffe7a8);
inline constexpr Rgb kAmber = hex(0xff9a2e);
inline constexpr Rgb kOutline = hex(0x0a0c1c);
inline constexpr Rgb kCyan = hex(0x4fe3ff);

enum class Tone { Blue, Orange, Crimson, Green, Slate };

// The lettering of a button's label: bold, outlined, hscale wide, at the largest size up to text_size
// at which the label fits a button w wide.
TextStyle button_label(cairo_t* cr, const std::string& label, double w, double text_size = 15, double hscale = 0.95);
// A glossy rounded button filling (x, y, w, h) with a centred label in the given lettering.
void button(cairo_t* cr, double x, double y, double w, double h, const std::string& label, Tone tone,
            const TextStyle& lettering);
// The same with the label's own lettering (button_label).
void button(cairo_t* cr, double x, double y, double w, double h, const std::string& label, Tone tone,
            double text_size = 15);
// A key cap of the name keyboard.
void key_cap(cairo_t* cr, double x, double y, double w, double h, const std::string& label);
// A framed dark plate with a gold rim, used behind signs and results.
void plaque(cairo_t* cr, double x, double y, double w, double h, double radius, Rgb glow);
// A dark outline filling the rounded (x, y, w, h) with a gold band inset by `rim` on
// every side (corner radius inner_radius), shaded pale to dark down the band. What is
// drawn inside the band is up to the caller.
void gold_rim(cairo_t* cr, double x, double y, double w, double h, double radius, double rim, double inner_radius);
// Large display lettering (title words, results).
TextStyle display(double size, Rgb top, Rgb bottom);

}  // namespace art::style
