// The star field of the instructions and lose screens: 240 stars, each with a position, a speed of 1
// or 2 pixels per frame and a colour, drawn from the random generator star by star in the order x, y,
// speed, colour. The arrays are released with the field.
#pragma once
#include "engine/core/dim_array.h"

struct StarField {
  static constexpr int kStars = 240;
  DimArray<double> x, y, speed, colour;

  // x = rnd_int(x_range) + x_offset, y = rnd_int(599), speed = rnd_int(2) + 1, colour = rnd_int(15000000).
  StarField(int x_range, int x_offset);
};
