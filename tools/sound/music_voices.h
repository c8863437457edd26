// The instruments of the theme. Each call adds one note (or drum hit) into a stereo bus,
// starting at `start` (a frame index) and running on past the note's end for its release;
// samples beyond the end of the bus are dropped, so callers leave room for the ring.
#pragma once

#include <cstddef>

#include "pcm_buffer.h"

namespace snd {

struct NoteSpec {
  std::size_t start;  // first frame
  double seconds;     // held length
  int pitch;          // MIDI note number
  double velocity;    // 0..1
  double pan;         // -1 left .. 1 right
};

// Soft electric piano: two-operator FM whose brightness fades as the note rings.
void play_keys(Audio& bus, const NoteSpec& note);

// Warm pad: a few detuned harmonics under a slow rise and fall.
void play_pad(Audio& bus, const NoteSpec& note);

// Round plucked bass: sine with a touch of second and third harmonic.
void play_bass(Audio& bus, const NoteSpec& note);

// Melody voice: a mellow ocarina-like tone with delayed vibrato.
void play_lead(Audio& bus, const NoteSpec& note);

// Drums. `seed` varies the noise of each hit deterministically.
void play_kick(Audio& bus, std::size_t start, double velocity);
void play_brush(Audio& bus, std::size_t start, double velocity, unsigned seed);
void play_hat(Audio& bus, std::size_t start, double velocity, double pan, unsigned seed);

}  // namespace snd
