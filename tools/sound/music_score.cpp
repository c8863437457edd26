#include "music_score.h"

#include <cstddef>

namespace snd {

namespace {

struct ChordName {
  int root;
  std::vector<int> voicing;
};

// Voicings sit between E3 and F#4 so the melody has the octave above to itself.
const ChordName kDmaj7{38, {54, 57, 61, 64}};  // F# A C# E over D
const ChordName kBm7{35, {54, 57, 62, 64}};    // F# A D E over B
const ChordName kGmaj7{43, {55, 59, 62, 66}};  // G B D F#
const ChordName kA7sus{45, {55, 57, 62, 64}};  // G A D E
const ChordName kA7{45, {55, 57, 61, 64}};     // G A C# E
const ChordName kFsm7{42, {52, 57, 61, 66}};   // E A C# F#
const ChordName kEm7{40, {55, 59, 62, 64}};    // G B D E
const ChordName kGm6{43, {55, 58, 62, 64}};    // G Bb D E: the wistful turn

// Bar by bar: one or two chords per bar (two means two beats each).
const std::vector<std::vector<const ChordName*>> kChart = {
    {&kDmaj7}, {&kBm7},  {&kGmaj7},        {&kA7sus, &kA7},  // A
    {&kDmaj7}, {&kFsm7}, {&kGmaj7},        {&kA7sus, &kA7},  // A'
    {&kGmaj7}, {&kFsm7}, {&kEm7},          {&kA7},           // B
    {&kGmaj7}, {&kGm6},  {&kDmaj7, &kBm7}, {&kEm7, &kA7},    // B' and the turnaround
};

// Melody as (bar, beat in bar, length, pitch); bars count from 1.
struct MelodyEntry {
  int bar;
  double beat, length;
  int pitch;
};

const MelodyEntry kMelody[] = {
    {1, 0, .5, 69},    {1, .5, .5, 74},   {1, 1, 1.5, 78},   {1, 2.5, .5, 76}, {1, 3, 1, 74},
    {2, 0, 1, 73},     {2, 1, .5, 74},    {2, 1.5, 2.5, 71}, {3, 0, .5, 69},   {3, .5, .5, 71},
    {3, 1, 1, 74},     {3, 2, 1, 78},     {3, 3, 1, 76},     {4, 0, 1.5, 76},  {4, 1.5, .5, 74},
    {4, 2, 1, 73},     {4, 3, 1, 69},     {5, 0, .5, 69},    {5, .5, .5, 74},  {5, 1, 1.5, 78},
    {5, 2.5, .5, 81},  {5, 3, .5, 79},    {5, 3.5, .5, 78},  {6, 0, 1, 76},    {6, 1, 1, 73},
    {6, 2, 2, 69},     {7, 0, .5, 71},    {7, .5, .5, 74},   {7, 1, 1, 79},    {7, 2, .5, 78},
    {7, 2.5, .5, 76},  {7, 3, 1, 74},     {8, 0, 2, 76},     {8, 2.5, .5, 73}, {8, 3, .5, 74},
    {8, 3.5, .5, 76},  {9, 0, 1.5, 78},   {9, 1.5, .5, 79},  {9, 2, 1, 83},    {9, 3, .5, 81},
    {9, 3.5, .5, 79},  {10, 0, 1.5, 81},  {10, 1.5, .5, 78}, {10, 2, 1, 76},   {10, 3, 1, 73},
    {11, 0, .5, 74},   {11, .5, .5, 76},  {11, 1, 1, 79},    {11, 2, 1, 83},   {11, 3, .5, 81},
    {11, 3.5, .5, 79}, {12, 0, 1.5, 78},  {12, 1.5, .5, 76}, {12, 2, 1, 73},   {12, 3, 1, 76},
    {13, 0, .5, 74},   {13, .5, .5, 76},  {13, 1, 1, 78},    {13, 2, 1, 81},   {13, 3, 1, 83},
    {14, 0, 1.5, 81},  {14, 1.5, .5, 79}, {14, 2, 1, 76},    {14, 3, 1, 70},   {15, 0, 1.5, 69},
    {15, 1.5, .5, 74}, {15, 2, 1, 78},    {15, 3, 1, 74},    {16, 0, 1, 79},   {16, 1, 1, 78},
    {16, 2, 1.5, 76},  {16, 3.5, .5, 73},
};

// Accents that shape a phrase: strong on the beat, lighter off it.
double melody_velocity(double beat_in_bar) {
  if (beat_in_bar == 0.0) return 0.9;
  if (beat_in_bar == 2.0) return 0.8;
  return beat_in_bar == static_cast<int>(beat_in_bar) ? 0.72 : 0.62;
}

}  // namespace

Score brakka_theme() {
  Score s;
  const int bpb = s.beats_per_bar;
  s.bars = static_cast<int>(kChart.size());

  // Chords, in time order.
  for (int bar = 0; bar < s.bars; ++bar) {
    const auto& names = kChart[bar];
    const double each = static_cast<double>(bpb) / names.size();
    for (std::size_t k = 0; k < names.size(); ++k)
      s.chords.push_back({bar * bpb + k * each, each, names[k]->root, names[k]->voicing});
  }

  // Bass: root, a pushed repeat, the fifth, and on the last eighth a step of a semitone
  // into the next chord's root, from below when the line climbs and from above when it falls.
  for (std::size_t c = 0; c < s.chords.size(); ++c) {
    const ScoreChord& ch = s.chords[c];
    const ScoreChord& next = s.chords[(c + 1) % s.chords.size()];
    const bool climbs = next.root > ch.root;
    const int approach = climbs ? next.root - 1 : next.root + 1;
    if (ch.length >= 4.0) {
      s.bass.push_back({ch.beat, 1.3, ch.root, 0.95});
      s.bass.push_back({ch.beat + 1.5, 0.4, ch.root, 0.6});
      s.bass.push_back({ch.beat + 2.0, 1.0, ch.root + 7, 0.8});
      s.bass.push_back({ch.beat + 3.0, 0.45, climbs ? ch.root + 12 : ch.root, 0.6});
      s.bass.push_back({ch.beat + 3.5, 0.45, approach, 0.7});
    } else {
      s.bass.push_back({ch.beat, 0.9, ch.root, 0.9});
      s.bass.push_back({ch.beat + 1.0, 0.45, ch.root + 7, 0.7});
      s.bass.push_back({ch.beat + 1.5, 0.45, approach, 0.65});
    }
  }

  // Comping: a long chord on the bar and an anticipation on the "and" of three.
  for (const ScoreChord& ch : s.chords) {
    const auto add = [&](double at, double len, double vel) {
      for (int p : ch.voicing) s.comping.push_back({at, len, p, vel});
    };
    if (ch.length >= 4.0) {
      add(ch.beat, 1.4, 0.8);
      add(ch.beat + 2.5, 1.3, 0.6);
    } else {
      add(ch.beat, 1.7, 0.75);
    }
  }

  for (const MelodyEntry& m : kMelody)
    s.melody.push_back({(m.bar - 1) * bpb + m.beat, m.length, m.pitch, melody_velocity(m.beat)});

  // Drums: kick on one and the "and" of three, brushes on two and four, soft eighth hats
  // that open up in the second half; a short pick-up at the end of each eight-bar phrase.
  for (int bar = 0; bar < s.bars; ++bar) {
    const double b0 = bar * bpb;
    const bool second_half = bar >= s.bars / 2;
    s.drums.push_back({b0, Drum::kick, 0.9});
    s.drums.push_back({b0 + 2.5, Drum::kick, 0.65});
    s.drums.push_back({b0 + 1, Drum::brush, 0.7});
    s.drums.push_back({b0 + 3, Drum::brush, 0.75});
    for (int e = 0; e < 8; ++e) {
      const double vel = (e % 2 == 0 ? 0.45 : 0.28) + (second_half ? 0.1 : 0.0);
      s.drums.push_back({b0 + 0.5 * e, Drum::hat, vel});
    }
    if (bar % 8 == 7) {
      s.drums.push_back({b0 + 3.5, Drum::brush, 0.45});
      s.drums.push_back({b0 + 3.75, Drum::brush, 0.35});
    }
  }
  return s;
}

}  // namespace snd
