#include "game/round/computer_move.h"

#include "engine/media/sound.h"
#include "game/round/board_screen.h"
#include "game/round/computer_player.h"
#include "game/shell/media_slots.h"
#include "game/shell/waits.h"
#include "game/state/game_state.h"
#include "game/state/round_state.h"

namespace {

constexpr double kStepMs = 250;

}  // namespace

void computer_move() {
  move_confirmed = 0;
  const int target = computer_choice();
  const double dir = mover_dir();
  double& coordinate = dir == 1 ? cursor_row : cursor_col;
  if (target >= 1 && target <= 8) {
    do {
      sound_channel = snd_play(sound::move, 0, volume);
      coordinate += target <= coordinate ? -1 : 1;
      draw_board(1, 1);
      wait_ms(kStepMs);
    } while (coordinate != target);
  }
  move_confirmed = 1;
}
