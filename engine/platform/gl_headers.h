// OpenGL's headers, for every file that calls OpenGL. On Windows <GL/gl.h> needs <windows.h>, which
// is included lean here (no min/max macros, none of the rarely used parts) and stripped of the
// macros that clash with ordinary names. opengl32.dll exports OpenGL 1.1 only: newer entry points
// come through Platform::gl_proc_address, with the types and constants of <GL/glext.h>.
#pragma once
#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#undef near
#undef far
#undef OPAQUE
#undef TRANSPARENT
#undef ERROR
#endif
#include <GL/gl.h>
#include <GL/glext.h>
