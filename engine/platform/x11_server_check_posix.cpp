// Checking that an X server is still there: see x11_server_check.h.
#include "engine/platform/x11_server_check.h"
#include <netdb.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

constexpr int kMaxAddresses = 3;
constexpr int kAnswerMs = 200;  // for a connection, and for the answer to a greeting
constexpr int kTries = 5;       // a server that neither refuses nor answers this often is taken as gone

struct Target {
  sockaddr_storage address{};
  socklen_t length = 0;
};
Target g_targets[kMaxAddresses];
int g_target_count = 0;

constexpr int kCrashSignals[] = {SIGSEGV, SIGBUS, SIGABRT};
struct sigaction g_earlier[3];
void (*g_on_lost)() = nullptr;

void add_local(const std::string& path, bool abstract) {
  Target& t = g_targets[g_target_count];
  auto* un = reinterpret_cast<sockaddr_un*>(&t.address);
  un->sun_family = AF_UNIX;
  const size_t offset = abstract ? 1 : 0;  // an abstract name starts with a zero byte
  if (path.size() + offset >= sizeof un->sun_path) return;
  std::memcpy(un->sun_path + offset, path.data(), path.size());
  t.length = socklen_t(offsetof(sockaddr_un, sun_path) + offset + path.size() + (abstract ? 0 : 1));
  ++g_target_count;
}

enum class Answer { gone, there, unsure };

// Asks one address: gone when it refuses (or its socket is gone), or takes the connection and closes it
// unanswered; there when it answers the protocol's greeting (a server that is going away still takes
// connections for a moment, but answers none); unsure otherwise.
Answer ask(const Target& t) {
  const int s = ::socket(t.address.ss_family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (s < 0) return Answer::unsure;
  Answer answer = Answer::unsure;
  bool connected = ::connect(s, reinterpret_cast<const sockaddr*>(&t.address), t.length) == 0;
  if (!connected && errno == EINPROGRESS) {
    pollfd p{s, POLLOUT, 0};
    int err = 0;
    socklen_t len = sizeof err;
    if (::poll(&p, 1, kAnswerMs) == 1 && ::getsockopt(s, SOL_SOCKET, SO_ERROR, &err, &len) == 0) {
      connected = err == 0;
      if (err == ECONNREFUSED) answer = Answer::gone;
    }
  } else if (!connected && (errno == ECONNREFUSED || errno == ENOENT)) {
    answer = Answer::gone;
  }
  if (connected) {
    // The connection set-up of the X protocol: byte order, version 11.0, no authorisation. Any server
    // answers it, if only to refuse.
    const unsigned char hello[12] = {'l', 0, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    if (::send(s, hello, sizeof hello, MSG_NOSIGNAL) == ssize_t(sizeof hello)) {
      pollfd p{s, POLLIN, 0};
      if (::poll(&p, 1, kAnswerMs) == 1) {
        unsigned char byte = 0;
        const ssize_t got = ::recv(s, &byte, 1, 0);
        answer = got == 1 ? Answer::there : got == 0 ? Answer::gone : Answer::unsure;
      }
    } else if (errno == EPIPE || errno == ECONNRESET) {
      answer = Answer::gone;
    }
  }
  ::close(s);
  return answer;
}

void on_crash(int sig) {
  static volatile sig_atomic_t handling = 0;
  if (handling) ::_exit(1);  // a fault while the loss is handled: just the end
  if (g_on_lost && x11_server_gone()) {
    handling = 1;
    g_on_lost();
    ::_exit(1);
  }
  // A crash of its own: put the earlier handling back; the faulting instruction runs again (an
  // abort() raises again) and takes it.
  for (size_t i = 0; i < sizeof kCrashSignals / sizeof *kCrashSignals; ++i)
    if (kCrashSignals[i] == sig) ::sigaction(sig, &g_earlier[i], nullptr);
}

}  // namespace

bool x11_server_address(const char* display_name, X11ServerAddress& out) {
  out = X11ServerAddress();
  if (!display_name) return false;
  const char* colon = std::strrchr(display_name, ':');
  if (!colon || colon[1] < '0' || colon[1] > '9') return false;
  const std::string host(display_name, colon);
  char* end = nullptr;
  const long number = std::strtol(colon + 1, &end, 10);
  if (number < 0 || number > 59535 || (*end != '\0' && *end != '.')) return false;
  if (host.find('/') != std::string::npos) return false;  // a launcher's socket path: not ours to read
  out.display = int(number);
  out.local = host.empty() || host == "unix";
  if (!out.local) out.host = host;
  return true;
}

bool x11_server_check_prepare(const char* display_name) {
  g_target_count = 0;
  X11ServerAddress a;
  if (!x11_server_address(display_name, a)) return false;
  if (a.local) {
    const std::string path = "/tmp/.X11-unix/X" + std::to_string(a.display);
    add_local(path, true);
    add_local(path, false);
    return g_target_count > 0;
  }
  addrinfo hints{};
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(a.host.c_str(), std::to_string(6000 + a.display).c_str(), &hints, &found) != 0)
    return false;
  for (addrinfo* i = found; i && g_target_count < kMaxAddresses; i = i->ai_next) {
    if (i->ai_addrlen > sizeof(sockaddr_storage)) continue;
    Target& t = g_targets[g_target_count++];
    std::memcpy(&t.address, i->ai_addr, i->ai_addrlen);
    t.length = i->ai_addrlen;
  }
  ::freeaddrinfo(found);
  return g_target_count > 0;
}

bool x11_server_gone() {
  if (g_target_count == 0) return false;
  const int saved = errno;
  bool gone = false, there = false;
  for (int attempt = 0; attempt < kTries && !gone && !there; ++attempt) {
    // Gone when every address says so; there when any answers.
    bool all_gone = true;
    for (int i = 0; i < g_target_count && !there; ++i) {
      const Answer a = ask(g_targets[i]);
      there = a == Answer::there;
      all_gone = all_gone && a == Answer::gone;
    }
    gone = all_gone && !there;
    if (!gone && !there) {
      const timespec pause{0, 50 * 1000 * 1000};
      ::nanosleep(&pause, nullptr);
    }
  }
  errno = saved;
  // A server that never answered in all that time shows nothing any more either.
  return gone || !there;
}

void x11_guard_crashes(const char* display_name, void (*lost)()) {
  if (!x11_server_check_prepare(display_name)) return;
  g_on_lost = lost;
  struct sigaction action = {};
  sigemptyset(&action.sa_mask);
  // A fault inside the handling comes back to the handler, which then ends the process.
  action.sa_flags = SA_NODEFER;
  action.sa_handler = on_crash;
  for (size_t i = 0; i < sizeof kCrashSignals / sizeof *kCrashSignals; ++i)
    ::sigaction(kCrashSignals[i], &action, &g_earlier[i]);
}
