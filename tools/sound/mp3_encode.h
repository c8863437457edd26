// MP3 encoding through libmp3lame, with the LAME/Info tag in the first frame so that
// decoders know the encoder's delay and padding and can play back the exact length.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pcm_buffer.h"

namespace snd {

struct Mp3Settings {
  int bitrate_kbps = 160;  // constant bit rate
  int quality = 2;         // LAME's algorithm quality, 0 best .. 9 fastest
};

// Encodes 16-bit stereo or mono audio. On failure returns false with a message; `out` then
// holds nothing useful.
bool encode_mp3(const Audio& audio, const Mp3Settings& settings, std::vector<uint8_t>& out,
                std::string& error);

}  // namespace snd
