// An SDL window with an OpenGL compatibility context, shared by the "sdl" and "headless" backends.
#pragma once
#include <SDL2/SDL.h>
#include "engine/platform/glx_sub_buffer.h"
#include "engine/platform/view_fit.h"

class SdlGlWindow {
 public:
  // The video driver of windows that are never shown (the headless backend): SDL's offscreen driver,
  // whose OpenGL comes through EGL. Windows has no EGL of its own, so there the windows are ordinary
  // ones that stay hidden.
#ifdef _WIN32
  static constexpr const char* kWindowlessDriver = "windows";
#else
  static constexpr const char* kWindowlessDriver = "offscreen";
#endif

  ~SdlGlWindow() { destroy(); }
  // Creates the window hidden; false (with a line on stderr) when the window or context can't be made.
  bool create(int client_w, int client_h, bool fullscreen, bool multisample);
  void destroy();
  // Forgets the window and its context without a word to the window system, whose connection is gone.
  void abandon();
  bool exists() const { return window_ != nullptr; }
  SDL_Window* window() const { return window_; }
  Uint32 window_id() const { return window_ ? SDL_GetWindowID(window_) : 0; }

  void set_title(const char* title);
  void show(bool show);
  void center();
  void raise();
  // The picture's size: the client size asked at creation, whatever the window's size is now.
  void client_size(int& w, int& h) const;
  void set_picture_size(int w, int h);  // a picture of another size than the window was made with
  // The window's pixels for OpenGL, asked afresh (the renderer asks once per frame, when it presents).
  // SDL answers with the size it last heard of, which full-screen switches leave wrong when no window
  // manager answers them (SDL then keeps the desktop's size for a window that never changed); on X11
  // the server is asked instead.
  void drawable_size(int& w, int& h);
  // Where the picture appears in the window, in the window coordinates of pointer positions: for the
  // size the last drawable_size found, the one the picture on the screen was drawn for.
  ViewFit view() const;
  // Opens the window at the largest whole scale of the picture that fits the desktop, lets the user
  // resize it (down to half the picture) and lets toggle_fullscreen work.
  void allow_scaling();
  bool scaling_allowed() const { return scaling_; }
  void toggle_fullscreen();  // desktop full screen on and off; nothing before allow_scaling
  void swap();
  // A part of the back buffer shown without a swap, leaving the back buffer as it is (window pixels,
  // rows from the bottom); only where can_show_part() says so (glx_sub_buffer.h).
  bool can_show_part() const { return sub_buffer_ != nullptr; }
  void show_part(int x, int y, int w, int h) { glx_sub_buffer_copy(sub_buffer_, x, y, w, h); }
  bool alpha_bits() const { return alpha_bits_ > 0; }

 private:
  bool try_create(int w, int h, bool fullscreen, int samples);
  SDL_Window* window_ = nullptr;
  SDL_GLContext context_ = nullptr;
  GlxSubBuffer* sub_buffer_ = nullptr;
  int alpha_bits_ = 0;
  int picture_w_ = 0, picture_h_ = 0;
  int real_w_ = 0, real_h_ = 0;  // the X server's size of the window at the last drawable_size; 0 = none
  bool scaling_ = false;
};
