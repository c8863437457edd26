// The backends behind the platform seam, one row each: its name and the makers of its platform and audio.
#pragma once
#include <memory>
#include "engine/platform/platform.h"
#include "engine/platform/platform_audio.h"

struct PlatformBackend {
  const char* name;
  std::unique_ptr<Platform> (*make_platform)();
  std::unique_ptr<PlatformAudio> (*make_audio)();
};

std::unique_ptr<Platform> make_sdl_platform();
std::unique_ptr<Platform> make_headless_platform();
std::unique_ptr<PlatformAudio> make_sdl_audio();
std::unique_ptr<PlatformAudio> make_headless_audio();

// The row named `name` ("sdl", "headless"), or null when there is none.
const PlatformBackend* platform_backend(const char* name);
