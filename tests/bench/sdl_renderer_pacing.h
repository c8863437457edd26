// Frame pacing for the SDL_Renderer comparison programs, as the runtime paces its frames: sleep while
// more than 7 ms remain (waking 3 ms early), then pump events between naps of at most 0.5 ms until 1 ms
// is left, then the next deadline one period on, re-based after a stall.
#pragma once
#include <SDL2/SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace bench {

inline double now_ms() {
  return static_cast<double>(SDL_GetPerformanceCounter()) * 1000.0 /
         static_cast<double>(SDL_GetPerformanceFrequency());
}

inline void pace_frame(double& deadline, double period) {
  SDL_Event ev;
  for (;;) {
    while (SDL_PollEvent(&ev)) {
    }
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
