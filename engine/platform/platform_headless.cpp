// The "headless" backend: real OpenGL through SDL's offscreen video driver (a window that is never
// shown, on Windows), a virtual clock and input from a script (see headless.h).
#include <SDL2/SDL.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <utility>
#include "engine/platform/event_queue.h"
#include "engine/platform/headless.h"
#include "engine/platform/headless_state.h"
#include "engine/platform/keymap_chars.h"
#include "engine/platform/platform.h"
#include "engine/platform/platform_backends.h"
#include "engine/platform/sdl_gl_window.h"
#include "engine/platform/system_info.h"

namespace {

constexpr int64_t kReadStepNs = 10000;  // 0.01 ms per clock reading
constexpr int64_t kPollStepNs = 10000;  // 0.01 ms per device poll

std::deque<PlatformEvent> g_pending;
std::function<void()> g_poll_hook;
std::function<void()> g_swap_hook;
std::string g_program_path;

// Runs a hook unless it is already running.
void run_hook(const std::function<void()>& hook) {
  static bool running = false;
  if (!hook || running) return;
  running = true;
  hook();
  running = false;
}

void push(PlatformEvent::Type type, int code = 0, bool down = false) {
  event_queue_push(g_pending, type, code, down);
}

// Applies one due script event to the device state and queues its window event.
void apply(const HeadlessEvent& ev) {
  HeadlessState& s = headless_state();
  switch (ev.kind) {
    case HeadlessEvent::KeyDown:
    case HeadlessEvent::KeyUp: {
      if (ev.a < 0 || ev.a > 255) break;
      bool down = ev.kind == HeadlessEvent::KeyDown;
      s.keys[ev.a] = down ? 0x80 : 0;
      if (down) s.key_pressed[ev.a] = true;
      push(down ? PlatformEvent::KeyDown : PlatformEvent::KeyUp, ev.a, down);
      break;
    }
    case HeadlessEvent::Mouse:
      s.mouse_dx += ev.a - s.mouse_x;
      s.mouse_dy += ev.b - s.mouse_y;
      s.mouse_x = ev.a;
      s.mouse_y = ev.b;
      push(PlatformEvent::MouseMove);
      break;
    case HeadlessEvent::MouseRel:
      s.mouse_dx += ev.a;
      s.mouse_dy += ev.b;
      s.mouse_x += ev.a;
      s.mouse_y += ev.b;
      push(PlatformEvent::MouseMove);
      break;
    case HeadlessEvent::ButtonDown:
    case HeadlessEvent::ButtonUp:
      if (ev.a < 0 || ev.a > 2) break;
      s.buttons[ev.a] = ev.kind == HeadlessEvent::ButtonDown;
      if (s.buttons[ev.a]) s.button_pressed[ev.a] = true;
      push(PlatformEvent::MouseButton, ev.a, s.buttons[ev.a]);
      break;
    case HeadlessEvent::Wheel:
      s.wheel += ev.a;
      push(PlatformEvent::MouseWheel, ev.a);
      break;
    case HeadlessEvent::Char: push(PlatformEvent::Char, ev.a & 0xFF); break;
    case HeadlessEvent::PadDown:
    case HeadlessEvent::PadUp:
      if (ev.a < 0 || ev.a >= PadButtons) break;
      s.pad.connected = 1;
      s.pad.buttons[ev.a] = ev.kind == HeadlessEvent::PadDown;
      if (s.pad.buttons[ev.a] && s.active) s.pad_pressed[ev.a] = true;
      break;
    case HeadlessEvent::PadMove:
      if (ev.a < 0 || ev.a >= PadAxes) break;
      s.pad.connected = 1;
      s.pad.axes[ev.a] = ev.b;
      break;
    case HeadlessEvent::FocusLost:
      s.active = false;
      std::fill(std::begin(s.key_pressed), std::end(s.key_pressed), false);
      std::fill(std::begin(s.button_pressed), std::end(s.button_pressed), false);
      std::fill(std::begin(s.pad_pressed), std::end(s.pad_pressed), false);
      push(PlatformEvent::Deactivate);
      break;
    case HeadlessEvent::FocusGained:
      s.active = true;
      push(PlatformEvent::Activate);
      break;
    case HeadlessEvent::Close: push(PlatformEvent::Close); break;
  }
}

// One device poll: the clock moves on a little and every due script event takes effect.
void pump() {
  HeadlessState& s = headless_state();
  s.now_ns += kPollStepNs;
  run_hook(g_poll_hook);
  auto& script = s.script;
  for (size_t i = 0; i < script.size();) {
    const HeadlessScriptEntry& e = script[i];
    bool due = e.by_frame ? s.frames >= e.frame : s.now_ns >= e.time_ns;
    if (!due) {
      ++i;
      continue;
    }
    HeadlessEvent ev = e.event;
    script.erase(script.begin() + static_cast<long>(i));
    apply(ev);
  }
}

class HeadlessPlatform final : public Platform {
 public:
  HeadlessPlatform() {
    static bool script_loaded = false;
    std::string path;
    if (!script_loaded && system_env("BRAKKA_SCRIPT", path) && !path.empty()) {
      script_loaded = true;
      if (headless_load_script(path.c_str()) < 0)
        std::fprintf(stderr, "script %s can't be read\n", path.c_str());
    }
  }
  const char* name() const override { return "headless"; }

  bool window_create(int w, int h, bool fullscreen, bool multisample) override {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, SdlGlWindow::kWindowlessDriver);
    // A test may ask for a window of another size than the picture, to see the picture scaled: the
    // surface is made large enough for both.
    const HeadlessState& s = headless_state();
    const int pw = w > 0 ? w : 640, ph = h > 0 ? h : 480;
    const int sw = std::max(pw, s.window_w), sh = std::max(ph, s.window_h);
    if (!window_.create(sw, sh, fullscreen, multisample)) return false;
    window_.set_picture_size(pw, ph);
    surface_w_ = sw;
    surface_h_ = sh;
    headless_state().shown = false;
    return true;
  }
  void window_destroy() override {
    window_.destroy();
    headless_state().shown = false;
  }
  bool window_exists() const override { return window_.exists(); }
  void window_set_title(const char* title) override {
    headless_state().title = title ? title : "";
    window_.set_title(title);
  }
  void window_show(bool show) override { headless_state().shown = show && window_.exists(); }
  void window_center() override {}
  void window_raise() override { headless_state().shown = window_.exists(); }
  bool window_active() override { return headless_state().active; }
  void window_client_size(int& w, int& h) override { window_.client_size(w, h); }
  void window_drawable_size(int& w, int& h) override {
    w = h = 0;
    if (!window_.exists()) return;
    const HeadlessState& s = headless_state();
    if (s.window_w > 0 && s.window_h > 0) {
      w = std::min(s.window_w, surface_w_);
      h = std::min(s.window_h, surface_h_);
    } else {
      window_.client_size(w, h);
    }
  }
  void window_allow_scaling() override {}  // no desktop: the window keeps its size
  void gl_swap() override {
    run_hook(g_swap_hook);
    window_.swap();
    ++headless_state().frames;
  }
  bool gl_alpha_bits() override { return window_.alpha_bits(); }
  void* gl_proc_address(const char* name) override {
    return window_.exists() && name ? SDL_GL_GetProcAddress(name) : nullptr;
  }

  bool event_poll(PlatformEvent& ev) override {
    if (g_pending.empty()) {
      drain_sdl();
      pump();
    }
    if (g_pending.empty()) return false;
    ev = g_pending.front();
    g_pending.pop_front();
    return true;
  }

  void keyboard_state(uint8_t keys[256]) override {
    pump();
    HeadlessState& s = headless_state();
    for (int i = 0; i < 256; ++i) {
      keys[i] = s.key_pressed[i] ? 0x81 : s.keys[i];
      s.key_pressed[i] = false;
    }
  }

  void pad_state(PadState& pads) override {
    pump();
    HeadlessState& s = headless_state();
    pads = s.pad;
    for (int b = 0; b < PadButtons; ++b) {
      pads.pressed[b] = s.pad_pressed[b];
      pads.buttons[b] = pads.buttons[b] || s.pad_pressed[b];
      s.pad_pressed[b] = false;
    }
  }

  void mouse_read(MouseSample& out) override {
    pump();
    HeadlessState& s = headless_state();
    out.x = s.mouse_x;
    out.y = s.mouse_y;
    out.dx = s.mouse_dx;
    out.dy = s.mouse_dy;
    out.wheel = s.wheel;
    for (int i = 0; i < 3; ++i) {
      out.buttons[i] = s.buttons[i];
      out.pressed[i] = s.button_pressed[i];
      s.button_pressed[i] = false;
    }
    s.mouse_dx = s.mouse_dy = s.wheel = 0;
  }

  void mouse_set_relative(bool relative) override {
    HeadlessState& s = headless_state();
    s.relative = relative;
    s.mouse_dx = s.mouse_dy = 0;
  }
  void pointer_show(bool show) override { headless_state().pointer_visible = show; }
  void pointer_warp(int x, int y) override {
    headless_state().mouse_x = x;
    headless_state().mouse_y = y;
  }
  int key_to_char(int code) override {
    const uint8_t* k = headless_state().keys;
    return keymap_us_char(code, (k[42] | k[54]) & 0x80);
  }

  uint64_t counter() override {
    HeadlessState& s = headless_state();
    s.now_ns += kReadStepNs;
    return static_cast<uint64_t>(s.now_ns);
  }
  uint64_t counter_frequency() override { return 1000000000ull; }
  uint32_t ticks_ms() override {
    HeadlessState& s = headless_state();
    s.now_ns += kReadStepNs;
    return static_cast<uint32_t>(s.now_ns / 1000000);
  }
  void sleep_ms(int ms) override {
    if (ms <= 0) return;
    headless_state().now_ns += int64_t(ms) * 1000000;
    headless_state().slept_ns += int64_t(ms) * 1000000;
  }
  void sleep_us(int us) override {
    if (us <= 0) return;
    HeadlessState& s = headless_state();
    s.now_ns += int64_t(us) * 1000;
    s.short_slept_ns += int64_t(us) * 1000;
    ++s.short_sleeps;
  }

  std::string temp_dir() override { return platform_temp_dir(); }
  std::string program_path() override {
    return g_program_path.empty() ? system_program_path() : g_program_path;
  }
  bool debugger_attached() override { return headless_state().debugger; }
  void debug_output(const char* text) override { headless_state().debug_text += text ? text : ""; }
  void message_box(const char* title, const char* text) override {
    HeadlessState& s = headless_state();
    ++s.boxes;
    s.box_title = title ? title : "";
    s.box_text = text ? text : "";
  }

 private:
  // The offscreen driver has no input; only SDL's quit request is passed on, as a close.
  void drain_sdl() {
    if (!window_.exists()) return;
    SDL_Event e;
    while (SDL_PollEvent(&e))
      if (e.type == SDL_QUIT) push(PlatformEvent::Close);
  }

  SdlGlWindow window_;
  int surface_w_ = 0, surface_h_ = 0;  // the offscreen surface, which can't grow once made
};

}  // namespace

HeadlessState& headless_state() {
  static HeadlessState state;
  return state;
}

void headless_reset() {
  headless_state() = HeadlessState();
  g_pending.clear();
}

void headless_set_poll_hook(std::function<void()> hook) { g_poll_hook = std::move(hook); }
void headless_set_swap_hook(std::function<void()> hook) { g_swap_hook = std::move(hook); }

void headless_set_program_path(const std::string& path) { g_program_path = path; }

double headless_time_ms() { return double(headless_state().now_ns) / 1e6; }
double headless_slept_ms() { return double(headless_state().slept_ns) / 1e6; }
double headless_short_slept_ms() { return double(headless_state().short_slept_ns) / 1e6; }
uint64_t headless_short_sleeps() { return headless_state().short_sleeps; }
void headless_set_window_size(int w, int h) {
  headless_state().window_w = w;
  headless_state().window_h = h;
}
void headless_advance_ms(double ms) {
  if (ms > 0) headless_state().now_ns += static_cast<int64_t>(std::llround(ms * 1e6));
}
uint64_t headless_frames() { return headless_state().frames; }
int headless_message_box_count() { return headless_state().boxes; }
std::string headless_last_box_title() { return headless_state().box_title; }
std::string headless_last_box_text() { return headless_state().box_text; }
void headless_set_debugger_attached(bool attached) { headless_state().debugger = attached; }
std::string headless_debug_text() { return headless_state().debug_text; }
bool headless_pointer_visible() { return headless_state().pointer_visible; }
bool headless_mouse_relative() { return headless_state().relative; }
void headless_mouse_position(int& x, int& y) {
  x = headless_state().mouse_x;
  y = headless_state().mouse_y;
}
std::string headless_window_title() { return headless_state().title; }
bool headless_window_shown() { return headless_state().shown; }

std::unique_ptr<Platform> make_headless_platform() { return std::make_unique<HeadlessPlatform>(); }
