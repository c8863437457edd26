// Background music: one stream, the volume cache and the restart arithmetic for looping.
#include "engine/media/music.h"

#include <string>

#include "engine/core/archive.h"
#include "engine/core/log.h"
#include "engine/core/timer.h"
#include "engine/media/media_log.h"
#include "engine/platform/platform_audio.h"

namespace {

constexpr int kMinimumLengthMs = 500;

struct MusicState {
  bool open = false;   // a stream is open
  Str file_name;       // resolved path of the current music
  double restart = 0;  // 0 not looping; > 0 restart when timer_ms reaches it; < 0 looping but paused
  double pause_time = 0;
  double volume_cache = -1;  // last volume sent; -1 none
};

MusicState g_music;

int length_ms() {
  int length = platform_audio().music_length_ms();
  return length < kMinimumLengthMs ? kMinimumLengthMs : length;
}

void close_stream() {
  if (!g_music.open) return;
  PlatformAudio& audio = platform_audio();
  audio.music_stop();
  audio.music_close();
  g_music.open = false;
}

}  // namespace

void music_play(const Str& file, int loop) {
  app_set_error(RtError::success);
  g_music.volume_cache = -1;
  g_music.restart = 0;
  close_stream();

  Str path;
  archive_resolve(ARCHIVE_MEDIA, file.c_str(), path, 0);
  const std::string problem = media_lookup_problem(ARCHIVE_MEDIA);
  if (!problem.empty()) {
    media_log_failure(file.c_str(), problem);
    app_set_error(RtError::file);
    return;
  }
  g_music.file_name = path;
  PlatformAudio& audio = platform_audio();
  if (!audio.music_open(std::string(path.c_str()))) {
    // Without a device nothing opens: that is no fault of the file.
    if (audio.is_open()) media_log_failure(file.c_str(), "damaged or unsupported music");
    app_set_error(RtError::file);
    return;
  }
  g_music.open = true;
  int length = length_ms();
  g_music.restart = loop ? timer_ms() + length : 0;
  audio.music_play_from_start();
  // Every new piece starts at normal volume, whatever was asked before.
  music_volume(1.0);
}

void music_stop() {
  g_music.volume_cache = -1;
  g_music.restart = 0;
  close_stream();
}

void music_volume(double volume) {
  if (volume == g_music.volume_cache) return;
  g_music.volume_cache = volume;
  if (!g_music.open) return;
  double scaled = volume * 1000.0;
  int level = scaled != scaled ? 0 : scaled < -2e9 ? -2000000000 : scaled > 2e9 ? 2000000000 : int(scaled);
  platform_audio().music_set_volume(level);
}

int music_is_playing() {
  if (!g_music.open) return 0;
  if (g_music.restart > 0) return 1;
  return platform_audio().music_active() ? 1 : 0;
}

void music_pause(int pause) {
  if (!g_music.open) return;
  PlatformAudio& audio = platform_audio();
  if (pause) {
    if (g_music.restart > 0) {
      g_music.pause_time = timer_ms();
      g_music.restart = -g_music.restart;
    }
    audio.music_pause();
  } else {
    if (g_music.restart < 0) g_music.restart = -g_music.restart + (timer_ms() - g_music.pause_time);
    audio.music_resume();
  }
}

void music_service() {
  if (!g_music.open || g_music.restart <= 0) return;
  double now = timer_ms();
  if (now < g_music.restart) return;
  g_music.restart = now + length_ms();
  platform_audio().music_play_from_start();
}

void music_shutdown() { music_stop(); }
