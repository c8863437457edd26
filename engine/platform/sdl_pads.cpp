#include "engine/platform/sdl_pads.h"
#include <algorithm>
#include <cstdlib>
#include <iterator>

void SdlPads::start() {
  if (!SDL_WasInit(SDL_INIT_GAMECONTROLLER)) {
    // Pad events also reach a window without the focus: the input service reads nothing of an inactive
    // window anyway, and a pad is known as soon as it is plugged in.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return;
  }
  // The pads already there (SDL announces them as added too the first time; open() takes each once).
  for (int i = 0; i < SDL_NumJoysticks(); ++i)
    if (SDL_IsGameController(i)) open(i);
}

void SdlPads::open(int device_index) {
  SDL_GameController* pad = SDL_GameControllerOpen(device_index);
  if (!pad) return;
  // Opening a pad that is open already gives the same handle with a second reference, given back here.
  if (std::find(pads_.begin(), pads_.end(), pad) != pads_.end()) SDL_GameControllerClose(pad);
  else pads_.push_back(pad);
}

void SdlPads::close_all() {
  for (SDL_GameController* pad : pads_) SDL_GameControllerClose(pad);
  pads_.clear();
  forget_presses();
}

bool SdlPads::handle(const SDL_Event& e, bool active) {
  switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED: open(e.cdevice.which); return true;
    case SDL_CONTROLLERDEVICEREMOVED: {
      SDL_GameController* pad = SDL_GameControllerFromInstanceID(e.cdevice.which);
      auto it = std::find(pads_.begin(), pads_.end(), pad);
      if (pad && it != pads_.end()) {
        SDL_GameControllerClose(pad);
        pads_.erase(it);
      }
      return true;
    }
    case SDL_CONTROLLERBUTTONDOWN:
      if (active && e.cbutton.button < PadButtons) pressed_[e.cbutton.button] = true;
      return true;
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERAXISMOTION: return true;
    default: return false;
  }
}

void SdlPads::read(PadState& out) {
  out = PadState();
  out.connected = static_cast<int>(pads_.size());
  for (SDL_GameController* pad : pads_) {
    for (int b = 0; b < PadButtons; ++b)
      if (SDL_GameControllerGetButton(pad, static_cast<SDL_GameControllerButton>(b))) out.buttons[b] = true;
    for (int a = 0; a < PadAxes; ++a) {
      const int v = SDL_GameControllerGetAxis(pad, static_cast<SDL_GameControllerAxis>(a));
      if (std::abs(v) > std::abs(out.axes[a])) out.axes[a] = v;
    }
  }
  for (int b = 0; b < PadButtons; ++b) {
    out.pressed[b] = pressed_[b];
    out.buttons[b] = out.buttons[b] || pressed_[b];
  }
  forget_presses();
}

void SdlPads::forget_presses() { std::fill(std::begin(pressed_), std::end(pressed_), false); }
