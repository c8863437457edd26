#include "engine/platform/glx_sub_buffer.h"
#include "engine/platform/gl_headers.h"
#include <SDL2/SDL_syswm.h>
#include <cstring>

#if defined(BRAKKA_HAVE_X11) && defined(SDL_VIDEO_DRIVER_X11)

// The few GLX calls needed, taken from the driver SDL loaded (so the program does not link GLX itself).
struct GlxSubBuffer {
  Display* display = nullptr;
  unsigned long drawable = 0;
  void (*copy_sub_buffer)(Display*, unsigned long, int, int, int, int) = nullptr;
};

namespace {

template <typename F>
bool entry(F& out, const char* name) {
  out = reinterpret_cast<F>(SDL_GL_GetProcAddress(name));
  return out != nullptr;
}

bool has_word(const char* list, const char* word) {
  const size_t n = std::strlen(word);
  for (const char* at = list ? std::strstr(list, word) : nullptr; at; at = std::strstr(at + 1, word))
    if ((at == list || at[-1] == ' ') && (at[n] == ' ' || at[n] == '\0')) return true;
  return false;
}

bool software_renderer() {
  const char* name = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  return name && (std::strstr(name, "llvmpipe") || std::strstr(name, "softpipe") ||
                  std::strstr(name, "Software Rasterizer"));
}

}  // namespace

GlxSubBuffer* glx_sub_buffer_find(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
  void* (*current_context)() = nullptr;
  Display* (*current_display)() = nullptr;
  unsigned long (*current_drawable)() = nullptr;
  const char* (*query_extensions)(Display*, int) = nullptr;
  GlxSubBuffer found;
  if (!entry(current_context, "glXGetCurrentContext") || !entry(current_display, "glXGetCurrentDisplay") ||
      !entry(current_drawable, "glXGetCurrentDrawable") ||
      !entry(query_extensions, "glXQueryExtensionsString") ||
      !entry(found.copy_sub_buffer, "glXCopySubBufferMESA"))
    return nullptr;
  // The context must be GLX's (not EGL's) and draw into the window itself.
  if (!current_context()) return nullptr;
  found.display = current_display();
  found.drawable = current_drawable();
  if (!found.display || found.drawable != info.info.x11.window) return nullptr;
  if (!has_word(query_extensions(found.display, DefaultScreen(found.display)), "GLX_MESA_copy_sub_buffer"))
    return nullptr;
  int double_buffered = 0;
  if (SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &double_buffered) != 0 || !double_buffered) return nullptr;
  // Only where every pixel is drawn on the CPU (Mesa's llvmpipe, softpipe, swrast): there a copy of a few
  // boxes saves most of a frame's cost, while a GPU swaps a whole window for next to nothing and may
  // pace or compose a window that is never swapped in ways of its own.
  if (!software_renderer()) return nullptr;
  return new GlxSubBuffer(found);
}

void glx_sub_buffer_copy(GlxSubBuffer* copy, int x, int y, int w, int h) {
  if (copy && w > 0 && h > 0) copy->copy_sub_buffer(copy->display, copy->drawable, x, y, w, h);
}

#else

struct GlxSubBuffer {};
GlxSubBuffer* glx_sub_buffer_find(SDL_Window*) { return nullptr; }
void glx_sub_buffer_copy(GlxSubBuffer*, int, int, int, int) {}

#endif

void glx_sub_buffer_forget(GlxSubBuffer*& copy) {
  delete copy;
  copy = nullptr;
}
