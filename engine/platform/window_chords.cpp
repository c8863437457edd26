#include "engine/platform/window_chords.h"

WindowChords::Action WindowChords::key_event(int code, bool down, bool alt, bool repeat) {
  if (code < 0 || code > 255) return Pass;
  if (!down) {
    if (!hidden_[code]) return Pass;
    hidden_[code] = false;  // the chord key is released: the game may see it again
    return Swallow;
  }
  const bool chord = code == kF11 || (is_enter(code) && alt);
  if (chord && !repeat) {
    hidden_[code] = true;
    return ToggleFullscreen;
  }
  // A repeat of a chord key, or a chord key still held after Alt went up.
  if (hidden_[code] || chord) {
    hidden_[code] = true;
    return Swallow;
  }
  return Pass;
}

void WindowChords::filter_state(uint8_t keys[256]) {
  for (int code = 0; code < 256; ++code) {
    if (!hidden_[code]) continue;
    if (keys[code] & 0x80) {
      keys[code] = 0;
    } else {
      hidden_[code] = false;  // released before its event was read
    }
  }
}

void WindowChords::clear() {
  for (bool& h : hidden_) h = false;
}
