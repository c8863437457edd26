// The eight landmark blocks of the main screen.
#pragma once

// Puts all eight blocks back as a game starts them, zeroes game_stats, shows the mouse pointer, sets
// current_block to 1 and volume to 0.9.
void reset_blocks();
