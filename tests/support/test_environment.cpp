// Every test binary runs headless unless the caller says otherwise: offscreen OpenGL, a dummy audio
// driver and the headless platform backend. Set before main so that the first platform() call sees it.
// Windows has no offscreen video driver: SDL's own window driver is left to draw (the headless
// backend's window is never shown).
#include "portable.h"

namespace {
struct HeadlessDefaults {
  HeadlessDefaults() {
    for (const auto& [name, value] : {std::pair{"SDL_VIDEODRIVER", "offscreen"},
                                      {"SDL_AUDIODRIVER", "dummy"},
                                      {"BRAKKA_PLATFORM", "headless"}})
      if (!portable::get_env(name) && !(portable::kWindows && name == std::string("SDL_VIDEODRIVER")))
        portable::set_env(name, value);
  }
} headless_defaults;
}  // namespace

// Libraries stay mapped until the test process ends. The OpenGL driver is loaded and unloaded by SDL
// and the GL dispatch libraries; once unmapped, the leak checker can no longer name the allocations the
// driver keeps for the life of the process, so its suppressions (tests/lsan.supp) would not apply.
extern "C" int dlclose(void*) { return 0; }
