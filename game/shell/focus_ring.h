// The keyboard focus's mark: a gold outline with a dark edge, a little outside a button's box.
#pragma once
#include "game/shell/button.h"

constexpr int kFocusRingColour = 255 + 204 * 256 + 51 * 65536;  // red 255, green 204, blue 51
constexpr int kFocusRingGap = 3;                                // pixels between the box and the gold
constexpr int kFocusRingWidth = 2;  // the gold's width; one dark pixel lies outside it

void draw_focus_ring(const Button& button);

// When the ring shows: from the first control pressed (or key typed) on a screen until the mouse moves.
class FocusRingShown {
 public:
  // Once a frame, with the mouse as the screen read it and whether a control was pressed this frame.
  void update(double mouse_x, double mouse_y, bool control_pressed);
  bool operator()() const { return shown_; }

 private:
  bool shown_ = false;
  bool mouse_known_ = false;
  double last_x_ = 0, last_y_ = 0;
};
