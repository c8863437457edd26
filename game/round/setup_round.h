// A round's start: the board, the cursor and every round value brought into their starting state.
#pragma once

// Generates the board (column by column, two draws per cell, then the cursor), loads "backdrop.png" as
// the background and the current block's two pictures into sprites 99 and 100, zeroes the totals,
// copies the block's difficulty, resets the round's values, and plays the my-turn pulse when the
// computer moves first.
void setup_round();
