// The on-screen keyboard on which the player types a name: with the mouse, by typing on the real
// keyboard, or by moving a focus over its keys with the arrows or a pad's D-pad.
#pragma once
#include "game/shell/button.h"

// The keys, numbered 1..29: 1..26 the letters in the order of " QWERTYUIOPASDFGHJKLZXCVBNM" (key k
// types the character at position k), 27 delete, 28 done, 29 space; three rows, each ending in a
// wide key.
constexpr int kNameKeyDelete = 27, kNameKeyDone = 28, kNameKeySpace = 29;
constexpr int kNameKeys = 29;
// Key k's hit box with the key caps' top-left at (ox, oy).
Button name_key(int key, double ox, double oy);
// The key that types character c (a letter of either case or a blank; backspace is delete), or 0.
int name_key_of_char(int c);

// Starts from an empty name and returns when done is taken: player_name and high_names(0) then hold
// the typed name (at most 10 capitals and blanks), or "NAMELESS" when nothing was typed. (ox, oy) is
// the top-left of the key caps.
//
// Keys are taken by a left click, or from the real keyboard: letters and Space type themselves (upper
// case) and Backspace deletes, each lighting its key up; Enter or the pad's A press the focused key,
// which is done until the arrows, Tab or the D-pad move the focus (typing does not move it).
void name_keyboard(double ox, double oy);
