// OpenGL calls that WebGL 1 takes only in a narrower form than desktop OpenGL (gl_headers.h sends
// the runtime's calls here in the web build).
#define BRAKKA_GL_WEB_CALLS
#include "engine/platform/gl_headers.h"

void gl_web_tex_image_2d(GLenum target, GLint level, GLint internal_format, GLsizei width, GLsizei height,
                         GLint border, GLenum format, GLenum type, const void* pixels) {
  switch (internal_format) {
    case GL_RGBA8: internal_format = GL_RGBA; break;
    case GL_RGB8: internal_format = GL_RGB; break;
    default: break;
  }
  glTexImage2D(target, level, internal_format, width, height, border, format, type, pixels);
}

void gl_web_pixel_store(GLenum name, GLint value) {
  switch (name) {
    case GL_UNPACK_ROW_LENGTH:
    case GL_UNPACK_SKIP_ROWS:
    case GL_UNPACK_SKIP_PIXELS:
    case GL_PACK_ROW_LENGTH:
    case GL_PACK_SKIP_ROWS:
    case GL_PACK_SKIP_PIXELS:
      if (value == 0) return;
      break;
    default: break;
  }
  glPixelStorei(name, value);
}

void gl_web_hint(GLenum target, GLenum mode) {
  if (target == GL_GENERATE_MIPMAP_HINT) glHint(target, mode);
}
