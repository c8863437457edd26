// The game's short sound effects, each synthesised from scratch at 44100 Hz mono.
#pragma once

#include "pcm_buffer.h"

namespace snd {

constexpr int kEffectRate = 44100;

// "click.wav": every button click; a short bright tick.
Audio make_click();

// "move.wav": one cursor step on the board; a dry wooden tock.
Audio make_move();

// "add.wav": one unit counted into a total; a soft high blip that stays pleasant when it
// repeats many times a second.
Audio make_add();

// "win.wav": plays when the player wins a round (the landmark fades in over the board) and
// when a block is put back on the map. Both are something appearing: a rising shimmer of
// bells that blooms into a warm chord, about two seconds.
Audio make_appear();

// "lose.wav": plays when the player loses a round (the board fades to black) and when a
// block is taken off the map, twice as every game starts. Both are something vanishing: a
// falling glissando of soft bells that sinks away into a low settling note, about two
// seconds.
Audio make_vanish();

}  // namespace snd
