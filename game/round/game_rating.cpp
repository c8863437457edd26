#include "game/round/game_rating.h"

#include "game/state/round_state.h"
#include "game/shell/stats_screen.h"
#include "game/state/game_state.h"

void rate_round(double result, double difficulty) {
  const double d = difficulty;
  if (result == kRoundDraw) {
    game_stats(3) = game_stats(3) + 1;
    if (d == 2) game_stats(7) = 20;
  }
  if (result == kRoundWon) {
    game_stats(1) = game_stats(1) + 1;
    game_stats(4) = game_stats(4) + 1;
    if (game_stats(4) > game_stats(5)) game_stats(5) = game_stats(4);
    game_stats(7) = (d + d) * 3 * game_stats(7);
  }
  if (result == kRoundLost) {
    game_stats(2) = game_stats(2) + 1;
    game_stats(4) = 0;
    if (d == 1) game_stats(7) = game_stats(7) - 20;  // the margin is already negative
  }
  game_stats(7) = game_stats(7) / 10;  // the round points
  game_stats(6) = game_stats(6) + game_stats(7);
  game_stats(7) = game_stats(1) - game_stats(2);
  game_stats(0) = 1.1 * game_stats(7);
  game_stats(0) = game_stats(0) + game_stats(6);
  game_stats(0) = 1.1 * game_stats(5) + game_stats(0);
}

void update_game_stats() {
  rate_round(round_result, round_difficulty);
  stats_screen(1);
}
