#include "game/round/board_rules.h"

#include "engine/core/random.h"
#include "game/state/round_state.h"
#include "game/state/game_state.h"

void generate_board() {
  for (int column = 1; column <= 8; ++column) {
    for (int row = 1; row <= 8; ++row) {
      cell_x(column, row) = 25 + 60 * (column - 1);
      cell_y(column, row) = 60 + 60 * (row - 1);
      const double magnitude = rnd_int(11) + 1;
      const int sign = rnd_int(1);
      board(column, row) = sign == 1 ? -magnitude : magnitude;
    }
  }
  cursor_col = rnd_int(7) + 1;
  cursor_row = rnd_int(7) + 1;
  board(static_cast<int>(cursor_col), static_cast<int>(cursor_row)) = 0;
}

double& line_cell(double dir, int k) {
  if (dir == 1) return board(static_cast<int>(cursor_col), k);
  return board(k, static_cast<int>(cursor_row));
}

int cursor_position(double dir) { return static_cast<int>(dir == 1 ? cursor_row : cursor_col); }

double test_moves_remain() {
  moves_remain = 0;
  const double dir = player_dir(static_cast<int>(turn));
  if (dir != 1 && dir != 2) return moves_remain;
  for (int k = 1; k <= 8; ++k)
    if (line_cell(dir, k) != 0) moves_remain = 1;
  return moves_remain;
}

int human_player() { return player_kind(1) == 1 ? 1 : 2; }

double round_result_of(double& margin) {
  const int human = human_player();
  const double mine = totals(human);
  const double theirs = totals(3 - human);
  margin = mine - theirs;
  if (mine > theirs) return kRoundWon;
  if (mine < theirs) return kRoundLost;
  return kRoundDraw;
}
