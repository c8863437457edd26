#include "game/shell/star_field.h"

#include "engine/core/random.h"

StarField::StarField(int x_range, int x_offset) {
  arr_dim_num(x, kStars);
  arr_dim_num(y, kStars);
  arr_dim_num(speed, kStars);
  arr_dim_num(colour, kStars);
  for (int s = 0; s < kStars; ++s) {
    x(s) = rnd_int(x_range) + x_offset;
    y(s) = rnd_int(599);
    speed(s) = rnd_int(2) + 1;
    colour(s) = rnd_int(15000000);
  }
}
