// The computer's move as the player sees it: its choice walked cell by cell, with sound and waits.
#pragma once

// One whole computer move: chooses (computer_choice), walks the cursor there one cell per 250 ms with
// "move.wav" at each step (the board drawn and shown after each), and sets move_confirmed to 1.
void computer_move();
