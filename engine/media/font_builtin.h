// Installing font pictures into font slots, and the built-in 8 x 8 font. Internal to engine/media.
#pragma once
#include "engine/media/font_glyphs.h"
#include "engine/media/image.h"

// The 128 x 64 RGBA picture: white glyphs with a dark outline on transparent cells.
ImageBuffer font_builtin_picture();
// Fixed 8-pixel metrics for all 256 codes.
void font_builtin_glyphs(GlyphRecord glyphs[256]);
// Puts the built-in font into font slot `font` (0..31).
bool font_install_builtin(int font);
// Measures the picture's glyphs and uploads it into font slot `font` (0..31).
bool font_install_image(ImageBuffer image, int font);
