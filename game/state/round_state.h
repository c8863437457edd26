// The puzzle round's state, kept for the whole run and brought into a round's start by setup_round.
// The board itself (board, cell_x, cell_y) and the per-player tables (player_dir, player_kind, totals)
// are with the game's other arrays in game/state/game_state.h.
#pragma once

// The cursor cell (1..8 each). After a move it stays on the cell just taken, which is then empty.
extern double cursor_col, cursor_row;
// The player to move, 1 or 2; player 1 always moves first.
extern double turn;
// Signed value of the cell taken by the last move; 0 before the first move.
extern double last_taken;
// 1 while the player to move has a non-empty cell on their line (the last end-of-round test).
extern double moves_remain;
// 1 once the player to move has confirmed a cell; the round-end screen uses 1 and 2 for its button.
extern double move_confirmed;
// 1 EASY, 2 HARD: the current block's difficulty, copied at the round's start.
extern double round_difficulty;
// kRoundDraw (or not decided), kRoundWon or kRoundLost: the round's result for the human.
extern double round_result;
// The values of round_result. Won and lost are the numbers of their pictures' slots, which the round
// end draws.
inline constexpr double kRoundDraw = 0;
inline constexpr double kRoundWon = 12;
inline constexpr double kRoundLost = 13;
// Arrow keys are ignored until timer_ms passes this (ms).
extern double next_key_time;
// Frame counter of the cursor frame animation, 0..14.
extern double cursor_anim;
// Angle of the rocking question mark (-30..30 degrees) and its change per frame (+1 or -1).
extern double rock_angle, rock_step;
// Fade level of the round-end picture, 0 down to -1.
extern double fade_alpha;
// Channel of the last cursor-step sound (the stats screen keeps its background sound's channel here).
extern double sound_channel;
