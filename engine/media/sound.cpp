// Sound slots: loading WAV files into play buffers and choosing a buffer for every play.
#include "engine/media/sound.h"

#include <cmath>
#include <memory>

#include "engine/core/archive.h"
#include "engine/core/log.h"
#include "engine/core/timer.h"
#include "engine/media/media_log.h"
#include "engine/media/wav_reader.h"
#include "engine/platform/platform_audio.h"

namespace {

struct SoundSlot {
  int count = 0;        // 0 = empty, else 1..4 buffers
  int last = 0;         // buffer used by the latest play
  Str file;             // name used while loading
  bool device = false;  // the device this slot was loaded for exists
  int sample = -1;
  int voices[kSoundMaxBuffers] = {-1, -1, -1, -1};
};

std::unique_ptr<SoundSlot[]> g_slots;
bool g_device = false;

void slot_clear(SoundSlot& s) {
  PlatformAudio& audio = platform_audio();
  for (int& v : s.voices) {
    if (v >= 0) audio.voice_destroy(v);
    v = -1;
  }
  if (s.sample >= 0) audio.sample_destroy(s.sample);
  s.sample = -1;
  s.count = 0;
  s.last = 0;
}

void slot_stop_all(SoundSlot& s) {
  if (!s.device) return;
  for (int n = 0; n < s.count; n++) platform_audio().voice_stop(s.voices[n]);
}

bool id_in_range(int id) { return uint32_t(id) < uint32_t(kSoundSlots); }

}  // namespace

int snd_volume_db100(double volume) {
  if (std::isnan(volume)) return -10000;
  double scaled = std::fmin(100.0 * volume, 100.0);
  int v = scaled <= 0 ? 0 : int(scaled);
  return v * 100 - 10000;
}

int snd_pan(double pan) {
  if (std::isnan(pan)) return 0;
  return int(10000.0 * std::fmin(std::fmax(pan, -1.0), 1.0));
}

void snd_startup() {
  if (g_slots) snd_shutdown();
  g_slots.reset(new SoundSlot[kSoundSlots]);
  g_device = platform_audio().open();
}

void snd_shutdown() {
  if (!g_slots) return;
  for (int id = 0; id < kSoundSlots; id++) slot_clear(g_slots[id]);
  g_slots.reset();
  if (g_device) platform_audio().close();
  g_device = false;
}

void snd_load(const Str& file, int id, int buffers) {
  app_set_error(RtError::success);
  if (!id_in_range(id)) {
    app_set_error(RtError::memory_or_range);
    return;
  }
  Str path;
  archive_resolve(ARCHIVE_DATA, file.c_str(), path, 1);
  if (!g_slots) {
    app_set_error(RtError::file);
    return;
  }
  SoundSlot& s = g_slots[id];
  slot_clear(s);
  s.file = file;
  s.device = g_device;
  int count = buffers < 1 ? 1 : buffers > kSoundMaxBuffers ? kSoundMaxBuffers : buffers;

  WavSound wav;
  PlatformAudio& audio = platform_audio();
  const std::string problem = media_lookup_problem(ARCHIVE_DATA);
  if (!problem.empty()) media_log_failure(file.c_str(), problem);
  // Without a device nothing is read: that is no fault of the file.
  if (!problem.empty() || !s.device) {
    app_set_error(RtError::file);
    return;
  }
  if (!wav_read(path.c_str(), wav)) {
    media_log_failure(file.c_str(), "damaged or unsupported sound");
    app_set_error(RtError::file);
    return;
  }
  s.sample = audio.sample_create(wav.format, wav.samples.data(), uint32_t(wav.samples.size()));
  if (s.sample < 0) {
    s.device = false;
    app_set_error(RtError::file);
    return;
  }
  for (int n = 0; n < count; n++) {
    s.voices[n] = audio.voice_create(s.sample);
    if (s.voices[n] < 0) {
      slot_clear(s);
      s.device = false;
      app_set_error(RtError::file);
      return;
    }
  }
  s.count = count;
}

int snd_play(int id, double pan, double volume) {
  if (!id_in_range(id)) {
    app_set_error(RtError::memory_or_range);
    return -1;
  }
  int p = snd_pan(pan);
  int db = snd_volume_db100(volume);
  if (!g_slots || !g_device) return -1;
  SoundSlot& s = g_slots[id];
  if (!s.device || s.count == 0) return -1;

  PlatformAudio& audio = platform_audio();
  int index = s.last;
  if (audio.voice_playing(s.voices[index])) {
    if (s.count == 1) return -1;  // a single-buffer sound is not restarted while it plays
    index = (index + 1) % s.count;
    s.last = index;
    audio.voice_stop(s.voices[index]);  // the oldest play is cut off
  }
  if (!audio.voice_play(s.voices[index], db, p)) return -1;
  return id * 256 + index;
}

int snd_is_playing(int channel) {
  if (channel < 0 || channel / 256 >= kSoundSlots) {
    app_set_error(RtError::memory_or_range);
    return 0;
  }
  if (!g_slots || !g_device) return 0;
  const SoundSlot& s = g_slots[channel / 256];
  int index = channel % 256;
  if (!s.device || index >= s.count || !platform_audio().voice_playing(s.voices[index])) return 0;
  sys_sleep(1);  // lets a wait loop on this call yield the processor
  return 1;
}

void snd_stop(int channel) {
  if (channel < 0 || channel / 256 >= kSoundSlots || !g_slots || !g_device) return;
  SoundSlot& s = g_slots[channel / 256];
  if (!s.device || s.count == 0) return;
  int index = channel % 256;
  if (index < s.count) platform_audio().voice_stop(s.voices[index]);
  else slot_stop_all(s);
}

void snd_stop_all() {
  if (!g_slots || !g_device) return;
  for (int id = 0; id < kSoundSlots; id++) slot_stop_all(g_slots[id]);
}
