// The round set-up screen: before every round the player chooses the first or the second move, then
// to move horizontally or vertically, each with one of two buttons.
#pragma once
#include "game/shell/button.h"

// The two buttons of each question: FIRST and SECOND, then HORIZONTAL and VERTICAL. A button is taken
// by a left click on it, or by Enter, Space or the pad's A while it has the focus (the left one at
// first).
enum class SetupButton { left, right };
inline constexpr Button kSetupButtons[] = {{256, 410, 96, 36}, {448, 410, 96, 36}};

// Sets player_kind (1 human, 2 computer; the human is player 1 when moving first), player_dir (the
// human 2 = horizontal or 1 = vertical, the computer the other) and total_labels (each player's total
// caption). Returns with both mouse buttons up.
void round_setup_screen();
