#include "screen_capture.h"

#include "engine/platform/gl_headers.h"

#include <algorithm>

std::vector<uint8_t> read_screen_rgb(int width, int height) {
  const size_t row = static_cast<size_t>(width) * 3;
  std::vector<uint8_t> gl(row * height), top_first(row * height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, gl.data());
  // GL rows run bottom-up.
  for (int y = 0; y < height; ++y) std::copy_n(&gl[(height - 1 - y) * row], row, &top_first[y * row]);
  return top_first;
}

bool write_screen_png(const std::string& path, int width, int height) {
  const std::vector<uint8_t> rgb = read_screen_rgb(width, height);
  return write_rgb_png(path, rgb.data(), width, height);
}

bool write_screen_png_seen(const std::string& path, Vision vision, int width, int height) {
  std::vector<uint8_t> rgb = read_screen_rgb(width, height);
  simulate_vision(vision, rgb.data(), static_cast<size_t>(width) * height);
  return write_rgb_png(path, rgb.data(), width, height);
}
