#include "synth.h"

#include <cmath>

namespace snd {

double note_hz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

Noise::Noise(uint32_t seed) : state_(seed ? seed : 0x9e3779b9u) {}

double Noise::next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return static_cast<double>(state_) / 2147483648.0 - 1.0;
}

Biquad::Biquad(double b0, double b1, double b2, double a0, double a1, double a2)
    : b0_(b0 / a0), b1_(b1 / a0), b2_(b2 / a0), a1_(a1 / a0), a2_(a2 / a0) {}

Biquad Biquad::lowpass(double cutoff_hz, double q, double rate) {
  const double w = kTwoPi * cutoff_hz / rate, c = std::cos(w), alpha = std::sin(w) / (2.0 * q);
  return Biquad((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::highpass(double cutoff_hz, double q, double rate) {
  const double w = kTwoPi * cutoff_hz / rate, c = std::cos(w), alpha = std::sin(w) / (2.0 * q);
  return Biquad((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::bandpass(double centre_hz, double q, double rate) {
  const double w = kTwoPi * centre_hz / rate, c = std::cos(w), alpha = std::sin(w) / (2.0 * q);
  return Biquad(alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

double Biquad::process(double x) {
  // Transposed direct form II.
  const double y = b0_ * x + z1_;
  z1_ = b1_ * x - a1_ * y + z2_;
  z2_ = b2_ * x - a2_ * y;
  return y;
}

void Biquad::reset() { z1_ = z2_ = 0.0; }

double SweepFilter::bandpass(double x, double centre_hz, double rate) {
  const double f = 2.0 * std::sin(kPi * centre_hz / rate);
  low_ += f * band_;
  const double high = x - low_ - damping_ * band_;
  band_ += f * high;
  return band_;
}

Phasor::Phasor(double hz, double rate, double phase)
    : re_(std::cos(phase)),
      im_(std::sin(phase)),
      step_re_(std::cos(kTwoPi * hz / rate)),
      step_im_(std::sin(kTwoPi * hz / rate)) {}

double Phasor::next() {
  const double out = im_;
  const double re = re_ * step_re_ - im_ * step_im_;
  im_ = re_ * step_im_ + im_ * step_re_;
  re_ = re;
  return out;
}

double exp_decay(double t, double tau) { return t < 0.0 ? 0.0 : std::exp(-t / tau); }

double smooth_step(double x) {
  if (x <= 0.0) return 0.0;
  if (x >= 1.0) return 1.0;
  return 0.5 - 0.5 * std::cos(kPi * x);
}

double gate(double t, double length, double attack, double release) {
  if (t < 0.0 || t > length) return 0.0;
  double g = attack > 0.0 ? smooth_step(t / attack) : 1.0;
  if (release > 0.0) g *= smooth_step((length - t) / release);
  return g;
}

}  // namespace snd
