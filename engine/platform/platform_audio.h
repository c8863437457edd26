// Audio half of the platform seam: sample voices for sound effects and a music stream.
#pragma once
#include <cstdint>
#include <string>

struct PcmFormat {
  int channels = 1;  // 1 or 2
  int sample_rate = 22050;
  int bits = 16;  // 8 or 16
  int block_align = 2;
};

class PlatformAudio {
 public:
  virtual ~PlatformAudio() = default;
  virtual bool open() = 0;  // false = no device; everything else then does nothing
  virtual void close() = 0;
  virtual bool is_open() const = 0;

  // Sample memory, converted once to the device format. Returns a handle >= 0, or -1.
  virtual int sample_create(const PcmFormat& format, const uint8_t* data, uint32_t length) = 0;
  virtual void sample_destroy(int sample) = 0;
  // Voices: one per buffer of a sound slot, each bound to a sample. Returns a voice >= 0, or -1.
  virtual int voice_create(int sample) = 0;
  virtual void voice_destroy(int voice) = 0;
  // volume in hundredths of a decibel (-10000..0), pan -10000..10000; plays once from the start.
  virtual bool voice_play(int voice, int volume_db100, int pan) = 0;
  virtual bool voice_playing(int voice) = 0;
  virtual void voice_stop(int voice) = 0;  // stop and rewind

  // Music stream (one at a time), opened by file path.
  virtual bool music_open(const std::string& path) = 0;
  virtual void music_close() = 0;
  virtual void music_play_from_start() = 0;
  virtual void music_stop() = 0;
  virtual void music_pause() = 0;
  virtual void music_resume() = 0;
  virtual void music_set_volume(int volume_1000) = 0;  // 1000 = unchanged level
  virtual int music_length_ms() = 0;                   // 0 when unknown
  virtual int music_position_ms() = 0;
  // True while the opened stream has not reached its end (a paused stream counts as running).
  virtual bool music_active() = 0;
};

// The current audio backend; without a call to platform_audio_select the platform backend's name decides.
PlatformAudio& platform_audio();
// Chosen together with the platform backend (same names: "sdl", "headless"). Closes the previous backend.
// Returns false for an unknown name (the choice is then left as it was).
bool platform_audio_select(const char* name);
