// Ending the process: the normal end, fatal runtime errors and the exit itself.
#include <cstdio>
#include <cstdlib>
#include <string>
#include "engine/app/app.h"

namespace {

bool g_exiting = false;
int g_exit_status = 0;  // non-zero once a fatal error has ended the run, or the game asked for it
bool g_display_lost = false;

void log_number(int n) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d\n", n);
  log_line(buf);
}

}  // namespace

bool app_is_exiting() { return g_exiting; }

void app_set_end_status(int status) { g_exit_status = (status >= 0 && status < 256) ? status : 1; }

void app_end() {
  app_set_error(RtError::success);
  app_exit();
}

void app_end_fatal(int status) {
  g_exit_status = status;
  app_exit();
}

void app_display_lost(const char* what) {
  std::string line = what ? what : "Display lost";
  line += "\n";
  log_line(line.c_str());
  g_exit_status = 1;
  g_display_lost = true;
  app_exit();
}

void app_quit_on_signal(int sig) {
  char line[48];
  std::snprintf(line, sizeof line, "Quit on signal %d\n", sig);
  log_line(line);
  app_exit();
}

void app_exit() {
  if (!g_exiting) {
    g_exiting = true;
    if (app_settings.debug_mode) {
      log_line("-End On Line\n");
      log_number(error_state.error_code);
      log_number(error_state.error_line - 1);
      log_number(error_state.current_line);
      log_number(current_module);
    }
  }
  // A second call (from the quit callback, a fatal error or a lost display while releasing) finishes the
  // one shut-down under way: the quit callback runs once and every service is released once.
  app_shutdown();
  std::puts("exit");
  std::fflush(stdout);
  // After a lost display no exit handlers run: a library's (the GL driver's, say) could still speak to
  // the broken connection and wait on it. Everything of ours is released by now.
  if (g_display_lost) {
    std::fflush(nullptr);
    std::_Exit(g_exit_status);
  }
  std::exit(g_exit_status);
}
