#include "room_effects.h"

namespace snd {

namespace {

// Feedback comb filter with a gentle low-pass in the loop, as in classic studio reverbs.
class Comb {
 public:
  Comb(std::size_t length, double feedback, double damping)
      : line_(length, 0.0), feedback_(feedback), damping_(damping) {}
  double process(double x) {
    const double y = line_[pos_];
    store_ = y * (1.0 - damping_) + store_ * damping_;
    line_[pos_] = x + store_ * feedback_;
    pos_ = (pos_ + 1) % line_.size();
    return y;
  }

 private:
  std::vector<double> line_;
  std::size_t pos_ = 0;
  double feedback_, damping_, store_ = 0.0;
};

class Allpass {
 public:
  Allpass(std::size_t length, double gain) : line_(length, 0.0), gain_(gain) {}
  double process(double x) {
    const double buffered = line_[pos_];
    const double y = buffered - x;
    line_[pos_] = x + buffered * gain_;
    pos_ = (pos_ + 1) % line_.size();
    return y;
  }

 private:
  std::vector<double> line_;
  std::size_t pos_ = 0;
  double gain_;
};

}  // namespace

Audio ping_pong_echo(const Audio& dry, std::size_t delay_frames, double feedback) {
  Audio wet(dry.rate, 2, dry.frames());
  const std::size_t n = dry.frames();
  // Echo k (k >= 1) lands k delays late on the side opposite to echo k - 1.
  for (std::size_t i = delay_frames; i < n; ++i) {
    const std::size_t j = i - delay_frames;
    const double mono = 0.5 * (dry.samples[2 * j] + dry.samples[2 * j + 1]);
    // The first echo goes left; each later echo crosses from the other side.
    wet.at(i, 0) += feedback * mono + feedback * wet.samples[2 * j + 1];
    wet.at(i, 1) += feedback * wet.samples[2 * j];
  }
  return wet;
}

Audio room_reverb(const Audio& dry) {
  Audio wet(dry.rate, 2, dry.frames());
  const double scale = dry.rate / 44100.0;
  const std::size_t comb_lengths[4] = {1557, 1617, 1491, 1422};
  const std::size_t allpass_lengths[2] = {556, 441};
  for (int c = 0; c < 2; ++c) {
    const std::size_t spread = c == 0 ? 0 : 23;  // decorrelates the two sides
    std::vector<Comb> combs;
    for (std::size_t len : comb_lengths)
      combs.emplace_back(static_cast<std::size_t>((len + spread) * scale), 0.8, 0.3);
    std::vector<Allpass> allpasses;
    for (std::size_t len : allpass_lengths)
      allpasses.emplace_back(static_cast<std::size_t>((len + spread) * scale), 0.5);
    for (std::size_t i = 0; i < dry.frames(); ++i) {
      const double in = 0.5 * (dry.samples[2 * i] + dry.samples[2 * i + 1]) * 0.1;
      double out = 0.0;
      for (Comb& comb : combs) out += comb.process(in);
      for (Allpass& ap : allpasses) out = ap.process(out);
      wet.at(i, c) = out;
    }
  }
  return wet;
}

}  // namespace snd
