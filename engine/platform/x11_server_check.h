// Whether the X server a display name points at still takes connections, asked in a way a crash
// handler may use (socket calls only). POSIX only: x11_server_check_posix.cpp.
#pragma once
#include <string>

struct X11ServerAddress {
  bool local = false;  // a local socket: "/tmp/.X11-unix/X<n>", also under the abstract name
  std::string host;    // the host of a TCP display ("" when local)
  int display = -1;    // the display number; the TCP port is 6000 + it
};

// Reads a display name (":0", "unix:1.0", "host:10.0"); false when it names none of these.
bool x11_server_address(const char* display_name, X11ServerAddress& out);

// Prepares the check for a display name (looks a TCP host up now, not in a crash). False when the
// name cannot be checked.
bool x11_server_check_prepare(const char* display_name);
// True when the prepared server refuses connections, its socket is gone, or it takes connections but
// answers no greeting of the X protocol for about a second (a server going away); false when it
// answers, or nothing was prepared. Async-signal-safe.
bool x11_server_gone();

// From now on a SIGSEGV, SIGBUS or SIGABRT while the server of `display_name` is gone calls `lost`
// (which must not return); while it is there, the signal takes its earlier course.
void x11_guard_crashes(const char* display_name, void (*lost)());
