// Shared fixture for tests that draw into the offscreen window and read the pixels back.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "engine/media/image.h"

struct Rgba {
  uint8_t r = 0, g = 0, b = 0, a = 0;
  bool operator==(const Rgba&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Rgba& c);

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kGreen{0, 255, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};
constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kClear{0, 0, 0, 0};

// An 800 x 600 headless window with the renderer set up as at start-up.
class GlTest : public ::testing::Test {
 public:
  static constexpr int kScreenW = 800;
  static constexpr int kScreenH = 600;

 protected:
  void SetUp() override;
  void TearDown() override;
};

// Pixel of the picture being drawn (the off-screen picture, or the back buffer when drawing goes
// straight to the window) at screen position (x, y), origin top-left.
Rgba screen_pixel(int x, int y);
// True when every pixel of the screen rectangle [x0, x1) x [y0, y1) has colour c (RGB only).
bool screen_rect_is(int x0, int y0, int x1, int y1, Rgba c);
// Clears the back buffer to a colour (alpha 255).
void clear_screen_to(Rgba c);

// A picture of w x h pixels whose colour comes from fn(x, y).
ImageBuffer make_image(int w, int h, const std::function<Rgba(int, int)>& fn);
ImageBuffer solid_image(int w, int h, Rgba c);

// Writes a 24-bit bottom-up BMP of the picture's RGB; returns false on an I/O failure.
bool write_bmp24(const std::string& path, const ImageBuffer& image);
// A fresh scratch directory for the running test.
std::string scratch_dir();
