// The computer player's choice of cell: plain rules over the board, with no drawing, sound or waits.
#include "game/round/computer_player.h"

#include "engine/core/dim_array.h"
#include "game/round/board_rules.h"
#include "game/state/round_state.h"
#include "game/state/game_state.h"

namespace {

constexpr double kNone = -99;  // no candidate (EASY) / the human has no reply (HARD)
constexpr double kNever = 99;  // HARD: an empty cell or the cursor's own

// The cell of the human's reply line through position k of the computer's line (vertical computer:
// row k; horizontal computer: column k) at position j of that reply line.
double reply_cell(double dir, int k, int j) { return dir == 1 ? board(j, k) : board(k, j); }

}  // namespace

double reply_margin(double w, double v) {
  double margin = 0;
  if (w > v) {
    for (double counter = v; counter <= w; counter += 1) margin += 1;
  } else if (w < v) {
    for (double counter = w; counter <= v; counter += 1) margin -= 1;
  }
  return margin;
}

double mover_dir() { return player_dir(static_cast<int>(turn)); }

int easy_choice() {
  const double dir = mover_dir();
  const int own = cursor_position(dir);
  DimArray<double> entry;
  arr_dim_num(entry, 9);
  for (int k = 1; k <= 8; ++k) {
    entry(k) = kNone;
    if (line_cell(dir, k) != 0 && k != own) entry(k) = line_cell(dir, k);
  }
  int target = 0;
  double best = kNone;
  for (int k = 1; k <= 8; ++k) {
    if (entry(k) > best) {
      best = entry(k);
      target = k;
    }
  }
  return target;
}

int hard_choice() {
  const double dir = mover_dir();
  const int own = cursor_position(dir);
  // The cursor's fixed coordinate: its column for a vertical computer, its row for a horizontal one.
  // That is the position on the reply line that lies on the computer's own line.
  const int fixed = static_cast<int>(dir == 1 ? cursor_col : cursor_row);
  DimArray<double> entry;
  arr_dim_num(entry, 9);
  for (int k = 1; k <= 8; ++k) {
    entry(k) = kNone;
    const double v = line_cell(dir, k);
    if (v == 0 || k == own) {
      entry(k) = kNever;
      continue;
    }
    for (int j = 1; j <= 8; ++j) {
      if (j == fixed) continue;
      const double w = reply_cell(dir, k, j);
      if (w != 0 && reply_margin(w, v) > entry(k)) entry(k) = reply_margin(w, v);
    }
  }
  double best = kNever;
  for (int k = 1; k <= 8; ++k)
    if (entry(k) < best) best = entry(k);
  int target = 0;
  for (int k = 1; k <= 8; ++k)
    if (entry(k) == best && best != kNever) target = k;
  return target;
}

int computer_choice() { return round_difficulty == 1 ? easy_choice() : hard_choice(); }
