// The keyboard and pad focus over a screen's buttons.
//
// The focus moves among the buttons from left to right (buttons at the same x from top to bottom): Tab,
// Right and Down go to the next one, Shift+Tab, Left and Up to the previous one, stopping at the ends;
// Enter, Space or the pad's A press the focused button. The focus is there from the start, shown or not,
// so Enter alone presses the screen's main button. Its ring shows from the first control pressed on the
// screen until the mouse moves: a player who only uses the mouse never sees it. A Tab (or Shift+Tab)
// while the ring is hidden only shows it, on the button that has the focus; the next one moves it.
#pragma once
#include <span>
#include <vector>

#include "game/shell/button.h"
#include "game/shell/focus_ring.h"

class ButtonFocus {
 public:
  // The screen's buttons (its table) and the one focused at the start (its index in the table).
  ButtonFocus(std::span<const Button> buttons, int first);

  // Once a frame, with the mouse as the screen read it this frame: takes the controls' reading, moves
  // the focus and shows or hides the ring. Returns the index of the button pressed by a control, or -1.
  // With start_presses the pad's Start presses too.
  int update(double mouse_x, double mouse_y, bool start_presses = false);
  // The ring round the focused button, while it is shown.
  void draw() const;

  int focused() const { return order_[static_cast<size_t>(position_)]; }
  bool shown() const { return shown_(); }

 private:
  void publish() const;

  std::span<const Button> buttons_;
  std::vector<int> order_;  // indexes into buttons_ in focus order
  int position_ = 0;        // the focused button's place in order_
  FocusRingShown shown_;
};
