#include "game/screen_driver_helpers.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <utility>

#include "engine/core/files.h"
#include "engine/platform/headless.h"
#include "game/shell/media_slots.h"
#include "game/game_test_helpers.h"
#include "game/screen_test_helpers.h"
#include "support/app_test_helpers.h"

namespace screen_driver {

namespace {

// A click's input going down, or coming up.
void send(const Click& c, bool down) {
  using E = HeadlessEvent;
  auto now = [](E::Kind kind, int a, int b = 0) { headless_at_ms(0, script_event(kind, a, b)); };
  if (c.shift) now(down ? E::KeyDown : E::KeyUp, 42);
  if (c.key) {
    now(down ? E::KeyDown : E::KeyUp, c.key);
    if (down && c.character) now(E::Char, c.character);
  } else if (c.pad_button >= 0) {
    now(down ? E::PadDown : E::PadUp, c.pad_button);
  } else if (c.axis >= 0) {
    now(E::PadMove, c.axis, down ? c.x : 0);
  } else {
    if (down) now(E::Mouse, c.x, c.y);
    now(down ? E::ButtonDown : E::ButtonUp, 0);
  }
}

}  // namespace

MouseRobot::MouseRobot(std::vector<Click> clicks, double limit_ms)
    : clicks_(std::move(clicks)), limit_ms_(limit_ms) {
  headless_set_poll_hook([this] { poll(); });
}

MouseRobot::~MouseRobot() { headless_set_poll_hook({}); }

void MouseRobot::poll() {
  const double now = headless_time_ms();
  if (now > limit_ms_) {
    std::fprintf(stderr, "watchdog: still on screen '%s' after %.0f ms, %zu of %zu clicks done\n",
                 game_screen_name(game_screen), now, next_, clicks_.size());
    std::_Exit(3);
  }
  if (pressed_) {
    if (now < release_at_) return;
    send(clicks_[next_], false);
    pressed_ = false;
    settling_ = false;
    ++next_;
    return;
  }
  if (finished()) return;
  const Click& c = clicks_[next_];
  if (game_screen != c.screen) {
    settling_ = false;
    return;
  }
  if (!settling_) {
    settling_ = true;
    settle_from_ = headless_frames();
  }
  if (headless_frames() < settle_from_ + static_cast<uint64_t>(c.settle_frames)) return;
  send(c, true);
  press_frames_.push_back(headless_frames());
  pressed_ = true;
  release_at_ = now + c.hold_ms;
}

Click tap(GameScreen screen, int key, int character, bool shift, int settle_frames) {
  return Click{screen, 0, 0, 40, settle_frames, key, shift, character};
}

Click pad(GameScreen screen, int button, int settle_frames) {
  return Click{screen, 0, 0, 40, settle_frames, 0, false, 0, button};
}

Click stick(GameScreen screen, int axis, int value, int settle_frames) {
  return Click{screen, value, 0, 40, settle_frames, 0, false, 0, -1, axis};
}

std::vector<Rgb> read_screen(int x, int y, int w, int h) {
  const ScreenRect rect = ::read_screen(x, y, w, h);
  std::vector<Rgb> out(static_cast<size_t>(w) * h);
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = Rgb{rect.rgb[i * 3], rect.rgb[i * 3 + 1], rect.rgb[i * 3 + 2]};
  return out;
}

Rgb read_pixel(int x, int y) { return read_screen(x, y, 1, 1)[0]; }

}  // namespace screen_driver
