// A block of audio in floating point (full scale = 1.0) and its conversion to 16-bit PCM.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace snd {

struct Audio {
  int rate = 44100;
  int channels = 1;
  std::vector<double> samples;  // interleaved frames, full scale = 1.0

  Audio() = default;
  Audio(int rate_hz, int channel_count, std::size_t frames);
  std::size_t frames() const { return channels > 0 ? samples.size() / channels : 0; }
  double seconds() const { return static_cast<double>(frames()) / rate; }
  double& at(std::size_t frame, int channel) { return samples[frame * channels + channel]; }
};

// Largest absolute sample value.
double peak(const Audio& audio);

// Scales the audio so that its largest sample sits at `peak_dbfs` (a negative number).
void normalise_peak(Audio& audio, double peak_dbfs);

// Decibels relative to full scale of a linear level (16-bit full scale is 32767).
double to_dbfs(double level);

// The loudest sample that the generated files may hold: -1 dBFS in 16-bit terms.
constexpr int kMaxPcm16 = 29204;  // floor(32767 * 10^(-1/20))

// Rounds to 16-bit samples. Returns false (and leaves `out` empty) when any sample would
// land above kMaxPcm16 in magnitude, so that no file ever ships hotter than -1 dBFS.
bool to_pcm16(const Audio& audio, std::vector<int16_t>& out);

}  // namespace snd
