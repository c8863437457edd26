// Placeholder game until the screens land: an empty 800 x 600 window that runs frames until Esc or close.
#include "engine/core/app.h"

const CallbackEntry game_callbacks[] = {{nullptr, nullptr}};

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

void game_main() {
  for (;;) frame_show();
}
