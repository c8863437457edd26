// Small signal-processing building blocks shared by the sound effects and the music:
// pitch, deterministic noise, simple filters and envelope shapes. Everything here is
// pure arithmetic on doubles, so the same calls give the same samples on every run.
#pragma once

#include <cstdint>

namespace snd {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

// Frequency in Hz of a MIDI note number (69 = A4 = 440 Hz); fractions bend the pitch.
double note_hz(double midi);

// White noise in [-1, 1) from a 32-bit xorshift generator with a fixed seed.
class Noise {
 public:
  explicit Noise(uint32_t seed);
  double next();

 private:
  uint32_t state_;
};

// Second-order filter section (the well-known audio cookbook designs).
class Biquad {
 public:
  static Biquad lowpass(double cutoff_hz, double q, double rate);
  static Biquad highpass(double cutoff_hz, double q, double rate);
  static Biquad bandpass(double centre_hz, double q, double rate);  // 0 dB at the centre
  double process(double x);
  void reset();

 private:
  Biquad(double b0, double b1, double b2, double a0, double a1, double a2);
  double b0_, b1_, b2_, a1_, a2_;
  double z1_ = 0.0, z2_ = 0.0;
};

// State-variable filter whose centre frequency may change every sample (for sweeps).
class SweepFilter {
 public:
  explicit SweepFilter(double damping) : damping_(damping) {}
  double bandpass(double x, double centre_hz, double rate);

 private:
  double damping_;
  double low_ = 0.0, band_ = 0.0;
};

// A steady sine oscillator that advances by rotating a unit vector: one complex multiply
// per sample instead of a sine call, for the many partials of held chords.
class Phasor {
 public:
  Phasor(double hz, double rate, double phase);
  double next();  // the sine at the current sample, then one step on

 private:
  double re_, im_, step_re_, step_im_;
};

// exp(-t / tau) for t >= 0, 0 before.
double exp_decay(double t, double tau);

// A note's gate: a raised-cosine rise over `attack`, full level, and a raised-cosine fall
// over the last `release` seconds of `length`. 0 outside [0, length].
double gate(double t, double length, double attack, double release);

// Raised-cosine ramp from 0 (x <= 0) to 1 (x >= 1).
double smooth_step(double x);

}  // namespace snd
