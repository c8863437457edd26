// The game's busy waits between frames: a cursor step's 250 ms, a sound to its end, a key or mouse
// button to its release. Each polls its condition and between polls calls frame_idle, which sleeps
// about 1 ms and keeps the window's events flowing: a closed window or a quit key ends the program
// from inside the wait, and keys and buttons of an inactive window read as released, so every wait
// ends. No frame is presented meanwhile; the screen shows the last one.
#pragma once
#include "game/shell/controls.h"

// Until timer_ms has advanced ms.
void wait_ms(double ms);
// While the sound channel plays; a channel that never started (negative) ends the wait at once.
void wait_sound(double channel);
// Until the control is up (Control::enter: both Enter keys and the pad's A).
void wait_control_release(Control control);
// Until the left button is up (both_buttons false) or both buttons are up. The mouse is read into
// values of the wait's own, not into the shared mouse globals.
void wait_mouse_release(bool both_buttons);
