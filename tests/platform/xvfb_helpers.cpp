// An Xvfb server of a test's own and the X client calls made to it.
#include <gtest/gtest.h>
// Xlib's macros (None, True, ...) clash with GoogleTest's names, so it comes after it.
#include "tests/platform/xvfb_helpers.h"
#include <X11/Xutil.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdlib>
#include <cstring>
#include <thread>

using namespace std::chrono_literals;

bool wait_for(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  auto until = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < until) {
    if (done()) return true;
    std::this_thread::sleep_for(50ms);
  }
  return done();
}

bool XClient::load() {
  if (!x11) x11 = ::dlopen("libX11.so.6", RTLD_NOW);
  if (!xtst) xtst = ::dlopen("libXtst.so.6", RTLD_NOW);
  if (!x11 || !xtst) return false;
  open_display = reinterpret_cast<decltype(open_display)>(::dlsym(x11, "XOpenDisplay"));
  close_display = reinterpret_cast<decltype(close_display)>(::dlsym(x11, "XCloseDisplay"));
  root_window = reinterpret_cast<decltype(root_window)>(::dlsym(x11, "XDefaultRootWindow"));
  query_tree = reinterpret_cast<decltype(query_tree)>(::dlsym(x11, "XQueryTree"));
  fetch_name = reinterpret_cast<decltype(fetch_name)>(::dlsym(x11, "XFetchName"));
  free = reinterpret_cast<decltype(free)>(::dlsym(x11, "XFree"));
  attributes = reinterpret_cast<decltype(attributes)>(::dlsym(x11, "XGetWindowAttributes"));
  set_focus = reinterpret_cast<decltype(set_focus)>(::dlsym(x11, "XSetInputFocus"));
  keycode = reinterpret_cast<decltype(keycode)>(::dlsym(x11, "XKeysymToKeycode"));
  sync = reinterpret_cast<decltype(sync)>(::dlsym(x11, "XSync"));
  get_image = reinterpret_cast<decltype(get_image)>(::dlsym(x11, "XGetImage"));
  resize_window = reinterpret_cast<decltype(resize_window)>(::dlsym(x11, "XResizeWindow"));
  set_error_handler = reinterpret_cast<decltype(set_error_handler)>(::dlsym(x11, "XSetErrorHandler"));
  warp_pointer = reinterpret_cast<decltype(warp_pointer)>(::dlsym(x11, "XWarpPointer"));
  fake_key = reinterpret_cast<decltype(fake_key)>(::dlsym(xtst, "XTestFakeKeyEvent"));
  fake_relative_motion =
      reinterpret_cast<decltype(fake_relative_motion)>(::dlsym(xtst, "XTestFakeRelativeMotionEvent"));
  fake_button = reinterpret_cast<decltype(fake_button)>(::dlsym(xtst, "XTestFakeButtonEvent"));
  return open_display && close_display && root_window && query_tree && fetch_name && free && attributes &&
         set_focus && keycode && sync && get_image && resize_window && set_error_handler && warp_pointer &&
         fake_key && fake_relative_motion && fake_button;
}

XClient::~XClient() {
  if (xtst) ::dlclose(xtst);
  if (x11) ::dlclose(x11);
}

Window XClient::find(Display* d, const char* title) {
  // Xlib's default handler would end the test on the error about a window already gone.
  auto previous = set_error_handler([](Display*, XErrorEvent*) { return 0; });
  Window root_ret, parent, *children = nullptr;
  unsigned n = 0;
  Window found = 0;
  if (!query_tree(d, root_window(d), &root_ret, &parent, &children, &n)) n = 0;
  for (unsigned i = 0; i < n && !found; ++i) {
    char* name = nullptr;
    if (fetch_name(d, children[i], &name) && name) {
      XWindowAttributes a;
      if (std::strcmp(name, title) == 0 && attributes(d, children[i], &a) && a.map_state == IsViewable)
        found = children[i];
      free(name);
    }
  }
  if (children) free(children);
  sync(d, False);
  set_error_handler(previous);
  return found;
}

void XClient::key(Display* d, unsigned long keysym, bool down) {
  fake_key(d, keycode(d, keysym), down ? True : False, CurrentTime);
  sync(d, False);
}

void XClient::warp(Display* d, Window w, int x, int y) {
  warp_pointer(d, 0, w, 0, 0, 0, 0, x, y);
  sync(d, False);
}

void XClient::button(Display* d, unsigned int number, bool down) {
  fake_button(d, number, down ? True : False, CurrentTime);
  sync(d, False);
}

long XClient::pixel(Display* d, Window w, int x, int y) {
  XImage* image = get_image(d, w, x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image) return -1;
  long value = static_cast<long>(XGetPixel(image, 0, 0) & 0xFFFFFF);
  XDestroyImage(image);
  return value;
}

bool XClient::lit(Display* d, Window win, int w, int h) {
  for (uint32_t p : pixels(d, win, w, h))
    if (p != 0) return true;
  return false;
}

std::vector<uint32_t> XClient::pixels(Display* d, Window window, int w, int h) {
  std::vector<uint32_t> out;
  XImage* image =
      get_image(d, window, 0, 0, static_cast<unsigned>(w), static_cast<unsigned>(h), AllPlanes, ZPixmap);
  if (!image) return out;
  out.reserve(static_cast<size_t>(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.push_back(static_cast<uint32_t>(XGetPixel(image, x, y) & 0xffffff));
  XDestroyImage(image);
  return out;
}

// -noreset: without it the server resets when the probe connection closes and refuses clients for a
// moment.
bool Xvfb::start(XClient& x, const std::string& screen) {
  for (int n = 300 + ::getpid() % 400, tries = 0; tries < 10; ++n, ++tries) {
    if (::access(("/tmp/.X" + std::to_string(n) + "-lock").c_str(), F_OK) == 0) continue;
    display = ":" + std::to_string(n);
    pid = ::fork();
    if (pid == 0) {
      ::prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlives a test that was stopped
      int null = ::open("/dev/null", O_WRONLY);
      ::dup2(null, 1);
      ::dup2(null, 2);
      ::execlp("Xvfb", "Xvfb", display.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
               "-noreset", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    bool up = wait_for(
        [&] {
          if (::waitpid(pid, nullptr, WNOHANG) == pid) return true;  // ended: try the next display
          Display* d = x.open_display(display.c_str());
          if (d) x.close_display(d);
          return d != nullptr;
        },
        10000ms);
    if (up && ::waitpid(pid, nullptr, WNOHANG) == 0) return true;
    stop();
  }
  return false;
}

void Xvfb::stop() {
  if (pid > 0) {
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
  }
  pid = -1;
}

bool xvfb_available(XClient& x) { return ::system("command -v Xvfb >/dev/null 2>&1") == 0 && x.load(); }
