// The SDL_Renderer comparison programs' window, renderer and frame pacing.
#pragma once
#include <SDL2/SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include <cstdio>

namespace bench {

// An 800 x 600 window with SDL_Renderer on its OpenGL driver; false (with a message) when there is none.
inline bool open_sdl_renderer(const char* title, SDL_Window*& window, SDL_Renderer*& renderer,
                              SDL_RendererInfo& info) {
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
  window = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800, 600, 0);
  renderer = window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED) : nullptr;
  if (!renderer) {
    std::fprintf(stderr, "no renderer: %s\n", SDL_GetError());
    return false;
  }
  SDL_GetRendererInfo(renderer, &info);
  return true;
}

inline double now_ms() {
  return static_cast<double>(SDL_GetPerformanceCounter()) * 1000.0 /
         static_cast<double>(SDL_GetPerformanceFrequency());
}

// Paces as the runtime paces its frames: sleep while more than 7 ms remain (waking 3 ms early), then
// pump events between naps of at most 0.5 ms until 1 ms is left; the next deadline is one period on,
// re-based after a stall.
inline void pace_frame(double& deadline, double period) {
  SDL_Event ev;
  for (;;) {
    while (SDL_PollEvent(&ev)) {}
    const double left_ms = deadline - now_ms();
    if (left_ms > 7.0) {
      SDL_Delay(static_cast<Uint32>(std::lround(left_ms - 3.0)));
      continue;
    }
    if (left_ms <= 1.0) break;
    const double nap_us = std::ceil((left_ms - 1.0) * 1000.0);
    std::this_thread::sleep_for(std::chrono::microseconds(static_cast<long>(std::min(500.0, nap_us))));
  }
  deadline += period;
  const double t = now_ms();
  if (deadline < t) deadline += period;
  if (deadline < t) deadline = t + period;
}

}  // namespace bench
