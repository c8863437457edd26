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
void (*g_esc_handler)() = nullptr;
bool g_esc_pending = false;  // Esc seen in a busy wait, for the next frame
bool g_in_esc_handler = false;

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

void frame_set_esc_handler(void (*handler)()) {
  g_esc_handler = handler;
  g_esc_pending = false;
}

void frame_check_quit_keys(bool in_frame) {
  if (inp_key_down(56) && inp_key_down(62)) app_end();
  frame_check_esc(in_frame);
}

void frame_check_esc(bool in_frame) {
  if (!app_settings.esc_quits || g_in_esc_handler) return;
  const bool esc = inp_key_down(129) || inp_key_down(1);
  if (g_esc_handler == nullptr) {
    if (esc) app_end();
    return;
  }
  if (esc) g_esc_pending = true;
  if (!in_frame || !g_esc_pending) return;
  g_esc_pending = false;
  g_in_esc_handler = true;
  g_esc_handler();
  g_in_esc_handler = false;
}

void frame_show() {
  if (g_reactivation_pending) reactivate();

  g_previous_time = g_current_time;
  g_current_time = timer_now();

  while (app_is_paused()) frame_wait_input();

  inp_reset_poll_count();
  inp_poll_keyboard();
  inp_read_all_mice();

  frame_check_quit_keys(true);

  renderer_flush();
  music_service();

  void (*callback)() = app_win32_msg_callback();
  frame_pump_messages(callback);
  if (!frame_present(callback)) app_end();
  renderer_frame_setup();
}
