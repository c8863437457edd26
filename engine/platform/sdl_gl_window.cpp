#include "engine/platform/sdl_gl_window.h"
#ifdef __EMSCRIPTEN__
#include "engine/platform/web_page.h"
#endif
#include <algorithm>
#include <cstdio>
#include "engine/platform/x11_connection.h"

bool SdlGlWindow::try_create(int w, int h, bool fullscreen, int samples) {
  SDL_GL_ResetAttributes();
#ifdef __EMSCRIPTEN__
  // A browser's context is WebGL (OpenGL ES 2.0), under emscripten's emulation of OpenGL 1.x.
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
#else
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
#endif
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples);

  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
  if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN;
  window_ = SDL_CreateWindow("Quorvex", 0, 0, w, h, flags);
  if (!window_) return false;
  context_ = SDL_GL_CreateContext(window_);
  if (!context_) {
    SDL_DestroyWindow(window_);
    window_ = nullptr;
    return false;
  }
  if (SDL_GL_MakeCurrent(window_, context_) != 0) {
    // A context that will not become current is replaced by a fresh one.
    SDL_GL_DeleteContext(context_);
    context_ = SDL_GL_CreateContext(window_);
    if (!context_ || SDL_GL_MakeCurrent(window_, context_) != 0) {
      if (context_) SDL_GL_DeleteContext(context_);
      context_ = nullptr;
      SDL_DestroyWindow(window_);
      window_ = nullptr;
      return false;
    }
  }
  // The frame loop paces itself; a swap must not wait for the display.
  SDL_GL_SetSwapInterval(0);
  SDL_GL_GetAttribute(SDL_GL_ALPHA_SIZE, &alpha_bits_);
  return true;
}

bool SdlGlWindow::create(int client_w, int client_h, bool fullscreen, bool multisample) {
  destroy();
  // Video and the OpenGL driver stay loaded for the rest of the process once they are up. SDL unloads
  // the driver with the last OpenGL window; our own reference keeps it, so a window made later does
  // not load it all over again.
  if (!SDL_WasInit(SDL_INIT_VIDEO)) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
      std::fprintf(stderr, "video start failed: %s\n", SDL_GetError());
      return false;
    }
    if (SDL_GL_LoadLibrary(nullptr) != 0) {
      std::fprintf(stderr, "OpenGL driver failed to load: %s\n", SDL_GetError());
      return false;
    }
  }
  if (client_w <= 0) client_w = 640;
  if (client_h <= 0) client_h = 480;
  bool made = (multisample && try_create(client_w, client_h, fullscreen, 4)) ||
              try_create(client_w, client_h, fullscreen, 0);
  if (!made) {
    std::fprintf(stderr, "window or OpenGL context failed: %s\n", SDL_GetError());
    return false;
  }
  picture_w_ = client_w;
  picture_h_ = client_h;
  sub_buffer_ = glx_sub_buffer_find(window_);
  real_w_ = real_h_ = 0;
  scaling_ = false;
  SDL_StartTextInput();
  return true;
}

void SdlGlWindow::destroy() {
  glx_sub_buffer_forget(sub_buffer_);
  if (context_) {
    SDL_GL_MakeCurrent(window_, nullptr);
    SDL_GL_DeleteContext(context_);
    context_ = nullptr;
  }
  if (window_) {
    SDL_DestroyWindow(window_);
    window_ = nullptr;
  }
}

void SdlGlWindow::abandon() {
  glx_sub_buffer_forget(sub_buffer_);
  context_ = nullptr;
  window_ = nullptr;
}

void SdlGlWindow::set_title(const char* title) {
  if (window_) SDL_SetWindowTitle(window_, title ? title : "");
}

void SdlGlWindow::show(bool show) {
  if (!window_) return;
  if (show) SDL_ShowWindow(window_);
  else SDL_HideWindow(window_);
}

void SdlGlWindow::center() {
  if (!window_) return;
  int display = SDL_GetWindowDisplayIndex(window_);
  if (display < 0) display = 0;
  SDL_Rect area;
  int w = 0, h = 0;
  SDL_GetWindowSize(window_, &w, &h);
  if (SDL_GetDisplayUsableBounds(display, &area) == 0 && area.w > 0 && area.h > 0) {
    SDL_SetWindowPosition(window_, area.x + (area.w - w) / 2, area.y + (area.h - h) / 2);
  } else {
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
  SDL_SetWindowAlwaysOnTop(window_, SDL_FALSE);
}

void SdlGlWindow::raise() {
  if (!window_) return;
  SDL_ShowWindow(window_);
  SDL_RaiseWindow(window_);
}

void SdlGlWindow::client_size(int& w, int& h) const {
  w = h = 0;
  if (!window_) return;
  w = picture_w_;
  h = picture_h_;
}

void SdlGlWindow::set_picture_size(int w, int h) {
  picture_w_ = w;
  picture_h_ = h;
}

void SdlGlWindow::drawable_size(int& w, int& h) {
  w = h = 0;
  if (!window_) return;
  if (x11_window_size(window_, w, h)) {
    real_w_ = w;
    real_h_ = h;
    return;
  }
  SDL_GL_GetDrawableSize(window_, &w, &h);
}

ViewFit SdlGlWindow::view() const {
  int w = 0, h = 0;
  if (window_ && real_w_ > 0 && real_h_ > 0) {
    w = real_w_;
    h = real_h_;
  } else if (window_) {
    SDL_GetWindowSize(window_, &w, &h);
  }
  return view_fit(picture_w_, picture_h_, w, h);
}

void SdlGlWindow::allow_scaling() {
  if (!window_ || scaling_) return;
#ifdef __EMSCRIPTEN__
  // In a browser the page scales the canvas and takes it full screen (dist/web/index.html): the picture
  // keeps its own size here.
  return;
#endif
  scaling_ = true;
  // Shrinking is allowed down to half the picture; below that text would no longer be readable, unless
  // the screen itself is smaller (below).
  SDL_SetWindowMinimumSize(window_, std::max(1, picture_w_ / 2), std::max(1, picture_h_ / 2));
  SDL_SetWindowResizable(window_, SDL_TRUE);
  if (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) return;
  int display = SDL_GetWindowDisplayIndex(window_);
  if (display < 0) display = 0;
  SDL_Rect area;
  if (SDL_GetDisplayUsableBounds(display, &area) != 0 || area.w <= 0 || area.h <= 0) return;
  // The frame is only known once the window is on the screen: until then, room for a title bar and
  // thin borders is assumed.
  int top = 0, left = 0, bottom = 0, right = 0;
  if (SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) != 0 || top + bottom == 0) {
    top = 48;
    left = right = bottom = 8;
  }
  // A screen smaller than the picture gets a window shrunk to fit it, so that every button stays on it.
  const double scale = fitting_scale(picture_w_, picture_h_, area.w, area.h, left + right, top + bottom);
  if (scale == 1.0) return;
  const int w = std::max(1, int(picture_w_ * scale)), h = std::max(1, int(picture_h_ * scale));
  if (scale < 1.0)
    SDL_SetWindowMinimumSize(window_, std::min(w, std::max(1, picture_w_ / 2)),
                             std::min(h, std::max(1, picture_h_ / 2)));
  SDL_SetWindowSize(window_, w, h);
}

void SdlGlWindow::toggle_fullscreen() {
  if (!window_ || !scaling_) return;
  const bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) != 0;
  if (SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) != 0)
    std::fprintf(stderr, "full screen switch failed: %s\n", SDL_GetError());
}

void SdlGlWindow::swap() {
#ifdef __EMSCRIPTEN__
  if (window_) web_present();
#endif
  if (window_) SDL_GL_SwapWindow(window_);
}
