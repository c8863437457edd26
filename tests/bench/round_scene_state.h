// The round the drawing benchmarks draw: as the set-up screen leaves it (the human first, moving along
// the row), a few moves in, so both totals and the last taken value are shown. The game's arrays and
// media must be loaded first.
#pragma once
#include "engine/core/random.h"
#include "engine/core/str.h"
#include "game/state/round_state.h"
#include "game/round/setup_round.h"
#include "game/state/blocks.h"
#include "game/state/game_state.h"

namespace bench {

inline void set_up_round_state() {
  reset_blocks();
  current_block = 3;
  player_kind(1) = 1;
  player_kind(2) = 2;
  player_dir(1) = 2;
  player_dir(2) = 1;
  str_assign_cstr(total_labels(1), " Previous          Your total");
  str_assign_cstr(total_labels(2), " Previous            My total");
  rnd_seed(5);
  setup_round();
  totals(1) = 23;
  totals(2) = -7;
  last_taken = -9;
  moves_remain = 1;
}

}  // namespace bench
