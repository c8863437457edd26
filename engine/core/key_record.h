// The runtime's record of two numbers and a text, used for tables of labelled positions (on-screen keys).
#pragma once
#include "engine/core/str.h"

struct KeyRecord {
  double key_x = 0.0;
  double key_y = 0.0;
  Str key_text;

  void reset();  // numbers 0.0, text emptied (its buffer kept)
};
