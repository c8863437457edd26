// The rules of the game as fixed text over a drifting star field.
#pragma once
#include "game/shell/button.h"

inline constexpr Button kInstructionsContinue{352, 559, 96, 32};

// Returns when the continue button is taken: a left click on it, Enter, Space or the pad's A.
void instructions_screen();
