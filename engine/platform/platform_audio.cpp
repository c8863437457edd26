// Choosing the audio backend.
#include <cstring>
#include <memory>

#include "engine/platform/platform_backends.h"
#include "engine/platform/platform.h"

namespace {
std::unique_ptr<PlatformAudio> g_audio;
const char* g_audio_name = "";
}  // namespace

bool platform_audio_select(const char* name) {
  // Choosing the backend already in use keeps it, with its open device and loaded samples.
  if (g_audio && name && std::strcmp(name, g_audio_name) == 0) return true;
  const PlatformBackend* row = platform_backend(name);
  if (!row) return false;
  std::unique_ptr<PlatformAudio> next = row->make_audio();
  if (g_audio && g_audio->is_open()) g_audio->close();
  g_audio = std::move(next);
  g_audio_name = row->name;
  return true;
}

PlatformAudio& platform_audio() {
  if (!g_audio && !platform_audio_select(platform().name())) platform_audio_select("sdl");
  return *g_audio;
}
