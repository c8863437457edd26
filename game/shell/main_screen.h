// The main screen: the map of London with the blocks still standing, and the two block animations.
#pragma once

// mode 1: draws the map and every standing block from current_block up, the current block with its
//         blinking highlight; the caller ends the frame.
// mode 2: takes block current_block off: it fades out over 98 frames (each presented here) while the
//         blocks above it stay; then current_block + 1, and game_over = 1 once it reaches 9.
// mode 3: puts the block below current_block back: current_block - 1 (game_over = 2 when that leaves
//         0), then it fades in over 98 frames. From block 1 there is no block to return; the 98 frames
//         show the standing blocks alone.
// Any other mode draws the map only. Every call loads (or keeps) "map.png" as the background and
// makes font 5 current.
void draw_main_screen(double mode);
// As mode 2, for the intro of a game: a click or Enter during the fade finishes it at once (the block
// is off, current_block moved on), see intro_skip.h.
void intro_take_block_off();
