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
// Calls WebGL 1 takes only in a narrower form than desktop OpenGL, through gl_web_calls_web.cpp.
// A texture's internal format only as the unsized format of its pixels (GL_RGBA where desktop OpenGL
// also takes GL_RGBA8): the unsized one is passed.
void gl_web_tex_image_2d(GLenum target, GLint level, GLint internal_format, GLsizei width, GLsizei height,
                         GLint border, GLenum format, GLenum type, const void* pixels);
#define glTexImage2D gl_web_tex_image_2d
// WebGL 1 has none of the row length and skip settings of pixel transfers; setting them to their
// default (0) is left out there, as it changes nothing.
void gl_web_pixel_store(GLenum name, GLint value);
#define glPixelStorei gl_web_pixel_store
// WebGL 1 knows one hint, the mipmap one; the others are left out there.
void gl_web_hint(GLenum target, GLenum mode);
#define glHint gl_web_hint
#endif
