// The screen of a won game: the eight landmarks in turn over a swirling animation, until the
// continue button is clicked; then the picture and the music fade out.
#pragma once
#include "game/shell/button.h"

inline constexpr Button kWinContinue{352, 550, 96, 32};

// Plays "brakka.mp3" looping, loads the blocks' first landmark pictures into sprites 1..8 and the
// animation frames anim1.png..anim20.png into sprites 101..120, shows landmark `scratch` (1..8, each
// for 199 frames, the first for 198) under "GAME OVER, YOU WIN!" in the current font, and returns
// after the continue button (sprite 14 at 352, 550) is taken (a left click on it, Enter, Space or the
// pad's A), the click sound and a 180-frame fade.
void win_screen();
