#include <cstdlib>
#include <cstring>
#include <memory>
#include "engine/platform/platform.h"
#include "engine/platform/platform_audio.h"
#include "engine/platform/platform_backends.h"

namespace {
std::unique_ptr<Platform> g_platform;
}

bool platform_select(const char* name) {
  if (!name || !*name) name = "sdl";
  Platform* made = nullptr;
  if (std::strcmp(name, "sdl") == 0) made = platform_create_sdl();
  else if (std::strcmp(name, "headless") == 0) made = platform_create_headless();
  if (!made) return false;
  if (g_platform) g_platform->window_destroy();
  g_platform.reset(made);
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
