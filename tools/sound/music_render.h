// Turns the written theme into sound: one loop of stereo audio whose end runs seamlessly
// into its start.
#pragma once

#include <cstddef>

#include "music_score.h"
#include "pcm_buffer.h"

namespace snd {

constexpr int kMusicRate = 44100;

// Frames in one pass through the score at its tempo.
std::size_t loop_frames(const Score& score);

// Renders the score with everything still ringing at its end (notes, echoes, reverb)
// added back onto its beginning, exactly as it sounds when the loop repeats; the result
// is loop_frames(score) long and peaks at `peak_dbfs`. The file may begin a few
// milliseconds before the first downbeat, at a near-silent frame, so that the first play
// starts without a step.
Audio render_loop(const Score& score, double peak_dbfs);

}  // namespace snd
