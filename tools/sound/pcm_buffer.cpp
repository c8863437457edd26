#include "pcm_buffer.h"

#include <cmath>
#include <cstdlib>

namespace snd {

Audio::Audio(int rate_hz, int channel_count, std::size_t frames)
    : rate(rate_hz), channels(channel_count), samples(frames * channel_count, 0.0) {}

double peak(const Audio& audio) {
  double p = 0.0;
  for (double s : audio.samples) p = std::fmax(p, std::fabs(s));
  return p;
}

void normalise_peak(Audio& audio, double peak_dbfs) {
  const double p = peak(audio);
  if (p <= 0.0) return;
  const double gain = std::pow(10.0, peak_dbfs / 20.0) / p;
  for (double& s : audio.samples) s *= gain;
}

double to_dbfs(double level) { return level > 0.0 ? 20.0 * std::log10(level) : -HUGE_VAL; }

bool to_pcm16(const Audio& audio, std::vector<int16_t>& out) {
  out.clear();
  std::vector<int16_t> pcm;
  pcm.reserve(audio.samples.size());
  for (double s : audio.samples) {
    const long v = std::lround(s * 32767.0);
    if (std::labs(v) > kMaxPcm16) return false;
    pcm.push_back(static_cast<int16_t>(v));
  }
  out.swap(pcm);
  return true;
}

}  // namespace snd
