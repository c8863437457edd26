// The sample layouts the PNG reader turns into RGBA once the library's conversions are applied.
#pragma once

// True for 1, 3 or 4 channels of 8 bits in colour type GRAY, RGB or RGB_ALPHA. Any other channel count
// fails silently; a wrong bit depth or colour type prints its two-line message (naming `name`) on
// standard output.
bool png_format_supported(const char* name, int channels, int bit_depth, int color_type);
