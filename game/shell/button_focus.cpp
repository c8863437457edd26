#include "game/shell/button_focus.h"

#include <algorithm>
#include <numeric>

#include "game/shell/controls.h"
#include "game/state/game_state.h"

ButtonFocus::ButtonFocus(std::span<const Button> buttons, int first)
    : buttons_(buttons), order_(buttons.size()) {
  std::iota(order_.begin(), order_.end(), 0);
  std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
    const Button &p = buttons_[static_cast<size_t>(a)], &q = buttons_[static_cast<size_t>(b)];
    return p.x != q.x ? p.x < q.x : p.y < q.y;
  });
  position_ = static_cast<int>(std::find(order_.begin(), order_.end(), first) - order_.begin());
  if (position_ >= static_cast<int>(order_.size())) position_ = 0;
  publish();
}

int ButtonFocus::update(double mouse_x, double mouse_y, bool start_presses) {
  controls_update();
  shown_.update(mouse_x, mouse_y, any_control_pressed());

  const bool next =
      control_pressed(Control::next) || control_pressed(Control::right) || control_pressed(Control::down);
  const bool previous =
      control_pressed(Control::previous) || control_pressed(Control::left) || control_pressed(Control::up);
  const bool press = control_pressed(Control::enter) || control_pressed(Control::space) ||
                     (start_presses && control_pressed(Control::start));
  const int last = static_cast<int>(order_.size()) - 1;
  if (next && !previous) position_ = std::min(position_ + 1, last);
  if (previous && !next) position_ = std::max(position_ - 1, 0);
  publish();
  return press ? focused() : -1;
}

void ButtonFocus::draw() const {
  if (shown()) draw_focus_ring(buttons_[static_cast<size_t>(focused())]);
}

void ButtonFocus::publish() const { screen_focus = ScreenFocus{focused(), shown()}; }
