#include "sound_effects.h"

#include <cmath>
#include <cstddef>

#include "synth.h"

namespace snd {

namespace {

Audio mono(double seconds) {
  return Audio(kEffectRate, 1, static_cast<std::size_t>(std::lround(seconds * kEffectRate)));
}

// Fades the last `seconds` of the sound to exact silence.
void fade_tail(Audio& a, double seconds) {
  const double len = a.seconds();
  for (std::size_t i = 0; i < a.frames(); ++i) {
    const double t = static_cast<double>(i) / a.rate;
    a.at(i, 0) *= smooth_step((len - t) / seconds);
  }
}

// A frequency-modulated bell: the modulator runs at `ratio` times the pitch and its depth
// dies away faster than the tone, so the note starts bright and rings pure.
void add_fm_bell(Audio& a, double start, double midi, double level, double ring, double ratio,
                 double brightness) {
  const double f = note_hz(midi);
  const std::size_t first = static_cast<std::size_t>(std::lround(start * a.rate));
  for (std::size_t i = first; i < a.frames(); ++i) {
    const double t = static_cast<double>(i - first) / a.rate;
    const double index = brightness * exp_decay(t, ring * 0.3);
    const double mod = index * std::sin(kTwoPi * f * ratio * t);
    const double env = smooth_step(t / 0.002) * exp_decay(t, ring);
    const double shimmer = 0.18 * std::sin(kTwoPi * 2.0 * f * t) * exp_decay(t, ring * 0.4);
    a.at(i, 0) += level * env * (std::sin(kTwoPi * f * t + mod) + shimmer);
  }
}

// A mallet note with the strong fourth partial of a tuned wooden bar.
void add_mallet(Audio& a, double start, double midi, double level, double ring) {
  const double f = note_hz(midi);
  const std::size_t first = static_cast<std::size_t>(std::lround(start * a.rate));
  for (std::size_t i = first; i < a.frames(); ++i) {
    const double t = static_cast<double>(i - first) / a.rate;
    const double env = smooth_step(t / 0.003);
    const double body = std::sin(kTwoPi * f * t) * exp_decay(t, ring);
    const double bar = 0.3 * std::sin(kTwoPi * 4.0 * f * t) * exp_decay(t, ring * 0.15);
    a.at(i, 0) += level * env * (body + bar);
  }
}

}  // namespace

Audio make_click() {
  Audio a = mono(0.030);
  Noise noise(0xc1c4u);
  Biquad air = Biquad::bandpass(3200.0, 1.2, a.rate);
  for (std::size_t i = 0; i < a.frames(); ++i) {
    const double t = static_cast<double>(i) / a.rate;
    const double tick = 0.8 * air.process(noise.next()) * exp_decay(t, 0.0025);
    const double tone = 0.5 * std::sin(kTwoPi * 1750.0 * t) * exp_decay(t, 0.007) +
                        0.35 * std::sin(kTwoPi * 880.0 * t) * exp_decay(t, 0.012);
    a.at(i, 0) = smooth_step(t / 0.0003) * (tick + tone);
  }
  fade_tail(a, 0.004);
  normalise_peak(a, -4.0);
  return a;
}

Audio make_move() {
  Audio a = mono(0.055);
  Noise noise(0x70c4u);
  Biquad knock = Biquad::bandpass(2500.0, 2.0, a.rate);
  double phase = 0.0;
  for (std::size_t i = 0; i < a.frames(); ++i) {
    const double t = static_cast<double>(i) / a.rate;
    const double f = 700.0 + 500.0 * exp_decay(t, 0.004);  // the pitch drops as the knock lands
    phase += kTwoPi * f / a.rate;
    const double body = std::sin(phase) * exp_decay(t, 0.014);
    const double wood = 0.35 * std::sin(2.76 * phase) * exp_decay(t, 0.006);
    const double hit = 0.3 * knock.process(noise.next()) * exp_decay(t, 0.0015);
    a.at(i, 0) = smooth_step(t / 0.0005) * (body + wood + hit);
  }
  fade_tail(a, 0.006);
  normalise_peak(a, -5.0);
  return a;
}

Audio make_add() {
  Audio a = mono(0.075);
  const double f = note_hz(91.0);  // G6
  for (std::size_t i = 0; i < a.frames(); ++i) {
    const double t = static_cast<double>(i) / a.rate;
    const double env = smooth_step(t / 0.003) * exp_decay(t, 0.02);
    const double tone = std::sin(kTwoPi * f * t) +
                        0.45 * std::sin(kTwoPi * 1.5 * f * t) * exp_decay(t, 0.012) +
                        0.15 * std::sin(kTwoPi * 2.0 * f * t) * exp_decay(t, 0.008);
    a.at(i, 0) = env * tone;
  }
  fade_tail(a, 0.010);
  normalise_peak(a, -7.0);
  return a;
}

Audio make_appear() {
  Audio a = mono(2.0);
  // Rising D major arpeggio of bells.
  const double notes[] = {74, 78, 81, 86, 90};
  for (int k = 0; k < 5; ++k) add_fm_bell(a, 0.11 * k, notes[k], 0.34 - 0.03 * k, 0.7, 2.0, 1.4);
  // Final shimmer: a high D an octave up, softly.
  add_fm_bell(a, 0.62, 93, 0.12, 0.5, 3.0, 0.8);
  // Warm chord swell underneath (D4 F#4 A4 D5), rising with the arpeggio.
  const double chord[] = {62, 66, 69, 74};
  Noise noise(0x0ffu);
  SweepFilter air(0.9);
  for (std::size_t i = 0; i < a.frames(); ++i) {
    const double t = static_cast<double>(i) / a.rate;
    const double swell = smooth_step(t / 0.5) * exp_decay(t - 0.5, 0.6);
    double pad = 0.0;
    for (double m : chord) {
      const double f = note_hz(m);
      pad += std::sin(kTwoPi * f * t) + 0.2 * std::sin(kTwoPi * 2.0 * f * t);
    }
    // A soft rising breath of air: noise whose band climbs from 600 Hz to about 4 kHz.
    const double centre = 600.0 * std::pow(6.5, std::fmin(t / 1.2, 1.0));
    const double breath =
        air.bandpass(noise.next(), centre, a.rate) * smooth_step(t / 0.3) * smooth_step((1.4 - t) / 0.7);
    a.at(i, 0) += 0.07 * swell * pad + 0.05 * breath;
  }
  fade_tail(a, 0.25);
  normalise_peak(a, -2.0);
  return a;
}

Audio make_vanish() {
  Audio a = mono(2.0);
  // A quick falling run down the D major pentatonic, from A6 to D5.
  const double run[] = {93, 90, 88, 86, 81, 78, 76, 74};
  for (int k = 0; k < 8; ++k) add_fm_bell(a, 0.07 * k, run[k], 0.24 - 0.012 * k, 0.45, 2.0, 0.9);
  // It settles on a soft low D and A.
  add_mallet(a, 0.60, 62, 0.30, 0.7);
  add_mallet(a, 0.60, 69, 0.16, 0.6);
  // A breath of air that sinks from 3 kHz to 300 Hz as the bells fall.
  Noise noise(0xbacu);
  SweepFilter air(1.0);
  for (std::size_t i = 0; i < a.frames(); ++i) {
    const double t = static_cast<double>(i) / a.rate;
    const double centre = 3000.0 * std::pow(0.1, std::fmin(t / 1.4, 1.0));
    a.at(i, 0) += 0.04 * air.bandpass(noise.next(), centre, a.rate) * smooth_step(t / 0.1) *
                  smooth_step((1.6 - t) / 0.9);
  }
  fade_tail(a, 0.25);
  normalise_peak(a, -2.0);
  return a;
}

}  // namespace snd
