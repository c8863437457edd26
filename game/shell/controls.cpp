#include "game/shell/controls.h"

#include "engine/core/input.h"
#include "engine/platform/platform.h"
#include "game/shell/game_keys.h"

namespace {

constexpr int kControls = static_cast<int>(Control::count);

// What makes each control: up to two keys and a pad button, or a direction of the left stick.
struct Source {
  int key, other_key;  // 0: none
  int pad_button;      // -1: none
  int axis, sign;      // the stick's axis and which way; sign 0: none
};
constexpr Source kSources[kControls] = {{kKeyUp, 0, PadDpUp, PadLeftY, -1},
                                        {kKeyDown, 0, PadDpDown, PadLeftY, +1},
                                        {kKeyLeft, 0, PadDpLeft, PadLeftX, -1},
                                        {kKeyRight, 0, PadDpRight, PadLeftX, +1},
                                        {kKeyTab, 0, -1, 0, 0},
                                        {kKeyTab, 0, -1, 0, 0},
                                        {kKeyEnter, kKeyPadEnter, PadA, 0, 0},
                                        {kKeySpace, 0, -1, 0, 0},
                                        {0, 0, PadStart, 0, 0}};

bool pressed[kControls] = {};  // newly pressed before the reading
bool stick_held[kControls] = {};
unsigned read_serial = 0;  // the keyboard poll the reading was taken after

bool shift() { return inp_key_down(kKeyLeftShift) || inp_key_down(kKeyRightShift); }

bool stick(const Source& s) { return s.sign != 0 && s.sign * inp_pad_axis(s.axis) > kStickDeadZone; }

// Tab and Shift+Tab share their key: Shift tells them apart.
bool shift_matches(Control c) {
  if (c == Control::next) return !shift();
  if (c == Control::previous) return shift();
  return true;
}

}  // namespace

bool control_down(Control c) {
  const Source& s = kSources[static_cast<int>(c)];
  const bool key = (s.key && inp_key_down(s.key)) || (s.other_key && inp_key_down(s.other_key));
  return shift_matches(c) && (key || (s.pad_button >= 0 && inp_pad_down(s.pad_button)) || stick(s));
}

void controls_update() {
  // Each press counts once: a second reading after the same poll finds nothing new.
  const bool fresh = inp_poll_serial() != read_serial;
  read_serial = inp_poll_serial();
  for (int i = 0; i < kControls; ++i) {
    const Source& s = kSources[i];
    const bool held = stick(s);
    const bool key = (s.key && inp_key_pressed(s.key)) || (s.other_key && inp_key_pressed(s.other_key));
    const bool pad = s.pad_button >= 0 && inp_pad_pressed(s.pad_button);
    pressed[i] = fresh && shift_matches(static_cast<Control>(i)) && (key || pad || (held && !stick_held[i]));
    stick_held[i] = held;
  }
}

bool control_pressed(Control c) { return pressed[static_cast<int>(c)]; }

bool any_control_pressed() {
  for (bool p : pressed)
    if (p) return true;
  return false;
}
