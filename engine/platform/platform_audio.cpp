// Choosing the audio backend.
#include <cstring>
#include <memory>

#include "engine/platform/audio_backends.h"
#include "engine/platform/platform.h"

namespace {
std::unique_ptr<PlatformAudio> g_audio;
const char* g_audio_name = "";
}

bool platform_audio_select(const char* name) {
  // Choosing the backend already in use keeps it, with its open device and loaded samples.
  if (g_audio && name && std::strcmp(name, g_audio_name) == 0) return true;
  std::unique_ptr<PlatformAudio> next;
  if (name && std::strcmp(name, "headless") == 0) next = make_headless_audio();
  else if (name && std::strcmp(name, "sdl") == 0) next = make_sdl_audio();
  else return false;
  if (g_audio && g_audio->is_open()) g_audio->close();
  g_audio = std::move(next);
  g_audio_name = std::strcmp(name, "headless") == 0 ? "headless" : "sdl";
  return true;
}

PlatformAudio& platform_audio() {
  if (!g_audio && !platform_audio_select(platform().name())) platform_audio_select("sdl");
  return *g_audio;
}
