// Text centred on the screen's middle column, as the game's screens print their titles and messages.
#pragma once
#include "engine/core/str.h"

// Prints text in the current font with proportional spacing (kerning 1), its left edge at
// 400 - (width div 2), its top at y.
void print_centred_text(const Str& text, double y);
