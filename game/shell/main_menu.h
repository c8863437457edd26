// The main-screen menu: the map with a continue and a quit button under it.
#pragma once
#include "game/shell/button.h"

enum class MenuButton { continue_game, quit };
inline constexpr Button kMenuButtons[] = {{250, 545, 96, 32}, {453, 545, 96, 32}};

// Shows the map with the two buttons until one is taken (a left click on it, or Enter, Space or the
// pad's A while it has the focus, CONTINUE at first): menu_choice 1 continue, 2 quit. Returns after
// the click sound, with the left button up.
void main_menu();
