// The first screen: the title over its looping animation, the greeting with the player's name, the
// title music and five buttons (change name, high ratings, play, instructions, quit).
#pragma once

// Runs until the play button is clicked, then fades the pictures and the music out and returns. The
// other buttons open their screens and come back here; quit ends the program.
void welcome_screen();
