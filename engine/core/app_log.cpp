// The log file "ErrorLog.txt" in the temporary directory: a fresh one each run, appended line by line.
#include <cstring>
#include <string>
#include "engine/core/log.h"
#include "engine/platform/os_files.h"
#include "engine/platform/platform.h"
#include "engine/platform/system_info.h"

namespace {

constexpr int kOpenAttempts = 5;

}  // namespace

const char* log_path() {
  static std::string path;
  path = platform_temp_dir() + "ErrorLog.txt";
  return path.c_str();
}

void log_line(const char* text) {
  if (!text) text = "NULL";
  system_log_echo(text);
  const std::string path = log_path();
  // Held by nobody else while a line goes in.
  int fd = -1;
  for (int attempt = 0; attempt < kOpenAttempts && fd < 0; ++attempt)
    fd = os_open(path, OsOpen::append_alone);
  if (fd < 0) return;
  os_write_all(fd, text, std::strlen(text));
  os_close(fd);
}

void log_restart() {
  os_remove_file(log_path());
  log_line("Start new log...\n");
}
