#include "game/shell/centred_text.h"

#include "engine/media/font.h"

void print_centred_text(const Str& text, double y) {
  // Integer halving truncates toward zero, so an odd width leaves the extra pixel on the right.
  const int half = font_text_width(text, 1) / 2;
  font_print(text, 400 - half, y, 1);
}
