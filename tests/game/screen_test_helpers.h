// Back-buffer read-back and scripted clicks for tests of the game's screens.
#pragma once
#include <cstdint>
#include <vector>

#include "engine/platform/headless.h"

// A rectangle of the back buffer as RGB bytes, rows from the top; pixels outside the screen read 0.
struct ScreenRect {
  int x = 0, y = 0, w = 0, h = 0;
  std::vector<uint8_t> rgb;
  bool operator==(const ScreenRect&) const = default;
  // RGB of the pixel at screen position (px, py) inside the rectangle.
  uint32_t at(int px, int py) const;
  // The part (x, y, w, h) of this rectangle, which must lie inside it.
  ScreenRect cut(int cx, int cy, int cw, int ch) const;
  // Pixels that differ from other's (same rectangle).
  int differing(const ScreenRect& other) const;
};
ScreenRect read_screen(int x, int y, int w, int h);
ScreenRect read_whole_screen();
// Packs 0xRRGGBB from the game's colour value R + 256 G + 65536 B.
uint32_t rgb_of_game_colour(int colour);

// Scripted pointer moves and left clicks, due after the given number of presented frames (absolute
// counts) or at virtual times. A release wait presents no frames: a click that a screen waits to see
// released needs a timed release.
void move_at_frame(uint64_t frame, int x, int y);
void click_at_frame(uint64_t frame, int x, int y, uint64_t hold_frames = 2);
void move_at_ms(double ms, int x, int y);
void button_at_ms(double ms, int button, bool down);
