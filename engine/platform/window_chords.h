// The keys that belong to the window rather than to the game: F11 and Alt+Enter toggle full screen.
// A key pressed as part of such a chord is hidden from the game until it is released, in the event
// stream and in the polled keyboard state alike, so Alt+Enter never reaches the game as its confirm key.
// Key codes are the runtime's scan-code numbering. Plain logic, no SDL.
#pragma once
#include <cstdint>

class WindowChords {
 public:
  enum Action { Pass, Swallow, ToggleFullscreen };

  // A key event: what to do with it. `alt` is whether an Alt key is held; `repeat` marks a key's
  // automatic repeat, which never toggles again.
  Action key_event(int code, bool down, bool alt, bool repeat);

  // Hides the chord keys in a polled keyboard state (bit 7 = down). The caller reads every pending key
  // event before it polls, so the state shows no key whose event has not been seen. A hidden key the
  // state shows released is the game's again.
  void filter_state(uint8_t keys[256]);

  bool hidden(int code) const { return code >= 0 && code < 256 && hidden_[code]; }
  void clear();  // forget every hidden key (window gone or focus lost)

  static bool is_enter(int code) { return code == kEnter || code == kPadEnter; }
  static constexpr int kEnter = 28;
  static constexpr int kPadEnter = 156;
  static constexpr int kF11 = 87;

 private:
  bool hidden_[256] = {};
};
