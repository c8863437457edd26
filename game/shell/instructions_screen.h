// The rules of the game as fixed text over a drifting star field.
#pragma once

// Returns when the continue button is clicked.
void instructions_screen();
