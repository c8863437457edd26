// The on-screen keyboard on which the player types a name with the mouse.
#pragma once

// Starts from an empty name and returns when done is clicked: player_name and high_names(0) then hold
// the typed name (at most 10 capitals and blanks), or "NAMELESS" when nothing was typed. (ox, oy) is
// the top-left of the key caps.
void name_keyboard(double ox, double oy);
