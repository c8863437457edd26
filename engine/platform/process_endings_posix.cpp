// Endings that come from outside the program: quit signals and a lost display, each backed by a watchdog
// that ends the process when the program does not end by itself in time.
#include <SDL2/SDL.h>
#include <signal.h>
#include <unistd.h>
#include <atomic>
#include <cstdio>
#include <cstring>
#include "engine/platform/platform.h"

namespace {

// Long enough for any shut-down that works (it takes milliseconds), short enough to count as prompt.
constexpr unsigned kGraceSeconds = 3;

// Shared with signal handlers, which may run on any thread: lock-free atomics only.
static_assert(std::atomic<int>::is_always_lock_free);
std::atomic<int> g_pending{0};   // a quit signal not handed out yet
std::atomic<int> g_requests{0};  // quit signals received so far
std::atomic<int> g_signal{0};    // the last quit signal: the watchdog ends the process by it
void (*g_display_lost)(const char*) = nullptr;

// What a signal handler may print: write(2) only.
void say(const char* text) {
  ssize_t written = ::write(2, text, std::strlen(text));
  (void)written;
}

// Ends the process now: by the quit signal, as if it had not been caught, or else with status 1.
[[noreturn]] void end_now() {
  const int sig = g_signal.load();
  if (sig) {
    ::signal(sig, SIG_DFL);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, sig);
    ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);  // a handler of `sig` has it blocked
    ::raise(sig);
    ::_exit(128 + sig);
  }
  ::_exit(1);
}

void on_quit_signal(int sig) {
  g_signal.store(sig);
  if (g_requests.fetch_add(1) > 0) {
    say("A second request to quit: the program ends now.\n");
    end_now();
  }
  g_pending.store(sig);
  ::alarm(kGraceSeconds);
}

void on_watchdog(int) {
  say("The program did not end in time: it ends now.\n");
  end_now();
}

void take_signal(int sig, void (*handler)(int)) {
  struct sigaction action = {};
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  action.sa_handler = handler;
  ::sigaction(sig, &action, nullptr);
}

// Starts the watchdog: the process ends when it is still running in a few seconds.
void arm_watchdog() {
  take_signal(SIGALRM, on_watchdog);
  ::alarm(kGraceSeconds);
}

}  // namespace

void platform_take_signals() {
  static bool taken = false;
  if (taken) return;
  taken = true;
  // SDL would turn the signals into quit events, which nothing reads once the program is stuck or
  // shutting down.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  take_signal(SIGALRM, on_watchdog);
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) take_signal(sig, on_quit_signal);
  // A write past the file-size limit (ulimit -f) fails with EFBIG, and one to a pipe or socket whose
  // reader has gone (the X server's) with EPIPE: each takes the way every failed write takes instead
  // of ending the process.
  ::signal(SIGXFSZ, SIG_IGN);
  ::signal(SIGPIPE, SIG_IGN);
}

int platform_quit_signal() {
  const int sig = g_pending.exchange(0);
  // The program has taken the request: its shut-down gets a grace of its own.
  if (sig) ::alarm(kGraceSeconds);
  return sig;
}

void platform_set_display_lost_handler(void (*handler)(const char* what)) { g_display_lost = handler; }

void platform_display_lost(const char* what) {
  // The handler ends the program through its own exit path; should anything in it hang, this ends it.
  arm_watchdog();
  if (g_display_lost) g_display_lost(what);
  std::fprintf(stderr, "%s\n", what);
  ::_exit(1);
}
