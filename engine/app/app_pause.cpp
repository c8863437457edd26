// Pausing and resuming the game while the window is inactive.
#include "engine/app/app.h"

namespace {
bool g_paused = false;
}

void app_set_paused(int paused) {
  bool wanted = paused != 0;
  if (wanted != g_paused) {
    g_paused = wanted;
    app_call_by_name(Str(wanted ? "QVX_ON_PAUSE" : "QVX_ON_RESUME"));
  }
  g_paused = wanted;
}

bool app_is_paused() { return g_paused; }
