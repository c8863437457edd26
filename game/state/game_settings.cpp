// The game's start-up values for the runtime, and its (empty) table of callbacks by name.
#include "engine/app/app.h"

const CallbackEntry game_callbacks[] = {{nullptr, nullptr}};

// Called by the runtime before it opens the window: an 800 x 600 window at 50 frames per second with
// the pointer hidden, titled "Brakka".
void game_settings() {
  app_settings.screen_width = 800;
  app_settings.screen_height = 600;
  app_settings.fullscreen = 0;
  app_settings.hide_mouse = 1;
  app_settings.frame_rate = 50;
  app_settings.debug_mode = 0;
  app_settings.multisample = 0;
  frame_app_name() = "Brakka";
}
