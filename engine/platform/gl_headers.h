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
#if defined(__EMSCRIPTEN__) && !defined(BRAKKA_GL_WEB_CALLS)
// WebGL 1 takes a texture's internal format only as the unsized format of its pixels (GL_RGBA where
// desktop OpenGL also takes GL_RGBA8): gl_web_calls_web.cpp passes the unsized one.
void gl_web_tex_image_2d(GLenum target, GLint level, GLint internal_format, GLsizei width, GLsizei height,
                         GLint border, GLenum format, GLenum type, const void* pixels);
#define glTexImage2D gl_web_tex_image_2d
#endif
