// The X server beneath SDL's x11 video driver, asked directly where SDL's own view falls short. Without
// X11 (another video driver, or a build without it) both calls do nothing and say so.
#pragma once
#include <SDL2/SDL.h>

// Makes `lost` the handler of a broken connection to the X server (false when the build has no X11).
// Called before video starts, so that a server going away while the window and its OpenGL context are
// being made is handled like one going away later; called again once the window exists (a library may
// have put a handler of its own in the meantime). `lost` is called with a line naming the display, on
// the thread that found the connection broken, and must not return: nothing may talk to that
// connection again. A crash (SIGSEGV, SIGBUS, SIGABRT) while the server no longer takes connections
// is taken for the same loss: a driver that finds its connection gone may fault before Xlib notices.
bool x11_watch_connection(void (*lost)(const char* what));

// The window's size as the X server has it now (one round trip); false when it is not an X11 window.
bool x11_window_size(SDL_Window* window, int& w, int& h);
