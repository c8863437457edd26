// The "sdl" backend: an SDL2 window with an OpenGL context, SDL events, keyboard and mouse, the
// performance counter as the clock.
#include <SDL2/SDL.h>
#include <algorithm>
#include <iterator>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <deque>
#include <string>
#include "engine/platform/event_queue.h"
#include "engine/platform/fine_sleep.h"
#include "engine/platform/keymap_chars.h"
#include "engine/platform/keymap_sdl.h"
#include "engine/platform/platform.h"
#include "engine/platform/platform_backends.h"
#include "engine/platform/sdl_gl_window.h"
#include "engine/platform/sdl_pads.h"
#include "engine/platform/system_info.h"
#include "engine/platform/view_fit.h"
#include "engine/platform/window_chords.h"
#include "engine/platform/x11_connection.h"

namespace {

// Appends the Latin-1 bytes of a UTF-8 text; characters beyond Latin-1 are dropped.
void utf8_to_latin1(const char* text, std::deque<PlatformEvent>& out) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  while (*p) {
    unsigned cp;
    int extra;
    if (*p < 0x80) {
      cp = *p;
      extra = 0;
    } else if ((*p & 0xE0) == 0xC0) {
      cp = *p & 0x1F;
      extra = 1;
    } else if ((*p & 0xF0) == 0xE0) {
      cp = *p & 0x0F;
      extra = 2;
    } else if ((*p & 0xF8) == 0xF0) {
      cp = *p & 0x07;
      extra = 3;
    } else {
      ++p;
      continue;
    }
    ++p;
    bool ok = true;
    for (int i = 0; i < extra; ++i, ++p) {
      if ((*p & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (*p & 0x3F);
    }
    if (ok && cp > 0 && cp < 256) event_queue_push(out, PlatformEvent::Char, static_cast<int>(cp));
  }
}

// A video driver whose windows nobody sees, unless it is asked for by name (SDL_VIDEODRIVER), as tests
// and tools ask for one.
bool shows_nothing(const char* driver) {
  if (!driver || (std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0)) return false;
  const char* named = SDL_getenv("SDL_VIDEODRIVER");
  if (!named) return true;
  // The setting may list drivers to try in turn, separated by commas.
  const size_t length = std::strlen(driver);
  for (const char* p = named; *p;) {
    const char* end = std::strchr(p, ',');
    const size_t n = end ? size_t(end - p) : std::strlen(p);
    if (n == length && SDL_strncasecmp(p, driver, n) == 0) return false;
    p += n + (end ? 1 : 0);
  }
  return true;
}

class SdlPlatform;
SdlPlatform* g_live = nullptr;  // the backend in use, for the handler of a lost display
void on_display_lost(const char* what);

class SdlPlatform final : public Platform {
 public:
  SdlPlatform() { g_live = this; }
  ~SdlPlatform() override {
    if (g_live == this) g_live = nullptr;
  }
  const char* name() const override { return "sdl"; }

  bool window_create(int w, int h, bool fullscreen, bool multisample) override {
    active_ = false;
    chords_.clear();
    forget_presses();
    rest_x_ = rest_y_ = 0;
    // Before video opens the display: a server that goes away while the window and its OpenGL context
    // are made ends the program as one that goes away later does.
    x11_watch_connection(on_display_lost);
    failure_.clear();
    if (!window_.create(w, h, fullscreen, multisample)) return false;
    if (shows_nothing(SDL_GetCurrentVideoDriver())) {
      // No display, and SDL fell back on a driver whose windows nobody sees: a player would wait for a
      // window that never comes while the game runs on unseen.
      window_.destroy();
      failure_ = std::string("no display: nothing shows a window here (SDL found only its \"") +
                 SDL_GetCurrentVideoDriver() + "\" video driver); set DISPLAY or WAYLAND_DISPLAY";
      std::fprintf(stderr, "%s\n", failure_.c_str());
      return false;
    }
    // Frame pacing sleeps to the millisecond while the window is open.
    if (!fine_sleep_) fine_sleep_begin();
    fine_sleep_ = true;
    x11_watch_connection(on_display_lost);
    pads_.start();
    return true;
  }
  std::string window_failure() const override { return failure_; }
  // The connection to the window system is gone: the window is forgotten, so that every call from now
  // on (the shut-down's among them) leaves the window system alone.
  void abandon_window() {
    window_.abandon();
    relative_ = false;
    active_ = false;
    pending_.clear();
  }
  void window_destroy() override {
    if (relative_ && window_.exists()) SDL_SetRelativeMouseMode(SDL_FALSE);
    relative_ = false;
    pads_.close_all();
    window_.destroy();
    pending_.clear();
    chords_.clear();
    forget_presses();
    if (fine_sleep_) fine_sleep_end();
    fine_sleep_ = false;
  }
  bool window_exists() const override { return window_.exists(); }
  void window_set_title(const char* title) override { window_.set_title(title); }
  void window_show(bool show) override {
    window_.show(show);
    // A window that is shown becomes the active one, a hidden one is not; focus events correct this if the
    // desktop disagrees.
    active_ = show;
  }
  void window_center() override { window_.center(); }
  void window_raise() override {
    window_.raise();
    active_ = true;
  }
  bool window_active() override { return window_.exists() && active_; }
  void window_client_size(int& w, int& h) override { window_.client_size(w, h); }
  void window_drawable_size(int& w, int& h) override { window_.drawable_size(w, h); }
  void window_allow_scaling() override { window_.allow_scaling(); }
  void gl_swap() override { window_.swap(); }
  bool gl_can_show_part() override { return window_.can_show_part(); }
  void gl_show_part(int x, int y, int w, int h) override { window_.show_part(x, y, w, h); }
  uint32_t window_repaints() override { return repaints_; }
  bool gl_alpha_bits() override { return window_.alpha_bits(); }
  void* gl_proc_address(const char* name) override {
    return window_.exists() && name ? SDL_GL_GetProcAddress(name) : nullptr;
  }

  bool event_poll(PlatformEvent& ev) override {
    while (pending_.empty()) {
      SDL_Event e;
      if (!window_.exists() || !SDL_PollEvent(&e)) return false;
      translate(e);
    }
    ev = pending_.front();
    pending_.pop_front();
    return true;
  }

  void keyboard_state(uint8_t keys[256]) override {
    for (int i = 0; i < 256; ++i) keys[i] = 0;
    if (!window_.exists()) return;
    // Every key event behind the state is read first (and queued for event_poll), so a key pressed
    // as part of Alt+Enter or F11 is known as such before the state shows it.
    SDL_Event e;
    while (SDL_PollEvent(&e)) translate(e);
    int n = 0;
    const Uint8* state = SDL_GetKeyboardState(&n);
    for (int sc = 1; sc < n; ++sc) {
      if (!state[sc]) continue;
      int code = keymap_from_sdl(sc);
      if (code) keys[code] = 0x80;
    }
    for (int code = 0; code < 256; ++code)
      if (key_pressed_[code]) keys[code] = 0x81;
    std::fill(std::begin(key_pressed_), std::end(key_pressed_), false);
    chords_.filter_state(keys);
  }

  void pad_state(PadState& pads) override {
    pads = PadState();
    if (!window_.exists()) return;
    SDL_Event e;
    while (SDL_PollEvent(&e)) translate(e);
    pads_.read(pads);
  }

  void mouse_read(MouseSample& s) override {
    s = MouseSample();
    if (!window_.exists()) return;
    // The game may wait for a button release in a loop that reads only the mouse. Every event behind
    // the state is read first (and queued for event_poll), so a press released again is not missed.
    SDL_Event e;
    while (SDL_PollEvent(&e)) translate(e);
    int wx = 0, wy = 0, dx = 0, dy = 0;
    Uint32 buttons = SDL_GetMouseState(&wx, &wy);
    SDL_GetRelativeMouseState(&dx, &dy);
    // Window positions and motion come back in the picture's pixels.
    const ViewFit view = window_.view();
    view_to_picture(view, wx, wy, s.x, s.y);
    view_motion_to_picture(view, dx, dy, rest_x_, rest_y_, s.dx, s.dy);
    s.buttons[0] = (buttons & SDL_BUTTON_LMASK) != 0;
    s.buttons[1] = (buttons & SDL_BUTTON_RMASK) != 0;
    s.buttons[2] = (buttons & SDL_BUTTON_MMASK) != 0;
    for (int b = 0; b < 3; ++b) {
      s.pressed[b] = button_pressed_[b];
      button_pressed_[b] = false;
    }
    s.wheel = wheel_;
    wheel_ = 0;
  }

  void mouse_set_relative(bool relative) override {
    if (!window_.exists() || relative == relative_) return;
#ifndef __EMSCRIPTEN__
    // A page keeps the pointer free: locking it would take Esc, which ends the game, to give it back.
    // Motion there is the difference of the pointer's positions, which keeps the game's pointer on it.
    SDL_SetRelativeMouseMode(relative ? SDL_TRUE : SDL_FALSE);
#endif
    relative_ = relative;
    int dx, dy;
    SDL_GetRelativeMouseState(&dx, &dy);  // forget motion from before the switch
    rest_x_ = rest_y_ = 0;
  }
  void pointer_show(bool show) override {
    if (window_.exists()) SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
  }
  void pointer_warp(int x, int y) override {
    if (!window_.exists()) return;
    int wx = x, wy = y;
    picture_to_view(window_.view(), x, y, wx, wy);
    SDL_WarpMouseInWindow(window_.window(), wx, wy);
  }
  int key_to_char(int code) override {
    int sc = keymap_to_sdl(code);
    if (sc == SDL_SCANCODE_UNKNOWN) return 0;
    bool shift = (SDL_GetModState() & KMOD_SHIFT) != 0;
    SDL_Keycode key = SDL_GetKeyFromScancode(static_cast<SDL_Scancode>(sc));
    if (key <= 0 || key >= 256) return keymap_us_char(code, shift);
    if (key >= 'a' && key <= 'z') {
      bool caps = (SDL_GetModState() & KMOD_CAPS) != 0;
      return (shift != caps) ? std::toupper(static_cast<int>(key)) : static_cast<int>(key);
    }
    // Other keys follow the US shift pairs where the layout agrees with them.
    if (shift && keymap_us_char(code, false) == key) return keymap_us_char(code, true);
    return static_cast<int>(key);
  }

  uint64_t counter() override { return SDL_GetPerformanceCounter(); }
  uint64_t counter_frequency() override { return SDL_GetPerformanceFrequency(); }
  uint32_t ticks_ms() override { return SDL_GetTicks(); }
  void sleep_ms(int ms) override {
    if (ms > 0) SDL_Delay(static_cast<Uint32>(ms));
  }
  void sleep_us(int us) override { fine_sleep_us(us); }

  std::string temp_dir() override { return platform_temp_dir(); }
  std::string program_path() override { return system_program_path(); }
  bool debugger_attached() override { return system_tracer_attached(); }
  void debug_output(const char* text) override { system_debug_output(text); }
  void message_box(const char* title, const char* text) override {
    std::fprintf(stderr, "%s: %s\n", title ? title : "", text ? text : "");
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, title ? title : "", text ? text : "", window_.window());
  }

 private:
  void push(PlatformEvent::Type type, int code = 0, bool down = false) {
    event_queue_push(pending_, type, code, down);
  }

  void translate(const SDL_Event& e) {
    if (pads_.handle(e, active_)) return;
    switch (e.type) {
      case SDL_QUIT: push(PlatformEvent::Close); break;
      case SDL_WINDOWEVENT:
        if (e.window.windowID != window_.window_id()) break;
        switch (e.window.event) {
          case SDL_WINDOWEVENT_EXPOSED:
          case SDL_WINDOWEVENT_SHOWN:
          case SDL_WINDOWEVENT_RESIZED:
          case SDL_WINDOWEVENT_SIZE_CHANGED:
          case SDL_WINDOWEVENT_RESTORED:
          case SDL_WINDOWEVENT_MAXIMIZED: ++repaints_; break;
          default: break;
        }
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
          active_ = true;
          push(PlatformEvent::Activate);
        } else if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
          active_ = false;
          forget_presses();
          push(PlatformEvent::Deactivate);
        } else if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
          push(PlatformEvent::Close);
        }
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP: {
        int code = keymap_from_sdl(e.key.keysym.scancode);
        // F11 and Alt+Enter belong to a window that can be scaled: they toggle full screen and go no
        // further. A window that keeps the picture's size passes them on like any other keys.
        const bool down = e.type == SDL_KEYDOWN, alt = (e.key.keysym.mod & KMOD_ALT) != 0;
        const WindowChords::Action action = window_.scaling_allowed()
                                                ? chords_.key_event(code, down, alt, e.key.repeat != 0)
                                                : WindowChords::Pass;
        switch (action) {
          case WindowChords::ToggleFullscreen:
            window_.toggle_fullscreen();
            ++repaints_;
            return;
          case WindowChords::Swallow: return;
          case WindowChords::Pass: break;
        }
        if (code)
          push(e.type == SDL_KEYDOWN ? PlatformEvent::KeyDown : PlatformEvent::KeyUp, code,
               e.type == SDL_KEYDOWN);
        if (code && down && !e.key.repeat) key_pressed_[code] = true;
        // Text input carries no control characters; the keys that type them give their character here.
        if (e.type == SDL_KEYDOWN) {
          if (code == 28 || code == 156) push(PlatformEvent::Char, 13);
          else if (code == 14) push(PlatformEvent::Char, 8);
          else if (code == 15) push(PlatformEvent::Char, 9);
        }
        break;
      }
      case SDL_TEXTINPUT: utf8_to_latin1(e.text.text, pending_); break;
      case SDL_MOUSEMOTION: push(PlatformEvent::MouseMove); break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: {
        int b = e.button.button == SDL_BUTTON_LEFT     ? 0
                : e.button.button == SDL_BUTTON_RIGHT  ? 1
                : e.button.button == SDL_BUTTON_MIDDLE ? 2
                                                       : -1;
        if (b >= 0) push(PlatformEvent::MouseButton, b, e.type == SDL_MOUSEBUTTONDOWN);
        if (b >= 0 && e.type == SDL_MOUSEBUTTONDOWN) button_pressed_[b] = true;
        break;
      }
      case SDL_MOUSEWHEEL: {
        int steps = e.wheel.y;
        if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) steps = -steps;
        if (steps) {
          wheel_ += steps;
          push(PlatformEvent::MouseWheel, steps);
        }
        break;
      }
      default: break;
    }
  }

  void forget_presses() {
    std::fill(std::begin(key_pressed_), std::end(key_pressed_), false);
    std::fill(std::begin(button_pressed_), std::end(button_pressed_), false);
    pads_.forget_presses();
  }

  SdlGlWindow window_;
  std::string failure_;  // why the last window_create failed, when it was for want of a display
  std::deque<PlatformEvent> pending_;
  // Presses since the last keyboard poll and the last mouse read.
  bool key_pressed_[256] = {};
  bool button_pressed_[3] = {};
  WindowChords chords_;
  SdlPads pads_;
  int64_t rest_x_ = 0, rest_y_ = 0;  // fractions of relative motion not yet handed out
  bool active_ = false;
  uint32_t repaints_ = 0;
  bool relative_ = false;
  bool fine_sleep_ = false;  // the system timer is held at 1 ms for the window
  int wheel_ = 0;
};

void on_display_lost(const char* what) {
  if (g_live) g_live->abandon_window();
  platform_display_lost(what);
}

}  // namespace

std::unique_ptr<Platform> make_sdl_platform() { return std::make_unique<SdlPlatform>(); }
