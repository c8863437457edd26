// The log file "ErrorLog.txt" in the temporary directory: a fresh one each run, appended line by line.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <string>
#include "engine/core/app.h"
#include "engine/core/app_frame.h"
#include "engine/platform/platform.h"

namespace {

constexpr int kOpenAttempts = 5;

// Opens the log for appending, held by nobody else; -1 when that fails.
int open_exclusive(const char* path) {
  int fd = ::open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return -1;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

const char* log_path() {
  static std::string path;
  path = platform_temp_dir() + "ErrorLog.txt";
  return path.c_str();
}

void log_line(const char* text) {
  if (!text) text = "NULL";
  const char* path = log_path();
  int fd = -1;
  for (int attempt = 0; attempt < kOpenAttempts && fd < 0; ++attempt) fd = open_exclusive(path);
  if (fd < 0) return;
  size_t left = std::strlen(text);
  while (left > 0) {
    ssize_t n = ::write(fd, text, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    text += n;
    left -= size_t(n);
  }
  ::close(fd);
}

void log_restart() {
  ::unlink(log_path());
  log_line("Start new log...\n");
}
