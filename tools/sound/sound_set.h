// The full set of sound files of the game's media folder, and writing them all.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "pcm_buffer.h"

namespace snd {

struct EffectFile {
  const char* name;  // file name in the media folder
  std::function<Audio()> make;
};

// The WAV files in the order the game loads them.
const std::vector<EffectFile>& effect_files();

// The music file's name.
constexpr const char* kMusicFile = "brakka.mp3";

// The music's peak before encoding, leaving room for the encoder's small overshoots.
constexpr double kMusicPeakDbfs = -3.0;

struct SoundSetOptions {
  bool music = true;      // also render and encode the music
  std::string music_wav;  // when not empty, also write the music's loop here as a WAV file,
                          // exactly as it went into the encoder (for listening and checking)
};

// Writes every WAV file and (unless switched off) the music into `dir`, which is created
// when missing. Adds one line per file to `log`. On failure returns false with a message.
bool write_sound_set(const std::string& dir, const SoundSetOptions& options, std::vector<std::string>& log,
                     std::string& error);

}  // namespace snd
