// The round's end: the result from the totals, the result picture over the emptied board, the block's
// picture fading in after a win (or the board fading to black after a loss), then Continue.
#pragma once
#include "game/shell/button.h"

// The Continue button, shown once the result's fade has finished.
inline constexpr Button kRoundEndContinue{217, 559, 96, 32};

// Empties the board, moves the cursor frame off screen, decides round_result and the round's margin
// (game_stats[7]) and shows the result until Continue is taken: a left click on it, Enter (or the
// pad's A) held, Space or the pad's Start. An Enter or A still held from the round must be released
// first.
void round_end_screen();
// One frame of the result fade (about 200 frames); sets move_confirmed to 1 when it has finished.
void fade_result_picture();
