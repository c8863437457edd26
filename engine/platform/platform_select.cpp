// Choosing the platform backend by name from the table of backends; the backend in use.
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

constexpr PlatformBackend kBackends[] = {
    {"sdl", make_sdl_platform, make_sdl_audio},
    {"headless", make_headless_platform, make_headless_audio},
};
}  // namespace

const PlatformBackend* platform_backend(const char* name) {
  if (!name) return nullptr;
  for (const PlatformBackend& row : kBackends)
    if (std::strcmp(row.name, name) == 0) return &row;
  return nullptr;
}

bool platform_select(const char* name) {
  if (!name || !*name) name = "sdl";
  const PlatformBackend* row = platform_backend(name);
  if (!row) return false;
  Platform* made = row->make_platform().release();
  if (g_platform) {
    g_platform->window_destroy();
    delete g_platform;
  }
  g_platform = made;
  platform_audio_select(row->name);
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
