// Writing the finished frame (the back buffer before the swap, 800 x 600) to a PNG file.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "colour_vision.h"

// The frame's RGB pixels, top row first.
std::vector<uint8_t> read_screen_rgb(int width = 800, int height = 600);
bool write_screen_png(const std::string& path, int width = 800, int height = 600);
// The frame as a vision sees it.
bool write_screen_png_seen(const std::string& path, Vision vision, int width = 800, int height = 600);
