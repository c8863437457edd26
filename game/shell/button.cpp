#include "game/shell/button.h"

#include "engine/media/draw.h"

bool button_hit(const Button& button, double x, double y) {
  return draw_box_collide(static_cast<int>(x), static_cast<int>(y), 1, 1, button.x, button.y, button.w,
                          button.h) != 0;
}

bool button_clicked(const Button& button, double x, double y, double left) {
  return left != 0 && button_hit(button, x, y);
}
