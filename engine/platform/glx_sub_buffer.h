// Showing a part of a window's back buffer without a buffer swap, where the OpenGL driver offers it on
// X11 (GLX_MESA_copy_sub_buffer): the back buffer is left as it was, so it can hold a picture kept from
// frame to frame, and a frame that changed a few boxes shows only those. Without X11 (another video
// driver, a context that is not GLX, a build without it) nothing is found and the window only swaps.
#pragma once
#include <SDL2/SDL.h>

// The copy for the window's OpenGL context (current, double-buffered, drawing into the window itself),
// or null when the driver or the server lacks it.
struct GlxSubBuffer;
GlxSubBuffer* glx_sub_buffer_find(SDL_Window* window);
void glx_sub_buffer_forget(GlxSubBuffer*& copy);
// Copies a rectangle of the back buffer (GL's window coordinates, rows from the bottom) into the window.
void glx_sub_buffer_copy(GlxSubBuffer* copy, int x, int y, int w, int h);
