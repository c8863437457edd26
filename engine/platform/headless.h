// The "headless" backend's controls for tests and scripted runs.
//
// The backend gives a real OpenGL context through SDL's offscreen video driver, a virtual clock and input
// taken from a script of events.
//
// Virtual clock: starts at 0 and advances by the slept time on every sleep (whole milliseconds or a
// short nap of microseconds), by 0.01 ms on every clock
// reading (counter or tick count) and by 0.01 ms on every device poll (event poll, keyboard state, mouse
// read), so a loop that waits on the clock always ends. The counter runs at 1,000,000,000 per second.
//
// Script: each event is due either when a number of frames (buffer swaps) have been presented or when the
// virtual clock reaches a time. Due events take effect, in the order they were added, the next time the
// backend polls its devices; each one changes the keyboard, mouse or focus state and is also delivered
// as a window event (KeyDown, MouseMove, Deactivate, Close, ...).
//
// Script file: the environment variable BRAKKA_SCRIPT names a text file that is loaded when the backend
// is created. One event per line; blank lines and text after '#' are ignored:
//   <when> <event>
//   when:   frame N            due once N frames have been presented
//           ms T               due once the virtual clock reaches T milliseconds (fractions allowed)
//   event:  keydown CODE       key CODE (scan-code numbering: 1 Esc, 28 Return, 200 up ...) goes down
//           keyup CODE         ... and up again
//           mouse X Y          pointer to client position (X, Y); the move counts as relative motion too
//           mouserel DX DY     relative motion; the pointer position follows it
//           buttondown B       mouse button B (0 left, 1 right, 2 middle) pressed
//           buttonup B         ... released
//           wheel N            N wheel steps (positive = away from the user)
//           char C             typed character: a number 1..255, or a single printable character
//           pad down BUTTON    a pad's button goes down: a b x y back guide start leftstick rightstick
//                              leftshoulder rightshoulder dpup dpdown dpleft dpright (or its number)
//           pad up BUTTON      ... and up again
//           pad axis AXIS V    a pad's axis (leftx lefty rightx righty lefttrigger righttrigger, or its
//                              number) stands at V, -32768..32767
//                              The first pad event plugs a pad in; pad events change the pad's state
//                              only (no window event).
//           focus lost         the window loses activation
//           focus gained       the window becomes active again
//           close              the user closes the window
// Example:
//   frame 10 mouse 400 300
//   frame 12 buttondown 0
//   frame 13 buttonup 0
//   ms 5000 keydown 1
#pragma once
#include <cstdint>
#include <functional>
#include <string>

struct HeadlessEvent {
  enum Kind {
    KeyDown,
    KeyUp,
    Mouse,
    MouseRel,
    ButtonDown,
    ButtonUp,
    Wheel,
    Char,
    FocusLost,
    FocusGained,
    Close,
    PadDown,
    PadUp,
    PadMove
  };
  Kind kind = KeyDown;
  int a = 0;  // key code, x, dx, button, steps, character, pad button (PadButton) or axis (PadAxis)
  int b = 0;  // y, dy or the axis' value
};

// Adds an event due after `frame` presented frames, or at virtual time `ms`.
void headless_at_frame(uint64_t frame, const HeadlessEvent& ev);
void headless_at_ms(double ms, const HeadlessEvent& ev);
// Parses one script line (format above) and adds its event; false for a malformed line. Blank lines and
// comments are accepted and add nothing.
bool headless_script_line(const char* line);
// Loads a script file; the number of events added, or -1 when the file can't be read. Malformed lines
// are reported on stderr and skipped.
int headless_load_script(const char* path);
// Drops every event not yet delivered.
void headless_clear_script();
int headless_pending_events();
// Hooks for tests that react as the program runs. The poll hook runs at every device poll (event poll,
// keyboard state, mouse read) before due script events take effect, so an event it adds with
// headless_at_ms(0, ...) takes effect in that same poll; busy waits that present no frame still poll.
// The swap hook runs before every buffer swap, while the back buffer holds the finished frame. An empty
// function removes a hook; no hook runs while a hook is running. headless_reset keeps both.
void headless_set_poll_hook(std::function<void()> hook);
void headless_set_swap_hook(std::function<void()> hook);

// Where the program believes it lives (start-up makes that folder current): "" for the real path.
// headless_reset keeps it.
void headless_set_program_path(const std::string& path);

// Returns the backend to its first state: clock 0, no frames, no keys, buttons or script, window active,
// no message boxes or debug text.
void headless_reset();

double headless_time_ms();         // the virtual clock, without advancing it
double headless_slept_ms();        // total of every millisecond sleep (sleep_ms) so far
double headless_short_slept_ms();  // total of every short nap (sleep_us) so far
uint64_t headless_short_sleeps();  // number of short naps so far
void headless_advance_ms(double ms);
uint64_t headless_frames();  // buffer swaps so far

// Message boxes never block: the last one shown is kept here.
int headless_message_box_count();
std::string headless_last_box_title();
std::string headless_last_box_text();

// Debugger presence as reported to the runtime (default: none), and the debug output sent so far.
void headless_set_debugger_attached(bool attached);
std::string headless_debug_text();

// The window's size: by default the picture's size, as asked at creation (scale 1). A size set here
// makes the window w x h while the runtime's picture keeps the asked size, so the picture is shown
// scaled into it; 0, 0 (and headless_reset) go back to the picture's size. The offscreen surface is
// made at window creation, large enough for the picture and the size set then; later sizes take
// effect at once within it (the window seems resized), larger ones are cut to it. Script mouse
// positions stay picture positions.
void headless_set_window_size(int w, int h);

// Pointer state as the runtime last set it.
bool headless_pointer_visible();
bool headless_mouse_relative();
void headless_mouse_position(int& x, int& y);
// The window's title as last set.
std::string headless_window_title();
bool headless_window_shown();
