// The seam between the runtime and the operating system. Two backends: "sdl" (default) and "headless"
// (virtual clock, scripted input, offscreen OpenGL). Nothing above this folder includes SDL.
#pragma once
#include <cstdint>
#include <string>

struct PlatformEvent {
  enum Type {
    None,
    Activate,    // the window became the active window
    Deactivate,  // the window lost activation
    Close,       // the user asked to close the window
    KeyDown,     // code = scan code in the runtime's numbering (extended keys + 0x80)
    KeyUp,
    Char,  // code = typed character as a Latin-1 byte
    MouseMove,
    MouseButton,  // code = button 0 left, 1 right, 2 middle; down = pressed
    MouseWheel,   // code = steps, positive up
  };
  Type type = None;
  int code = 0;
  bool down = false;
};

// Game pads in the standard controller layout (SDL's GameController numbering): buttons and axes.
enum PadButton {
  PadA,
  PadB,
  PadX,
  PadY,
  PadBack,
  PadGuide,
  PadStart,
  PadLeftStick,
  PadRightStick,
  PadLeftShoulder,
  PadRightShoulder,
  PadDpUp,
  PadDpDown,
  PadDpLeft,
  PadDpRight,
  PadButtons
};
enum PadAxis { PadLeftX, PadLeftY, PadRightX, PadRightY, PadLeftTrigger, PadRightTrigger, PadAxes };

// Every pad plugged in, read together: a button is down when it is down on any pad, an axis is the
// furthest deflection any pad shows (-32768..32767; y grows downwards, triggers 0..32767).
struct PadState {
  int connected = 0;  // pads plugged in
  // Down now, or pressed at some moment since the previous reading (a tap between two reads).
  bool buttons[PadButtons] = {};
  // Pressed since the previous reading (a new press, whether the button is still down or not).
  bool pressed[PadButtons] = {};
  int axes[PadAxes] = {};
};

struct MouseSample {
  int x = 0, y = 0;    // pointer position in picture coordinates (see window_client_size)
  int dx = 0, dy = 0;  // relative motion since the last sample, in picture pixels
  int wheel = 0;       // wheel steps since the last sample
  bool buttons[3] = {false, false, false};  // left, right, middle: down now
  // Pressed at some moment since the previous sample, also when released again before it (a quick
  // tap between two reads, as touchpads send them).
  bool pressed[3] = {false, false, false};
};

class Platform {
 public:
  virtual ~Platform() = default;
  virtual const char* name() const = 0;

  // Window and OpenGL context (compatibility profile, double-buffered, 24-bit depth, 8-bit stencil).
  //
  // The picture: the runtime draws a picture of the client size asked at creation (0 = a default) and
  // always sees that size (window_client_size); pointer positions are given in its pixels. The window
  // shows it 1:1 until window_allow_scaling, which the runtime calls when it can draw its picture
  // off-screen and copy it into the window before each swap; from then on the window may be any size
  // (window_drawable_size) and shows the picture scaled with its aspect kept (view_fit.h).
  virtual bool window_create(int client_w, int client_h, bool fullscreen, bool multisample) = 0;
  // Why the last window_create failed when it says more than that no window could be made (there is no
  // display to show one on, say); "" otherwise.
  virtual std::string window_failure() const { return std::string(); }
  virtual void window_destroy() = 0;
  virtual bool window_exists() const = 0;
  virtual void window_set_title(const char* title) = 0;
  virtual void window_show(bool show) = 0;
  virtual void window_center() = 0;  // centre in the work area, bring to the top
  virtual void window_raise() = 0;   // show, raise and make active
  virtual bool window_active() = 0;
  virtual void window_client_size(int& w, int& h) = 0;    // the picture's size
  virtual void window_drawable_size(int& w, int& h) = 0;  // the window's pixels for OpenGL
  // The picture may be scaled: the window takes the largest whole scale of the picture that fits the
  // desktop's usable area with its decorations, becomes resizable, and F11 or Alt+Enter toggle desktop
  // full screen (those keys then never reach the runtime as key presses). A backend without a desktop
  // keeps the window as it is.
  virtual void window_allow_scaling() = 0;
  virtual void gl_swap() = 0;
  // Shows a rectangle of the back buffer in the window (window pixels, GL's rows from the bottom)
  // without a swap, leaving the back buffer as it was: a window that is only ever shown this way keeps
  // its back buffer from frame to frame, and a frame that changed a few boxes shows only those.
  // gl_can_show_part says whether the window's driver can (false: the window only swaps).
  virtual bool gl_can_show_part() { return false; }
  virtual void gl_show_part(int, int, int, int) {}
  // Counts the times the window's picture was lost or must be shown again (exposed, shown, resized,
  // restored, switched to or from full screen): a change since the last present asks for a present
  // even of an unchanged frame.
  virtual uint32_t window_repaints() { return 0; }
  virtual bool gl_alpha_bits() = 0;                     // frame buffer has its own alpha
  virtual void* gl_proc_address(const char* name) = 0;  // an OpenGL entry point, null when missing

  // Events: removes one pending event; false when the queue is empty.
  virtual bool event_poll(PlatformEvent& ev) = 0;

  // Input devices.
  // Bit 7 set = down, scan-code numbering. A key pressed since the previous call reads as down once
  // even when it was released again before this call; such a key also has bit 0 set (a new press:
  // also when it was released and pressed again, not for the automatic repeats of a held key).
  virtual void keyboard_state(uint8_t keys[256]) = 0;
  virtual void mouse_read(MouseSample& sample) = 0;
  virtual void mouse_set_relative(bool relative) = 0;
  virtual void pointer_show(bool show) = 0;
  virtual void pointer_warp(int x, int y) = 0;  // picture coordinates
  virtual int key_to_char(int code) = 0;        // character of a key on the current layout, 0 if none
  // Game pads, plugged in before or while the program runs; presses since the previous call read as
  // down once, like keys.
  virtual void pad_state(PadState& pads) = 0;

  // Clock.
  virtual uint64_t counter() = 0;
  virtual uint64_t counter_frequency() = 0;  // 0 = no high-resolution counter
  virtual uint32_t ticks_ms() = 0;
  virtual void sleep_ms(int ms) = 0;
  virtual void sleep_us(int us) = 0;  // a short nap, a fraction of a millisecond

  // System.
  virtual std::string temp_dir() = 0;      // with a separator at its end
  virtual std::string program_path() = 0;  // full path of the running program
  virtual bool debugger_attached() = 0;
  virtual void debug_output(const char* text) = 0;
  virtual void message_box(const char* title, const char* text) = 0;
};

// The current backend. platform_select() picks one by name ("sdl", "headless"); without a call the
// environment variable BRAKKA_PLATFORM decides, else "sdl". Returns false for an unknown name.
bool platform_select(const char* name);
Platform& platform();
bool platform_is_headless();

// Temporary directory with a separator at its end ($TMPDIR, else /tmp; Windows: GetTempPathW), the same for
// every backend (user_folders_posix.cpp, user_folders_win32.cpp).
std::string platform_temp_dir();

// Endings that come from outside the program (engine/platform/process_endings_posix.cpp; on Windows,
// process_endings_win32.cpp: no signals, a close comes as a window message).
//
// Signals: SDL is told to leave them alone; platform_take_signals() makes SIGINT, SIGTERM and SIGHUP
// requests to quit, which platform_quit_signal() hands out once (the signal's number, else 0). A request
// gives the program a few seconds to take it, and taking it a few more to end: if it is still running
// then (stuck, or in a shut-down that hangs), or when a second request comes, the process ends at once,
// by that signal.
void platform_take_signals();
int platform_quit_signal();
// The lost display: when the connection to the window system breaks, the backend forgets its window
// without another word to the window system and calls this handler with a line that says what was
// lost. The handler must end the process (nothing may talk to the window system again); without one, or
// if it is stuck for a few seconds, the process ends with status 1.
void platform_set_display_lost_handler(void (*handler)(const char* what));
[[noreturn]] void platform_display_lost(const char* what);  // called by a backend
