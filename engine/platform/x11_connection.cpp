#include "engine/platform/x11_connection.h"
#include <SDL2/SDL_syswm.h>
#include <unistd.h>
#include <cstdio>
#include <cstring>

#if defined(BRAKKA_HAVE_X11) && defined(SDL_VIDEO_DRIVER_X11)
#include "engine/platform/x11_server_check.h"

namespace {

void (*g_lost)(const char*) = nullptr;
char g_crash_line[320];  // made in advance: a crash handler must not format

void lost_line(char* what, size_t size, const char* name) {
  std::snprintf(what, size, "Display lost: the connection to X display %s is broken",
                name && *name ? name : "(unknown)");
}

// Xlib calls this when it can no longer read from or write to the server; its own default prints a
// line and calls exit(), whose handlers would then talk to the dead connection.
int on_io_error(Display* display) {
  // Found again while the first is being handled (by something that still spoke to the connection):
  // no second ending, just the end.
  static bool lost = false;
  if (lost) ::_exit(1);
  lost = true;
  char what[320];
  // DisplayString reads the name kept in the structure; it asks the server nothing.
  lost_line(what, sizeof what, display ? DisplayString(display) : nullptr);
  if (g_lost) g_lost(what);
  return 0;
}

void on_server_crash() {
  if (g_lost) g_lost(g_crash_line);
}

bool x11_window(SDL_Window* window, Display*& display, Window& xwindow) {
  if (!window) return false;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  display = info.info.x11.display;
  xwindow = info.info.x11.window;
  return display != nullptr && xwindow != 0;
}

}  // namespace

bool x11_watch_connection(void (*lost)(const char* what)) {
  g_lost = lost;
  XSetIOErrorHandler(on_io_error);
  static bool guarded = false;
  if (!guarded) {
    guarded = true;
    const char* name = SDL_getenv("DISPLAY");
    lost_line(g_crash_line, sizeof g_crash_line, name);
    x11_guard_crashes(name, on_server_crash);
  }
  return true;
}

bool x11_window_size(SDL_Window* window, int& w, int& h) {
  Display* display = nullptr;
  Window xwindow = 0, root = 0;
  if (!x11_window(window, display, xwindow)) return false;
  int x = 0, y = 0;
  unsigned width = 0, height = 0, border = 0, depth = 0;
  if (!XGetGeometry(display, xwindow, &root, &x, &y, &width, &height, &border, &depth)) return false;
  w = static_cast<int>(width);
  h = static_cast<int>(height);
  return true;
}

#else

bool x11_watch_connection(void (*)(const char*)) { return false; }
bool x11_window_size(SDL_Window*, int&, int&) { return false; }

#endif
