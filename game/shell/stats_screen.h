// The GAME STATS / ALL TIME HIGH RATINGS screen over a field of bouncing, twinkling stars.
#pragma once
#include "game/shell/button.h"

// Continue (mode 1) or Quit (mode 2), drawn at the same place.
inline constexpr Button kStatsButton{352, 545, 96, 32};

// mode 1: shows the statistics and the table with the continue button and returns when it is taken.
// mode 2 (the game is over): enters the game's rating into the table under player_name, shows it
// with the quit button, and when that is taken saves the table and runs the goodbye screen, which
// ends the program. The button is taken by a left click on it, by Enter (or the pad's A) held, or by
// Space or the pad's Start; an Enter or A still held from the previous screen is waited out first.
void stats_screen(double mode);
