// "amb.wav": a calm evening ambience that loops without a seam.
#pragma once

#include "pcm_buffer.h"

namespace snd {

constexpr int kAmbienceRate = 22050;
constexpr int kAmbienceSeconds = 8;

// Stereo, exactly kAmbienceSeconds long. Every steady component completes a whole number
// of cycles in that time and everything that decays is written circularly, so the last
// frame runs straight on into the first when the sound is looped.
Audio make_ambience();

}  // namespace snd
