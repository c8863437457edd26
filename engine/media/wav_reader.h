// Reading RIFF/WAVE files with PCM sample data: format chunk and sample bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>
#include "engine/platform/platform_audio.h"

struct WavSound {
  int format_tag = 0;      // as the file says; the samples are taken as PCM whatever it is
  int file_channels = 0;   // as the file says
  uint32_t byte_rate = 0;  // as the file says
  PcmFormat format;        // the playback format: 1 or 2 channels, the file's rate, bits and block align
  std::vector<uint8_t> samples;  // the "data" chunk, whole blocks only
};

// Parses a WAV image held in memory. Fails (false) on anything that is not a complete RIFF/WAVE with a
// "fmt " chunk of at least 16 bytes followed by a "data" chunk lying wholly inside the input, or whose
// format cannot be played (8 or 16 bits, block align = channels x bytes per sample, rate 100..200000,
// at least one whole block). Never reads outside [bytes, bytes + size).
bool wav_parse(const uint8_t* bytes, size_t size, WavSound& out);

// Reads and parses a WAV named by a resolved path: a file on disk or a live "mem://" name.
bool wav_read(const char* path, WavSound& out);
