// The runtime side of the drawing benchmarks: an 800 x 600 window on the sdl backend with the renderer
// set up as at start-up, and its release.
#pragma once
#include <cstdio>

#include "engine/core/timer.h"
#include "engine/media/renderer.h"
#include "engine/platform/platform.h"

namespace bench {

inline bool open_runtime_window() {
  if (!platform_select("sdl") || !platform().window_create(800, 600, false, false)) {
    std::fprintf(stderr, "no window\n");
    return false;
  }
  timer_init();
  renderer_create();
  renderer_gl_init();
  renderer_frame_setup();
  return true;
}

inline void close_runtime_window() {
  renderer_destroy();
  platform().window_destroy();
}

}  // namespace bench
