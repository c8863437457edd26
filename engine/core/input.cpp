// Keyboard and mouse as polled state, the pointer's visibility and the typed-character buffer.
#include "engine/core/input.h"
#include <algorithm>
#include <iterator>
#include <vector>
#include "engine/platform/platform.h"

namespace {

constexpr unsigned kPollEvery = 128;  // key queries between two keyboard polls
constexpr size_t kMaxWaitingChars = 16;
constexpr size_t kTextInitial = 512;
constexpr int kMiceAllocated = 4;

struct MouseRec {
  int x = 0, y = 0;
  int last_x = 100, last_y = 100;
  int wheel = 0;
  // Buttons pressed since the last reading with reset: a tap between two of the game's readings
  // (when frame_show read the mouse in between) still reads as down once.
  bool pressed[3] = {false, false, false};
};

struct InputState {
  std::vector<char> text_buf;
  std::vector<MouseRec> mice;
  int current_mouse = 0;
  bool devices_open = false;
  uint8_t key_state[256] = {};
  PadState pads;
  bool pointer_visible = true;

  InputState() {
    text_buf.reserve(kTextInitial);
    mice.reserve(kMiceAllocated);
    mice.emplace_back();
  }
};

InputState g_input;
int g_screen_width = 0;
int g_screen_height = 0;
unsigned key_poll_count = 0;
unsigned poll_serial = 0;

// The screen size the pointer is kept inside (both ends included).
void screen_size(int& w, int& h) {
  w = g_screen_width;
  h = g_screen_height;
  if (w <= 0 || h <= 0) platform().window_client_size(w, h);
}

}  // namespace

void inp_create() {
  g_input = InputState();
  key_poll_count = 0;
}

void inp_set_screen_size(int width, int height) {
  g_screen_width = width;
  g_screen_height = height;
}

void inp_open_devices() { g_input.devices_open = true; }

void inp_destroy() {
  Platform& p = platform();
  p.mouse_set_relative(false);
  p.pointer_show(true);
  g_input = InputState();
}

void inp_apply_mouse_mode(int hide_mouse) { inp_mouse_show(hide_mouse ? 0.0 : 1.0); }

void inp_poll_keyboard() {
  ++poll_serial;
  Platform& p = platform();
  if (!p.window_active()) {
    // Keys held when the window lost activation are released somewhere we don't see: read them as up.
    std::fill(std::begin(g_input.key_state), std::end(g_input.key_state), uint8_t{0});
    g_input.pads = PadState();
    return;
  }
  p.keyboard_state(g_input.key_state);
  p.pad_state(g_input.pads);
}

void inp_reset_poll_count() { key_poll_count = 0; }

int inp_key_down(int code) {
  if (++key_poll_count > kPollEvery) {
    key_poll_count = 0;
    inp_poll_keyboard();
  }
  if (code < 0 || code > 255) return 0;
  return (g_input.key_state[code] & 0x80) ? 1 : 0;
}

int inp_key_pressed(int code) { return code >= 0 && code <= 255 && (g_input.key_state[code] & 0x01) ? 1 : 0; }

unsigned inp_poll_serial() { return poll_serial; }

int inp_pad_pressed(int button) {
  return button >= 0 && button < PadButtons && g_input.pads.pressed[button] ? 1 : 0;
}

int inp_pad_down(int button) {
  return button >= 0 && button < PadButtons && g_input.pads.buttons[button] ? 1 : 0;
}

int inp_pad_axis(int axis) { return axis >= 0 && axis < PadAxes ? g_input.pads.axes[axis] : 0; }

void inp_read_mouse(int16_t out[6], bool reset) {
  MouseRec& m = g_input.mice[static_cast<size_t>(g_input.current_mouse)];
  MouseSample s;
  platform().mouse_read(s);
  int step = s.wheel > 0 ? 1 : s.wheel < 0 ? -1 : 0;
  if (g_input.pointer_visible) {
    m.x = s.x;
    m.y = s.y;
  } else {
    m.x += s.dx;
    m.y += s.dy;
  }
  // Buttons of an inactive window read as released, like its keys.
  const bool active = platform().window_active();
  for (int b = 0; b < 3; ++b) {
    m.pressed[b] = active && (m.pressed[b] || s.pressed[b]);
    out[b] = active && (s.buttons[b] || m.pressed[b]) ? 1 : 0;
  }
  out[3] = static_cast<int16_t>(m.x - m.last_x);
  out[4] = static_cast<int16_t>(m.y - m.last_y);
  out[5] = static_cast<int16_t>(m.wheel + step);
  if (reset) {
    m.last_x = m.x;
    m.last_y = m.y;
    m.wheel = 0;
    m.pressed[0] = m.pressed[1] = m.pressed[2] = false;
  } else {
    m.wheel += step;
  }
}

void inp_read_all_mice() {
  int16_t out[6];
  inp_read_mouse(out, false);
}

void inp_mouse_state(double* x, double* y, double* b1, double* b2) {
  int16_t out[6];
  inp_read_mouse(out, true);
  MouseRec& m = g_input.mice[static_cast<size_t>(g_input.current_mouse)];
  int w, h;
  screen_size(w, h);
  int cx = std::clamp(m.last_x, 0, std::max(w, 0));
  int cy = std::clamp(m.last_y, 0, std::max(h, 0));
  // The kept position stays on the screen, so a hidden pointer never travels beyond an edge.
  m.last_x = m.x = cx;
  m.last_y = m.y = cy;
  if (x) *x = cx;
  if (y) *y = cy;
  if (b1) *b1 = out[0];
  if (b2) *b2 = out[1];
}

void inp_mouse_show(double show) {
  Platform& p = platform();
  MouseRec& m = g_input.mice[static_cast<size_t>(g_input.current_mouse)];
  if (show == 0.0) {
    p.mouse_set_relative(true);
    p.pointer_show(false);
    g_input.pointer_visible = false;
    return;
  }
  bool was_hidden = !g_input.pointer_visible;
  p.mouse_set_relative(false);
  if (was_hidden) p.pointer_warp(m.x, m.y);
  p.pointer_show(true);
  g_input.pointer_visible = true;
}

void inp_char_typed(signed char c) {
  unsigned char u = static_cast<unsigned char>(c);
  if (u == 0) return;
  if (u == 13) u = 10;
  if (u < 32 && u != 8 && u != 9 && u != 10) return;
  if (g_input.text_buf.size() >= kMaxWaitingChars) return;
  g_input.text_buf.push_back(static_cast<char>(u));
}

int inp_chars_waiting() { return static_cast<int>(g_input.text_buf.size()); }

int inp_take_char() {
  if (g_input.text_buf.empty()) return 0;
  unsigned char c = static_cast<unsigned char>(g_input.text_buf.front());
  g_input.text_buf.erase(g_input.text_buf.begin());
  return c;
}

int inp_key_to_char(int code) {
  switch (code) {
    case 28:
    case 156: return 10;
    case 14: return 8;
    case 29:
    case 42:
    case 54:
    case 56:
    case 58:
    case 69:
    case 221: return 0;
    default: break;
  }
  int c = platform().key_to_char(code);
  if (c >= 1 && c <= 31 && c != 8 && c != 10) return 0;
  return c;
}
