#include "game/screen_driver_helpers.h"

#include <GL/gl.h>
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
    headless_at_ms(0, script_event(HeadlessEvent::ButtonUp, 0));
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
  headless_at_ms(0, script_event(HeadlessEvent::Mouse, c.x, c.y));
  headless_at_ms(0, script_event(HeadlessEvent::ButtonDown, 0));
  press_frames_.push_back(headless_frames());
  pressed_ = true;
  release_at_ = now + c.hold_ms;
}

std::vector<Rgb> read_screen(int x, int y, int w, int h) {
  std::vector<uint8_t> raw(static_cast<size_t>(w) * h * 4);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  // GL rows run bottom-up; the screen's top row is the highest GL row.
  glReadPixels(x, 600 - y - h, w, h, GL_RGBA, GL_UNSIGNED_BYTE, raw.data());
  std::vector<Rgb> out(static_cast<size_t>(w) * h);
  for (int row = 0; row < h; ++row) {
    const uint8_t* src = raw.data() + static_cast<size_t>(h - 1 - row) * w * 4;
    for (int col = 0; col < w; ++col)
      out[static_cast<size_t>(row) * w + col] = Rgb{src[col * 4], src[col * 4 + 1], src[col * 4 + 2]};
  }
  return out;
}

Rgb read_pixel(int x, int y) { return read_screen(x, y, 1, 1)[0]; }

}  // namespace screen_driver
