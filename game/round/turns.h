// Turns of the puzzle round: the human's cursor by keys and by mouse, taking the confirmed cell, and
// the loop of turns until the player to move has an empty line.
#pragma once

// Arrow keys (or a pad's D-pad or left stick) along the human's line (dir 1: up/down on the cursor's
// column, dir 2: left/right on its row), with "move.wav", wrapping at the board's edges: one step per
// press, at most one per 250 ms (presses made meanwhile step in turn afterwards); a key held down steps
// again 500 ms after its press, then every 250 ms.
void keyboard_cursor(double direction);
// A left click on the human's line walks the cursor there, one cell per 250 ms with "move.wav"; a right
// click on a non-empty cursor cell confirms it (move_confirmed = 1).
void mouse_cursor(double direction);
// Counts the cursor cell's value into the mover's total one unit per "add.wav" (showing every
// intermediate total), empties the cell and passes the turn; the my-turn pulse when the computer is next.
void take_cell();
// The round loop: turns until the player to move has nothing left on their line. The human confirms
// with a right click, Enter or the pad's A on a non-empty cursor cell; the computer moves by itself.
void play_round();
