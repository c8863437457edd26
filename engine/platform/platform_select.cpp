#include <cstdlib>
#include <cstring>
#include "engine/platform/platform.h"
#include "engine/platform/platform_audio.h"
#include "engine/platform/platform_backends.h"

namespace {
// Lives until the process ends and is never destroyed by it: the window goes in the runtime's shut-down,
// and no destructor run by exit() may talk to the window system (after a lost display it would wait
// on the broken connection forever). Only a backend replaced by another is deleted.
Platform* g_platform = nullptr;
}

bool platform_select(const char* name) {
  if (!name || !*name) name = "sdl";
  Platform* made = nullptr;
  if (std::strcmp(name, "sdl") == 0) made = platform_create_sdl();
  else if (std::strcmp(name, "headless") == 0) made = platform_create_headless();
  if (!made) return false;
  if (g_platform) {
    g_platform->window_destroy();
    delete g_platform;
  }
  g_platform = made;
  platform_audio_select(name);
  return true;
}

Platform& platform() {
  if (!g_platform) {
    const char* env = std::getenv("BRAKKA_PLATFORM");
    if (!platform_select(env)) platform_select("sdl");
  }
  return *g_platform;
}

bool platform_is_headless() { return std::strcmp(platform().name(), "headless") == 0; }
