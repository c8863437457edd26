// Space for the music: a ping-pong echo and a small room reverb. Both are linear and
// time-invariant, which lets a looped render fold its ringing tail back onto its start.
#pragma once

#include <cstddef>
#include <vector>

#include "pcm_buffer.h"

namespace snd {

// Returns the echoes of `dry` (stereo) alone: repeats every `delay_frames`, alternating
// sides, each `feedback` times the one before.
Audio ping_pong_echo(const Audio& dry, std::size_t delay_frames, double feedback);

// Returns the reverberation of `dry` (stereo) alone, decaying in roughly a second.
Audio room_reverb(const Audio& dry);

}  // namespace snd
