#include "ambience.h"

#include <cmath>
#include <cstddef>
#include <vector>

#include "synth.h"

namespace snd {

namespace {

constexpr double kLoop = kAmbienceSeconds;

// The nearest frequency that completes a whole number of cycles in the loop.
double loop_hz(double hz) { return std::round(hz * kLoop) / kLoop; }

// Slow level change that also repeats exactly with the loop.
double loop_lfo(double t, int cycles, double phase) {
  return 0.5 + 0.5 * std::cos(kTwoPi * cycles * t / kLoop + phase);
}

// Soft organ-like drone of one chord tone; the two channels drift a quarter hertz apart
// in opposite directions, which makes the chord breathe slowly.
void add_drone(Audio& a, double midi, double level, int lfo_cycles, double lfo_phase) {
  const double f = loop_hz(note_hz(midi));
  const double drift = 2.0 / kLoop;
  const double partials[] = {1.0, 0.3, 0.12, 0.05};
  for (std::size_t i = 0; i < a.frames(); ++i) {
    const double t = static_cast<double>(i) / a.rate;
    const double swell = level * (0.55 + 0.45 * loop_lfo(t, lfo_cycles, lfo_phase));
    for (int c = 0; c < 2; ++c) {
      const double fc = f + (c == 0 ? drift : -drift);
      double v = 0.0;
      for (int k = 0; k < 4; ++k) v += partials[k] * std::sin(kTwoPi * (k + 1) * fc * t + 0.7 * k + c);
      a.at(i, c) += swell * v;
    }
  }
}

// Filtered noise like a distant city hush. The filter is run twice round the loop so its
// state at the start is the state it has at the end: the noise joins itself.
void add_hush(Audio& a, double level) {
  for (int c = 0; c < 2; ++c) {
    Noise noise(c == 0 ? 0xa4b1u : 0x5e11u);
    std::vector<double> white(a.frames());
    for (double& w : white) w = noise.next();
    Biquad low = Biquad::lowpass(650.0, 0.6, a.rate);
    Biquad high = Biquad::highpass(90.0, 0.7, a.rate);
    for (int pass = 0; pass < 2; ++pass) {
      for (std::size_t i = 0; i < a.frames(); ++i) {
        const double v = high.process(low.process(white[i]));
        if (pass == 1) {
          const double t = static_cast<double>(i) / a.rate;
          a.at(i, c) += level * (0.6 + 0.4 * loop_lfo(t, 1, c * 2.0)) * v;
        }
      }
    }
  }
}

// A soft far-off chime whose ring wraps round the end of the loop to its start.
void add_chime(Audio& a, double start, double midi, double level, double pan) {
  const double f = note_hz(midi);
  const std::size_t n = a.frames();
  const std::size_t first = static_cast<std::size_t>(std::lround(start * a.rate));
  const double gains[2] = {std::sqrt(0.5 * (1.0 - pan)), std::sqrt(0.5 * (1.0 + pan))};
  for (std::size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / a.rate;
    const double v = level * smooth_step(t / 0.008) * exp_decay(t, 0.9) *
                     (std::sin(kTwoPi * f * t) + 0.2 * std::sin(kTwoPi * 2.0 * f * t) * exp_decay(t, 0.3));
    const std::size_t at = (first + i) % n;
    a.at(at, 0) += gains[0] * v;
    a.at(at, 1) += gains[1] * v;
  }
}

}  // namespace

Audio make_ambience() {
  Audio a(kAmbienceRate, 2, static_cast<std::size_t>(kAmbienceSeconds) * kAmbienceRate);
  // D major with an added ninth: D3, A3, F#4, E5.
  add_drone(a, 50, 0.30, 1, 0.0);
  add_drone(a, 57, 0.22, 2, 1.3);
  add_drone(a, 66, 0.14, 1, 2.6);
  add_drone(a, 76, 0.07, 3, 4.0);
  add_hush(a, 0.35);
  add_chime(a, 1.3, 81, 0.10, -0.5);  // A5
  add_chime(a, 3.9, 88, 0.07, 0.4);   // E6
  add_chime(a, 6.1, 78, 0.09, 0.1);   // F#5
  normalise_peak(a, -6.0);
  return a;
}

}  // namespace snd
