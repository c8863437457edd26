// The game's theme, written out note by note: a 16-bar tune in D major at 98 beats per
// minute, a lilting melody over seventh chords, walking bass, electric-piano comping,
// a soft pad and brushed drums. Positions and lengths are in beats from the start.
#pragma once

#include <vector>

namespace snd {

struct ScoreNote {
  double beat;      // start
  double length;    // sounding length in beats
  int pitch;        // MIDI note number
  double velocity;  // 0..1
};

struct ScoreChord {
  double beat;
  double length;
  int root;                  // bass note of the chord (MIDI)
  std::vector<int> voicing;  // the comping notes (MIDI)
};

enum class Drum { kick, brush, hat };

struct ScoreHit {
  double beat;
  Drum drum;
  double velocity;
};

struct Score {
  double tempo_bpm = 98.0;
  int beats_per_bar = 4;
  int bars = 16;
  std::vector<ScoreChord> chords;
  std::vector<ScoreNote> melody;
  std::vector<ScoreNote> bass;
  std::vector<ScoreNote> comping;
  std::vector<ScoreHit> drums;

  double beats() const { return static_cast<double>(bars) * beats_per_bar; }
};

// The complete theme. Its last bar leads back into its first, so it is meant to loop.
Score brakka_theme();

}  // namespace snd
