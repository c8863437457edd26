// One landmark block of the main screen.
#pragma once
#include "engine/core/str.h"

struct BlockRecord {
  double x = 0.0;  // screen position of the block's plate
  double y = 0.0;
  double standing = 0.0;    // 1 while the block stands on the map
  Str name;                 // the landmark's name
  Str image_a;              // first landmark picture
  Str image_b;              // second landmark picture
  double difficulty = 0.0;  // 1 = EASY, 2 = HARD

  // Back to the default: numbers 0.0, texts emptied (their buffers kept).
  void reset() {
    x = y = standing = difficulty = 0.0;
    str_assign_cstr(name, "");
    str_assign_cstr(image_a, "");
    str_assign_cstr(image_b, "");
  }
};
