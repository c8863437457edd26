// The screen of a lost game: a field of falling stars and the ambience loop, until the continue
// button is clicked.
#pragma once
#include "game/shell/button.h"

inline constexpr Button kLoseContinue{352, 310, 96, 32};

// Draws 240 stars falling at one or two pixels a frame, "GAME OVER, YOU LOSE!" in font 5 and the
// continue button (sprite 14 at 352, 310); keeps sound 6 ("amb.wav") playing, restarting it whenever
// it ends; returns when the button is taken (a left click on it, Enter, Space or the pad's A) after
// stopping every sound.
void lose_screen();
