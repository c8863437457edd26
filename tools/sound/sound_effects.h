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

// "lose.wav": plays while a block is taken off the map, the player's good news: a rising,
// shining arpeggio over a swell, about two seconds.
Audio make_block_off();

// "win.wav": plays while a block is put back on the map, the player's setback: a gentle
// falling minor figure that sinks into a low tone, about two seconds.
Audio make_block_back();

}  // namespace snd
