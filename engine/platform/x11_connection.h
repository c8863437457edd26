// The X server beneath SDL's x11 video driver, asked directly where SDL's own view falls short. Without
// X11 (another video driver, or a build without it) both calls do nothing and say so.
#pragma once
#include <SDL2/SDL.h>

// Makes `lost` Xlib's handler of a broken connection to the server (once per process; false when video
// does not run on X11). It is called with a line naming the display, on the thread that found the
// connection broken, and must not return: nothing may talk to that connection again.
bool x11_watch_connection(void (*lost)(const char* what));

// The window's size as the X server has it now (one round trip); false when it is not an X11 window.
bool x11_window_size(SDL_Window* window, int& w, int& h);
