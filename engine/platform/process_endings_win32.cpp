// Endings from outside on Windows. The game is a program of the graphical subsystem: it has no console,
// so no Ctrl+C or console close reaches it, and Windows sends no signals. A close (the title bar, Alt+F4,
// the task bar, taskkill without /F) comes as a window message, which SDL turns into a quit event and
// the backend into a Close, ending the program as on Linux. At the end of the session Windows asks the
// window and then ends the process; the game keeps nothing unsaved that a close would save.
// There is no X server to lose either: a lost display is only reported by a backend that can tell.
#include <cstdio>
#include <cstdlib>
#include "engine/platform/platform.h"

namespace {
void (*g_display_lost)(const char*) = nullptr;
}

void platform_take_signals() {}

int platform_quit_signal() { return 0; }

void platform_set_display_lost_handler(void (*handler)(const char* what)) { g_display_lost = handler; }

void platform_display_lost(const char* what) {
  if (g_display_lost) g_display_lost(what);
  std::fprintf(stderr, "%s\n", what);
  std::_Exit(1);
}
