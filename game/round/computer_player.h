// The computer player: EASY takes the largest value on its line; HARD looks one reply ahead and takes
// the cell whose best human reply gains least over what it takes. Neither uses randomness.
#pragma once

// How much a human reply of value w gains over the computer's take v, counted in unit steps: w - v
// moved one step further from zero (0 when they are equal). Larger is worse for the computer.
double reply_margin(double w, double v);

// The position (1..8) on the computer's line that it takes: by round_difficulty, EASY (1) or HARD (2).
// Ties go to the lowest position on EASY and to the highest on HARD. 0 when the line holds no cell.
int computer_choice();
int easy_choice();
int hard_choice();

// The direction of the player to move: 1 when it picks along the cursor's column, 2 along its row.
double mover_dir();
