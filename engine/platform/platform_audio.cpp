// Choosing the audio backend.
#include <cstring>
#include <memory>

#include "engine/platform/audio_backends.h"
#include "engine/platform/platform.h"

namespace {
std::unique_ptr<PlatformAudio> g_audio;
}

bool platform_audio_select(const char* name) {
  std::unique_ptr<PlatformAudio> next;
  if (name && std::strcmp(name, "headless") == 0) next = make_headless_audio();
  else if (name && std::strcmp(name, "sdl") == 0) next = make_sdl_audio();
  else return false;
  if (g_audio && g_audio->is_open()) g_audio->close();
  g_audio = std::move(next);
  return true;
}

PlatformAudio& platform_audio() {
  if (!g_audio && !platform_audio_select(platform().name())) platform_audio_select("sdl");
  return *g_audio;
}
