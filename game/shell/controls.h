// The game's controls: the keys it answers to, and a game pad's equivalents.
#pragma once

enum class Control {
  up,
  down,
  left,
  right,  // the arrow keys, the pad's D-pad or its left stick past the dead zone
  next,
  previous,  // Tab; Shift+Tab
  enter,     // Enter (either key) or the pad's A
  space,     // the space bar
  start,     // the pad's Start
  count
};

// The left stick counts as an arrow once pushed this far from the middle (of 32767).
constexpr int kStickDeadZone = 16000;

// Held now, as the devices were last polled.
bool control_down(Control c);
// Takes a reading of the controls' presses; screens call it once a frame, after frame_show polled the
// devices. control_pressed then tells which controls were newly pressed before that poll (a key
// released and pressed again counts, a held one's automatic repeats do not; the stick counts when it
// crosses the dead zone). Each press is read once: another reading after the same poll finds none.
void controls_update();
bool control_pressed(Control c);
bool any_control_pressed();
