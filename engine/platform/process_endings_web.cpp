// Endings that come from outside the program, in a browser: there are no signals (closing the tab ends
// the page at once), and the canvas cannot be lost as a display connection can.
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
  std::exit(1);
}
