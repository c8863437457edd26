// The game's statistics and rating, brought up to date after every round. game_stats (game_state.h):
//   0 game rating                      4 current run of won rounds
//   1 rounds won                       5 best run of won rounds in this game
//   2 rounds lost                      6 accumulated round points
//   3 rounds drawn                     7 on entry the round's margin (the human's total minus the
//                                        computer's, written by the round end); afterwards won - lost
// The rating is 1.1 x (won - lost) + the sum of the round points + 1.1 x the best run, recomputed
// after each round. Round points: a won round its margin x 0.6 on EASY, x 1.2 on HARD; a lost round
// (margin - 20) / 10 on EASY, margin / 10 on HARD; a draw 0 on EASY, 2 on HARD. Nothing is rounded.
#pragma once

// Counts one round into game_stats and recomputes the rating. result is the round's result
// (kRoundDraw, kRoundWon, kRoundLost: round_result); difficulty 1 EASY, 2 HARD (round_difficulty).
void rate_round(double result, double difficulty);
// After a round: rate_round(round_result, round_difficulty), then the stats screen with its continue
// button.
void update_game_stats();
