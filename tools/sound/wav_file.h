// Writing 16-bit PCM WAV files: a RIFF header, a 16-byte "fmt " chunk and one "data" chunk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pcm_buffer.h"

namespace snd {

// The complete bytes of a WAV file for 16-bit samples (interleaved frames).
std::vector<uint8_t> wav_bytes(const std::vector<int16_t>& pcm, int channels, int rate);

// Converts `audio` to 16 bits and writes it to `path`. On failure (a sample above -1 dBFS,
// an unwritable file) returns false and describes the problem in `error`.
bool write_wav(const std::string& path, const Audio& audio, std::string& error);

}  // namespace snd
