// One step of a busy wait outside the frame loop.
#include "engine/app/app.h"
#include "engine/app/app_frame.h"
#include "engine/core/input.h"
#include "engine/core/timer.h"
#include "engine/media/music.h"

void frame_idle(int sleep_ms) {
  sys_sleep(sleep_ms);
  music_service();
  frame_pump_messages(app_win32_msg_callback());
  inp_reset_poll_count();
  inp_poll_keyboard();
  frame_check_quit_keys();
}
