// The round screen: the board over the block's picture, the two players' rows, the info panel and the
// animated cursor; and the my-turn pulse.
#pragma once

// Draws the whole round screen. show_info > 0 adds the info panel (difficulty, direction hint, turn
// sign); present != 0 ends the frame with frame_show. Advances the cursor and question-mark animations.
void draw_board(double show_info, double present);

// Two swells of the computer's turn sign over the board (about 50 frames; input is not read).
void pulse_my_turn();
