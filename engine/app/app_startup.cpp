// Starting every engine service in a fixed order, with a trace line per step in the log.
#include <cmath>
#include <cstdio>
#include <string>
#include "engine/app/app.h"
#include "engine/app/app_frame.h"
#include "engine/core/archive.h"
#include "engine/core/files.h"
#include "engine/core/input.h"
#include "engine/core/random.h"
#include "engine/core/timer.h"
#include "engine/media/draw.h"
#include "engine/media/font.h"
#include "engine/media/renderer.h"
#include "engine/media/sound.h"
#include "engine/platform/os_files.h"
#include "engine/platform/platform.h"

namespace {

std::string g_program_dir;
bool g_services_started = false;

// The program's folder: its path cut at the last separator (a root keeps its own).
std::string program_dir() { return file_path_parent(platform().program_path().c_str()); }

}  // namespace

const std::string& app_program_dir() { return g_program_dir; }
bool app_services_started() { return g_services_started; }
void app_services_forget() { g_services_started = false; }

int app_startup(int show_command, const char* title) {
  // The runtime owns the process's endings from outside: quit signals, and a display that goes away.
  platform_take_signals();
  platform_set_display_lost_handler(app_display_lost);
  app_set_fatal_ending(app_end_fatal);
  log_restart();
  log_line("debug works at all\n");

  log_line("timer\n");
  timer_init();

  log_line("rbow\n");
  renderer_create();
  g_services_started = true;
  log_line("rbow init\n");

  if (!app_window_create(app_settings.screen_width, app_settings.screen_height, app_settings.frame_rate,
                         app_settings.multisample, app_settings.fullscreen))
    return 0;

  app_window_set_title(title);
  log_line("Cptn\n");

  rnd_seed(static_cast<uint32_t>(std::llround(timer_ms())));

  log_line("Network\n");

  log_line("Input\n");
  inp_create();
  inp_set_screen_size(app_settings.screen_width, app_settings.screen_height);

  log_line("Window mode\n");
  if (app_settings.fullscreen == 0) {
    app_window_windowed_mode();
  } else {
    // The window was made full screen at creation; it only needs showing.
    platform().window_show(true);
    platform().window_raise();
    renderer_reset_viewport();
  }

  log_line("Create DXin\n");
  inp_open_devices();
  log_line("reptr\n");

  log_line("getexe\n");
  g_program_dir = program_dir();
  log_line("cd\n");
  if (!g_program_dir.empty() && os_set_cwd(g_program_dir) != 0)
    std::fprintf(stderr, "can't enter %s\n", g_program_dir.c_str());
  char line[4200];
  std::snprintf(line, sizeof line, "exepath=curdir= %s\n", g_program_dir.c_str());
  log_line(line);

  archive_slots_create();  // both archive names start empty

  frame_reset_times();
  timer_set_start_offset();

  draw_clear_screen(0);
  frame_present(nullptr);
  renderer_reset_viewport();

  font_startup();

  app_set_paused(0);
  frame_reset_times();

  if (show_command == 0) {
    platform().window_show(false);
    frame_pump_messages(nullptr);
  }

  inp_apply_mouse_mode(app_settings.hide_mouse);

  snd_startup();

  // The game's clock starts here, when its main routine is about to run.
  timer_set_start_offset();
  log_line("Init Finalized\n");
  return 1;
}
