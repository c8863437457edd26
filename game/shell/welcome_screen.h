// The first screen: the title over its looping animation, the greeting with the player's name, the
// title music and five buttons (change name, high ratings, play, instructions, quit).
#pragma once
#include "game/shell/button.h"

// The five buttons, parts of the one picture "buttons.png" drawn at (36, 492), in this order.
enum class WelcomeButton { change_name, high_ratings, play, instructions, quit };
inline constexpr Button kWelcomeButtons[] = {
    {37, 528, 112, 36}, {189, 510, 112, 36}, {342, 492, 112, 36}, {496, 510, 112, 36}, {651, 528, 112, 36}};
// Where the change-name button opens the name keyboard (the top-left of its key caps).
inline constexpr int kNameKeyboardX = 174, kNameKeyboardY = 246;

// Runs until the play button is taken, then fades the pictures and the music out and returns. The
// other buttons open their screens and come back here; quit ends the program. A button is taken by a
// left click on it, or by Enter, Space or the pad's A while it has the focus (PLAY at first).
void welcome_screen();
