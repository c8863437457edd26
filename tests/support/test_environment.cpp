// Every test binary runs headless unless the caller says otherwise: offscreen OpenGL, a dummy audio
// driver and the headless platform backend. Set before main so that the first platform() call sees it.
#include <cstdlib>

namespace {
struct HeadlessDefaults {
  HeadlessDefaults() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("BRAKKA_PLATFORM", "headless", 0);
  }
} headless_defaults;
}  // namespace
