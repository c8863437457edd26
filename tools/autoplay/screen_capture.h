// Writing the finished frame (the back buffer before the swap, 800 x 600) to a PNG file.
#pragma once
#include <string>

bool write_screen_png(const std::string& path, int width = 800, int height = 600);
