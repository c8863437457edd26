// The end of every frame: pause, input, quit keys, drawing handed over, events, present and pacing.
#include <cstdio>
#include "engine/app/app.h"
#include "engine/app/app_frame.h"
#include "engine/core/input.h"
#include "engine/core/timer.h"
#include "engine/media/music.h"
#include "engine/media/renderer.h"
#include "engine/platform/platform.h"

namespace {

double g_current_time = 0.0;
double g_previous_time = 0.0;
bool g_reactivation_pending = false;

void reactivate() {
  std::puts("activate");
  platform().window_raise();
  std::puts("ok");
  std::fflush(stdout);
  g_reactivation_pending = false;
}

}  // namespace

void frame_reset_times() {
  g_current_time = timer_now();
  g_previous_time = g_current_time;
}
double frame_current_time() { return g_current_time; }
double frame_previous_time() { return g_previous_time; }
void frame_request_reactivation() { g_reactivation_pending = true; }
bool frame_reactivation_pending() { return g_reactivation_pending; }

void frame_check_quit_keys() {
  if (app_settings.esc_quits && (inp_key_down(129) || inp_key_down(1))) app_end();
  if (inp_key_down(56) && inp_key_down(62)) app_end();
}

void frame_show() {
  if (g_reactivation_pending) reactivate();

  g_previous_time = g_current_time;
  g_current_time = timer_now();

  while (app_is_paused()) frame_wait_input();

  inp_reset_poll_count();
  inp_poll_keyboard();
  inp_read_all_mice();

  frame_check_quit_keys();

  renderer_flush();
  music_service();

  void (*callback)() = app_win32_msg_callback();
  frame_pump_messages(callback);
  if (!frame_present(callback)) app_end();
  renderer_frame_setup();
}
