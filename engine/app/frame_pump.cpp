// The message pump and the window's handling of each event.
#include "engine/app/app.h"
#include "engine/app/app_frame.h"
#include "engine/core/input.h"
#include "engine/platform/platform.h"

namespace {

void handle(const PlatformEvent& ev) {
  const bool pause_on_focus = app_settings.debug_mode == 0 && app_settings.auto_pause != 0;
  switch (ev.type) {
    case PlatformEvent::Deactivate:
      if (pause_on_focus) {
        app_window_show_paused(true);
        app_set_paused(1);
      }
      break;
    case PlatformEvent::Activate:
      if (pause_on_focus) {
        app_window_show_paused(false);
        app_set_paused(0);
      }
      break;
    case PlatformEvent::Close: app_exit();
    case PlatformEvent::Char: inp_char_typed(static_cast<signed char>(ev.code)); break;
    default: break;
  }
}

}  // namespace

int frame_pump_messages(void (*callback)()) {
  if (int sig = platform_quit_signal()) app_quit_on_signal(sig);
  PlatformEvent ev;
  while (platform().event_poll(ev)) {
    if (callback) callback();
    handle(ev);
  }
  return 1;
}
