#include "music_render.h"

#include <algorithm>
#include <cmath>

#include "music_voices.h"
#include "room_effects.h"

namespace snd {

namespace {

constexpr double kTailSeconds = 5.0;     // long enough for every echo and the reverb to die
constexpr double kLeadInSeconds = 0.03;  // how far before the downbeat the file may begin

struct Timing {
  double frames_per_beat;
  std::size_t frame(double beat) const {
    return static_cast<std::size_t>(std::lround(beat * frames_per_beat));
  }
  double seconds(double beats) const { return beats * frames_per_beat / kMusicRate; }
};

void mix_into(Audio& out, const Audio& in, double gain) {
  for (std::size_t i = 0; i < out.samples.size(); ++i) out.samples[i] += gain * in.samples[i];
}

}  // namespace

std::size_t loop_frames(const Score& score) {
  return static_cast<std::size_t>(std::lround(score.beats() * 60.0 / score.tempo_bpm * kMusicRate));
}

Audio render_loop(const Score& score, double peak_dbfs) {
  const Timing time{60.0 / score.tempo_bpm * kMusicRate};
  const std::size_t loop = loop_frames(score);
  const std::size_t total = loop + static_cast<std::size_t>(kTailSeconds * kMusicRate);

  Audio harmony(kMusicRate, 2, total), lead(kMusicRate, 2, total), bass(kMusicRate, 2, total),
      drums(kMusicRate, 2, total);

  for (const ScoreChord& ch : score.chords) {
    for (std::size_t k = 0; k < ch.voicing.size(); ++k) {
      const double pan = (k % 2 == 0 ? -0.55 : 0.55) * (0.5 + 0.5 * k / ch.voicing.size());
      play_pad(harmony, {time.frame(ch.beat), time.seconds(ch.length), ch.voicing[k], 0.8, pan});
    }
  }
  for (std::size_t k = 0; k < score.comping.size(); ++k) {
    const ScoreNote& n = score.comping[k];
    play_keys(harmony,
              {time.frame(n.beat), time.seconds(n.length), n.pitch, n.velocity, -0.3 + 0.2 * (k % 4)});
  }
  for (const ScoreNote& n : score.bass)
    play_bass(bass, {time.frame(n.beat), time.seconds(n.length), n.pitch, n.velocity, 0.0});
  for (const ScoreNote& n : score.melody)
    play_lead(lead, {time.frame(n.beat), time.seconds(n.length), n.pitch, n.velocity, 0.1});
  unsigned seed = 1;
  for (const ScoreHit& h : score.drums) {
    const std::size_t at = time.frame(h.beat);
    switch (h.drum) {
      case Drum::kick: play_kick(drums, at, h.velocity); break;
      case Drum::brush: play_brush(drums, at, h.velocity, seed); break;
      case Drum::hat: play_hat(drums, at, h.velocity, 0.35, seed); break;
    }
    ++seed;
  }

  const Audio echo = ping_pong_echo(lead, time.frame(0.75), 0.32);

  Audio send(kMusicRate, 2, total);
  mix_into(send, harmony, 0.5);
  mix_into(send, lead, 0.45);
  mix_into(send, echo, 0.45);
  mix_into(send, drums, 0.15);
  const Audio reverb = room_reverb(send);

  Audio mix(kMusicRate, 2, total);
  mix_into(mix, harmony, 1.0);
  mix_into(mix, lead, 1.0);
  mix_into(mix, echo, 0.35);
  mix_into(mix, bass, 1.0);
  mix_into(mix, drums, 1.0);
  mix_into(mix, reverb, 0.6);

  // Fold the ring-out past the loop's end onto its start, then cut to one loop.
  for (std::size_t i = loop; i < total; ++i) {
    const std::size_t j = (i - loop) % loop;
    mix.at(j, 0) += mix.at(i, 0);
    mix.at(j, 1) += mix.at(i, 1);
  }
  mix.samples.resize(loop * 2);

  // The very first play starts from silence, so begin the file at the quietest frame of
  // the last few milliseconds before the downbeat: no step at the start, and the loop's
  // join is untouched because the whole loop only turns round.
  const std::size_t window = static_cast<std::size_t>(kLeadInSeconds * kMusicRate);
  std::size_t start = 0;
  double quietest = std::fabs(mix.at(0, 0)) + std::fabs(mix.at(0, 1));
  for (std::size_t i = loop - window; i < loop; ++i) {
    const double level = std::fabs(mix.at(i, 0)) + std::fabs(mix.at(i, 1));
    if (level < quietest) quietest = level, start = i;
  }
  std::rotate(mix.samples.begin(), mix.samples.begin() + 2 * start, mix.samples.end());
  normalise_peak(mix, peak_dbfs);
  return mix;
}

}  // namespace snd
