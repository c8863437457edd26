// Windows icon files (.ico): a small directory of pictures of one icon at several sizes, each stored
// as a PNG (read by Windows Vista and later, and by the resource compiler as it is).
#pragma once

#include "canvas.hpp"

#include <string>
#include <vector>

namespace art {

// Writes the square canvases (1 to 256 pixels, one per size) as one icon file; throws
// std::runtime_error when a picture does not fit or the file cannot be written.
void save_ico(const std::vector<Canvas>& sizes, const std::string& path);

}  // namespace art
