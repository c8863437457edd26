// An SDL window with an OpenGL compatibility context, shared by the "sdl" and "headless" backends.
#pragma once
#include <SDL2/SDL.h>

class SdlGlWindow {
 public:
  ~SdlGlWindow() { destroy(); }
  // Creates the window hidden; false (with a line on stderr) when the window or context can't be made.
  bool create(int client_w, int client_h, bool fullscreen, bool multisample);
  void destroy();
  bool exists() const { return window_ != nullptr; }
  SDL_Window* window() const { return window_; }
  Uint32 window_id() const { return window_ ? SDL_GetWindowID(window_) : 0; }

  void set_title(const char* title);
  void show(bool show);
  void center();
  void raise();
  void client_size(int& w, int& h);
  void swap();
  bool alpha_bits() const { return alpha_bits_ > 0; }

 private:
  bool try_create(int w, int h, bool fullscreen, int samples);
  SDL_Window* window_ = nullptr;
  SDL_GLContext context_ = nullptr;
  int alpha_bits_ = 0;
};
