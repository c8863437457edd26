// An Xvfb server of a test's own and the X client calls tests make to it (loaded at run time, so the
// tests build without the X development files of XTest). Include after GoogleTest: Xlib's macros
// (None, True, ...) clash with its names.
#pragma once
#include <X11/Xlib.h>
#include <sys/types.h>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

// Polls `done` every 50 ms until it holds or the time is up; its last answer.
bool wait_for(const std::function<bool()>& done, std::chrono::milliseconds limit);

// The X client calls the tests need, taken from the installed libraries at run time.
struct XClient {
  void* x11 = nullptr;
  void* xtst = nullptr;
  decltype(&XOpenDisplay) open_display = nullptr;
  decltype(&XCloseDisplay) close_display = nullptr;
  decltype(&XDefaultRootWindow) root_window = nullptr;
  decltype(&XQueryTree) query_tree = nullptr;
  decltype(&XFetchName) fetch_name = nullptr;
  decltype(&XFree) free = nullptr;
  decltype(&XGetWindowAttributes) attributes = nullptr;
  decltype(&XSetInputFocus) set_focus = nullptr;
  decltype(&XKeysymToKeycode) keycode = nullptr;
  decltype(&XSync) sync = nullptr;
  decltype(&XGetImage) get_image = nullptr;
  decltype(&XResizeWindow) resize_window = nullptr;  // as a window manager resizes a window
  decltype(&XSetErrorHandler) set_error_handler = nullptr;
  decltype(&XWarpPointer) warp_pointer = nullptr;
  int (*fake_key)(Display*, unsigned int, int, unsigned long) = nullptr;
  int (*fake_relative_motion)(Display*, int, int, unsigned long) = nullptr;
  int (*fake_button)(Display*, unsigned int, int, unsigned long) = nullptr;

  bool load();
  ~XClient();
  // A mapped top-level window with this title, or 0. Windows that go away while they are looked at are
  // passed over.
  Window find(Display* d, const char* title);
  // Presses (down) or releases a key given by its key symbol, and waits until the server has it.
  void key(Display* d, unsigned long keysym, bool down);
  // Puts the pointer at (x, y) in the window, and waits until the server has it.
  void warp(Display* d, Window w, int x, int y);
  // Presses (down) or releases a mouse button (1 the left one), and waits until the server has it.
  void button(Display* d, unsigned int button, bool down);
  // The colour shown at a window position as 0xRRGGBB (a 24-bit TrueColor screen), or -1.
  long pixel(Display* d, Window w, int x, int y);
  // Whether any pixel in the window's top-left w x h is not black.
  bool lit(Display* d, Window win, int w, int h);
  // The window's pixels, w x h from its top-left, as 0xRRGGBB row by row (a 24-bit visual); empty when
  // they can't be read.
  std::vector<uint32_t> pixels(Display* d, Window window, int w, int h);
};

// An Xvfb server on a display of its own, for the length of a test.
struct Xvfb {
  pid_t pid = -1;
  std::string display;

  // Tries display numbers from a per-process start until a server with one screen of `screen`
  // ("WxHxDepth") comes up and takes connections.
  bool start(XClient& x, const std::string& screen = "1280x1024x24");
  void stop();
  ~Xvfb() { stop(); }
};

// Xvfb and the X client libraries are there.
bool xvfb_available(XClient& x);
