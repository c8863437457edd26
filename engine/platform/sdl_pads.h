// The "sdl" backend's game pads: SDL's GameController API, pads opened as they are plugged in (also those
// present at the start, which SDL announces the same way) and closed as they go.
#pragma once
#include <SDL2/SDL.h>
#include <vector>
#include "engine/platform/platform.h"

class SdlPads {
 public:
  ~SdlPads() { close_all(); }
  // Starts SDL's controller support once per process; without it there are simply no pads.
  void start();
  void close_all();
  // A controller event (device added or removed, button pressed); false for any other event. Presses
  // count only while `active` (the window has the focus), as keys do.
  bool handle(const SDL_Event& e, bool active);
  // The pads' state now, with the presses since the previous call.
  void read(PadState& out);
  void forget_presses();

 private:
  void open(int device_index);
  std::vector<SDL_GameController*> pads_;
  bool pressed_[PadButtons] = {};
};
