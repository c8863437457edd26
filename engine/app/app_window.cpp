// The game window with its OpenGL context: creation, windowed mode, the title.
#include "engine/platform/gl_headers.h"
#include <string>
#include "engine/app/app.h"
#include "engine/app/app_frame.h"
#include "engine/core/timer.h"
#include "engine/media/renderer.h"
#include "engine/platform/platform.h"

namespace {
std::string g_title;
}

bool app_window_create(int width, int height, int frame_rate, int multisample, int fullscreen) {
  frame_set_frame_rate(frame_rate);
  log_line("WIN32 init video\n");
  Platform& p = platform();
  if (!p.window_create(width, height, fullscreen != 0, multisample != 0)) return false;
  p.window_set_title("Quorvex");

  // A zero size takes the created window's.
  int w = 0, h = 0;
  p.window_client_size(w, h);
  if (app_settings.screen_width == 0) app_settings.screen_width = w;
  if (app_settings.screen_height == 0) app_settings.screen_height = h;

  app_driver_check(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClearDepth(1.0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  log_line("get accurate timer - 1st call\n");
  frame_set_deadline(timer_now());
  log_line("flip - 1st call\n");
  p.gl_swap();

  renderer_gl_init();
  // A picture drawn off-screen can be shown at any size: the window may grow to fit the desktop.
  if (renderer_can_scale()) p.window_allow_scaling();

  log_line("2D VP\n");
  renderer_reset_viewport();
  log_line("OGRB init [OK]\n");
  return true;
}

void app_window_windowed_mode() {
  Platform& p = platform();
  p.window_center();
  p.window_show(true);
  p.window_raise();
  renderer_reset_viewport();
}

void app_window_set_title(const char* title) {
  g_title = title ? title : "";
  platform().window_set_title(g_title.c_str());
}

void app_window_show_paused(bool paused) {
  std::string text = g_title;
  if (paused) text += " <pause>";
  platform().window_set_title(text.c_str());
}

void app_window_destroy() { platform().window_destroy(); }
