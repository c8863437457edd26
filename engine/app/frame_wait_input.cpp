// Waiting without running the game: for any input (hibernate), and the pause loop.
#include <cstdio>
#include "engine/app/app.h"
#include "engine/app/app_frame.h"
#include "engine/core/input.h"
#include "engine/core/timer.h"
#include "engine/media/music.h"

namespace {

constexpr int kInputChecks = 15;
constexpr int kInputCheckSleepMs = 5;
constexpr int kPauseSleepMs = 200;

bool any_key_down() {
  for (int code = 0; code < 255; ++code)
    if (inp_key_down(code)) return true;
  return false;
}

void pause_loop() {
  std::puts("pause loop in showscreen/hibernate");
  std::fflush(stdout);
  while (app_is_paused() && !frame_reactivation_pending()) {
    music_service();
    if (!frame_pump_messages(app_win32_msg_callback())) {
      app_set_error(RtError::success);
      app_exit();
    }
    sys_sleep(kPauseSleepMs);
  }
  std::puts("pause loop ended");
  std::fflush(stdout);
}

}  // namespace

void frame_wait_input() {
  double x0, y0, left0, right0;
  inp_mouse_state(&x0, &y0, &left0, &right0);
  for (int i = 0; i < kInputChecks; ++i) {
    music_service();
    if (!frame_pump_messages(app_win32_msg_callback())) app_exit();
    if (app_is_paused()) {
      pause_loop();
      return;
    }
    // Keys read afresh: an Esc pressed during the wait ends the program rather than the wait.
    inp_poll_keyboard();
    if (app_settings.esc_quits && (inp_key_down(129) || inp_key_down(1))) app_end();
    if (any_key_down()) return;
    double x, y, left, right;
    inp_mouse_state(&x, &y, &left, &right);
    if (x != x0 || y != y0 || left != left0 || right != right0) return;
    sys_sleep(kInputCheckSleepMs);
  }
}
