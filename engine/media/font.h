// Bitmap fonts in the top 32 sprite slots.
#pragma once
#include "engine/core/str.h"

void font_startup();  // built-in font into font 0, then the "smalfont" look-up
// Loads a font picture into font slot id and makes it current. A failure (error code 3, or 7 over the
// picture memory budget; logged once per file) puts the built-in font into the slot.
void font_load(const Str& file, int id);
void font_set(int id);
int font_current();
void font_print(const Str& text, double x, double y, int kerning);
int font_text_width(const Str& text, int kerning);
