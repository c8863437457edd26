// The round's rules on the game state alone, without drawing: the board's generation, the lines the
// players pick from, the end-of-round test and a round's result.
#pragma once

// Cell positions, the 64 values and the cursor, drawn from the random generator in a fixed order:
// column by column (rows inner), magnitude rnd_int(11) + 1 then sign rnd_int(1) per cell; then the
// cursor's column and row (rnd_int(7) + 1 each). The cursor cell starts empty.
void generate_board();

// The board cell at position k (1..8) of the line through the cursor that a player with direction dir
// picks from: dir 1 the cursor's column (k is the row), dir 2 the cursor's row (k is the column).
double& line_cell(double dir, int k);
// The cursor's own position on that line.
int cursor_position(double dir);

// The end-of-round test: moves_remain = 1 when the line of the player to move holds a non-empty cell,
// else 0. Only the mover's line counts. Returns moves_remain.
double test_moves_remain();

// The player who is human (1 or 2) and the result of a round from the two totals: kRoundWon,
// kRoundLost or kRoundDraw (game/state/round_state.h); margin = human's total - computer's total.
int human_player();
double round_result_of(double& margin);
