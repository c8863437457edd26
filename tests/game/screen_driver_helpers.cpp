#include "game/screen_driver_helpers.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

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
    const Click& held = clicks_[next_];
    if (held.key) headless_at_ms(0, script_event(HeadlessEvent::KeyUp, held.key));
    if (held.shift) headless_at_ms(0, script_event(HeadlessEvent::KeyUp, 42));
    if (held.pad_button >= 0) headless_at_ms(0, script_event(HeadlessEvent::PadUp, held.pad_button));
    if (held.axis >= 0) headless_at_ms(0, script_event(HeadlessEvent::PadMove, held.axis, 0));
    if (!held.key && held.pad_button < 0 && held.axis < 0) headless_at_ms(0, script_event(HeadlessEvent::ButtonUp, 0));
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
  if (c.shift) headless_at_ms(0, script_event(HeadlessEvent::KeyDown, 42));
  if (c.key) headless_at_ms(0, script_event(HeadlessEvent::KeyDown, c.key));
  if (c.character) headless_at_ms(0, script_event(HeadlessEvent::Char, c.character));
  if (c.pad_button >= 0) headless_at_ms(0, script_event(HeadlessEvent::PadDown, c.pad_button));
  if (c.axis >= 0) headless_at_ms(0, script_event(HeadlessEvent::PadMove, c.axis, c.x));
  if (!c.key && c.pad_button < 0 && c.axis < 0) {
    headless_at_ms(0, script_event(HeadlessEvent::Mouse, c.x, c.y));
    headless_at_ms(0, script_event(HeadlessEvent::ButtonDown, 0));
  }
  press_frames_.push_back(headless_frames());
  pressed_ = true;
  release_at_ = now + c.hold_ms;
}

Click tap(GameScreen screen, int key, int character, bool shift, int settle_frames) {
  Click c{screen, 0, 0, 40, settle_frames};
  c.key = key;
  c.character = character;
  c.shift = shift;
  return c;
}

Click pad(GameScreen screen, int button, int settle_frames) {
  Click c{screen, 0, 0, 40, settle_frames};
  c.pad_button = button;
  return c;
}

Click stick(GameScreen screen, int axis, int value, int settle_frames) {
  Click c{screen, value, 0, 40, settle_frames};
  c.axis = axis;
  return c;
}

std::vector<Rgb> read_screen(int x, int y, int w, int h) {
  const ScreenRect rect = ::read_screen(x, y, w, h);
  std::vector<Rgb> out(static_cast<size_t>(w) * h);
  for (size_t i = 0; i < out.size(); ++i) out[i] = Rgb{rect.rgb[i * 3], rect.rgb[i * 3 + 1], rect.rgb[i * 3 + 2]};
  return out;
}

Rgb read_pixel(int x, int y) { return read_screen(x, y, 1, 1)[0]; }

}  // namespace screen_driver
