// The round set-up screen: before every round the player chooses the first or the second move, then
// to move horizontally or vertically, each with a left click on one of two buttons.
#pragma once

// Sets player_kind (1 human, 2 computer; the human is player 1 when moving first), player_dir (the
// human 2 = horizontal or 1 = vertical, the computer the other) and total_labels (each player's total
// caption). Returns with both mouse buttons up.
void round_setup_screen();
