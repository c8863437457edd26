#include "game/shell/focus_ring.h"

#include "engine/media/draw.h"

namespace {

constexpr int kEdgeColour =
    0x102040;  // red 64, green 32, blue 16: dark, so the gold stands out on light pictures

// A frame of `width` pixels whose outer edge is the box (x, y, w, h).
void frame(int x, int y, int w, int h, int width, int colour) {
  draw_rect(x, y, w, width, colour);
  draw_rect(x, y + h - width, w, width, colour);
  draw_rect(x, y + width, width, h - 2 * width, colour);
  draw_rect(x + w - width, y + width, width, h - 2 * width, colour);
}

}  // namespace

void draw_focus_ring(const Button& button) {
  draw_alpha_mode(0);
  const int out = kFocusRingGap + kFocusRingWidth + 1;
  frame(button.x - out, button.y - out, button.w + 2 * out, button.h + 2 * out, 1, kEdgeColour);
  const int gold = kFocusRingGap + kFocusRingWidth;
  frame(button.x - gold, button.y - gold, button.w + 2 * gold, button.h + 2 * gold, kFocusRingWidth,
        kFocusRingColour);
}

void FocusRingShown::update(double mouse_x, double mouse_y, bool control_pressed) {
  if (mouse_known_ && (mouse_x != last_x_ || mouse_y != last_y_)) shown_ = false;
  mouse_known_ = true;
  last_x_ = mouse_x;
  last_y_ = mouse_y;
  if (control_pressed) shown_ = true;
}
