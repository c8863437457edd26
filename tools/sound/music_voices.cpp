#include "music_voices.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "synth.h"

namespace snd {

namespace {

// Equal-power pan gains.
void pan_gains(double pan, double& left, double& right) {
  const double p = std::clamp(pan, -1.0, 1.0);
  left = std::cos((p + 1.0) * kPi / 4.0);
  right = std::sin((p + 1.0) * kPi / 4.0);
}

// Adds `value(t)` for t in [0, seconds) from frame `start`, panned.
template <typename Fn>
void render(Audio& bus, std::size_t start, double seconds, double pan, Fn value) {
  double gl, gr;
  pan_gains(pan, gl, gr);
  const std::size_t count = static_cast<std::size_t>(seconds * bus.rate);
  const std::size_t end = std::min(bus.frames(), start + count);
  for (std::size_t i = start; i < end; ++i) {
    const double v = value(static_cast<double>(i - start) / bus.rate);
    bus.at(i, 0) += gl * v;
    bus.at(i, 1) += gr * v;
  }
}

}  // namespace

void play_keys(Audio& bus, const NoteSpec& n) {
  const double f = note_hz(n.pitch);
  const double release = 0.25;
  const double level = 0.075 * n.velocity;
  render(bus, n.start, n.seconds + release, n.pan, [&](double t) {
    const double index = 1.1 * exp_decay(t, 0.35) + 0.25;
    const double mod = index * std::sin(kTwoPi * f * t);
    const double env = gate(t, n.seconds + release, 0.004, release) * (0.35 + 0.65 * exp_decay(t, 0.9));
    // A faint bell-like tine at fourteen times the pitch gives the attack its edge.
    const double tine = 0.06 * std::sin(kTwoPi * 14.0 * f * t) * exp_decay(t, 0.02);
    return level * env * (std::sin(kTwoPi * f * t + mod) + tine);
  });
}

void play_pad(Audio& bus, const NoteSpec& n) {
  const double f = note_hz(n.pitch);
  const double release = 0.8;
  const double level = 0.03 * n.velocity;
  const double detune[2] = {0.997, 1.003};
  const double partials[4] = {1.0, 0.45, 0.2, 0.08};
  std::vector<Phasor> oscillators;
  for (double d : detune)
    for (int k = 0; k < 4; ++k) oscillators.emplace_back((k + 1) * f * d, bus.rate, static_cast<double>(k));
  render(bus, n.start, n.seconds + release, n.pan, [&](double t) {
    double v = 0.0;
    for (std::size_t i = 0; i < oscillators.size(); ++i) v += partials[i % 4] * oscillators[i].next();
    return level * gate(t, n.seconds + release, 0.6, release + 0.2) * v;
  });
}

void play_bass(Audio& bus, const NoteSpec& n) {
  const double f = note_hz(n.pitch);
  const double release = 0.06;
  const double level = 0.22 * n.velocity;
  render(bus, n.start, n.seconds + release, n.pan, [&](double t) {
    const double ph = kTwoPi * f * t;
    const double tone = std::sin(ph) + 0.3 * std::sin(2.0 * ph) * exp_decay(t, 0.25) +
                        0.12 * std::sin(3.0 * ph) * exp_decay(t, 0.12);
    const double env = gate(t, n.seconds + release, 0.006, release) * (0.6 + 0.4 * exp_decay(t, 0.3));
    return level * env * tone;
  });
}

void play_lead(Audio& bus, const NoteSpec& n) {
  const double f = note_hz(n.pitch);
  const double release = 0.12;
  const double level = 0.2 * n.velocity;
  double phase = 0.0;
  const double dt = 1.0 / bus.rate;
  render(bus, n.start, n.seconds + release, n.pan, [&](double t) {
    // Vibrato fades in after a quarter second, as a player would add it on a held note.
    const double vib = 1.0 + 0.0035 * smooth_step((t - 0.25) / 0.3) * std::sin(kTwoPi * 5.2 * t);
    phase += kTwoPi * f * vib * dt;
    const double tone = std::sin(phase) + 0.32 * std::sin(2.0 * phase) + 0.1 * std::sin(3.0 * phase) +
                        0.04 * std::sin(4.0 * phase);
    const double env = gate(t, n.seconds + release, 0.03, release) * (0.85 + 0.15 * exp_decay(t, 0.15));
    return level * env * tone;
  });
}

void play_kick(Audio& bus, std::size_t start, double velocity) {
  double phase = 0.0;
  const double dt = 1.0 / bus.rate;
  render(bus, start, 0.4, 0.0, [&](double t) {
    const double f = 48.0 + 70.0 * exp_decay(t, 0.035);
    phase += kTwoPi * f * dt;
    return 0.42 * velocity * smooth_step(t / 0.002) * exp_decay(t, 0.16) * gate(t, 0.4, 0.0, 0.05) *
           std::sin(phase);
  });
}

void play_brush(Audio& bus, std::size_t start, double velocity, unsigned seed) {
  Noise noise(0xb0u + seed * 7919u);
  Biquad band = Biquad::bandpass(2600.0, 0.8, bus.rate);
  render(bus, start, 0.3, -0.15, [&](double t) {
    const double swish = band.process(noise.next()) * smooth_step(t / 0.004) * exp_decay(t, 0.07);
    const double body = 0.25 * std::sin(kTwoPi * 190.0 * t) * exp_decay(t, 0.04);
    return 0.25 * velocity * gate(t, 0.3, 0.0, 0.05) * (swish + body);
  });
}

void play_hat(Audio& bus, std::size_t start, double velocity, double pan, unsigned seed) {
  Noise noise(0x4a7u + seed * 104729u);
  Biquad high = Biquad::highpass(7000.0, 0.7, bus.rate);
  render(bus, start, 0.08, pan, [&](double t) {
    return 0.11 * velocity * smooth_step(t / 0.001) * exp_decay(t, 0.022) * gate(t, 0.08, 0.0, 0.02) *
           high.process(noise.next());
  });
}

}  // namespace snd
