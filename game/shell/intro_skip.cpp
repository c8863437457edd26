#include "game/shell/intro_skip.h"

#include "engine/core/input.h"
#include "game/shell/controls.h"

namespace {
bool g_button_was_down = false;
bool g_asked = false;

bool left_button_down() {
  double x, y, left, right;
  inp_mouse_state(&x, &y, &left, &right);
  return left != 0;
}
}  // namespace

void intro_skip_arm() {
  controls_update();  // presses made before the animation are read and dropped
  g_button_was_down = left_button_down();
  g_asked = false;
}

bool intro_skip_asked() {
  controls_update();
  const bool down = left_button_down();
  if ((down && !g_button_was_down) || control_pressed(Control::enter)) g_asked = true;
  g_button_was_down = down;
  return g_asked;
}
