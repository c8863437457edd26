// The log file "ErrorLog.txt": a fresh one each run, appended line by line. It lives in a folder of the
// user's own (the program's in the user's state folder), not in a temporary folder other users share,
// where a file of that name may belong to someone else.
#include <cstring>
#include <string>
#include "engine/core/files.h"
#include "engine/core/log.h"
#include "engine/platform/os_files.h"
#include "engine/platform/os_paths.h"
#include "engine/platform/platform.h"
#include "engine/platform/system_info.h"

namespace {

constexpr int kOpenAttempts = 5;

// The program's state folder, made when missing; "" when there is none or it cannot be made (why
// then says so). Only the program's own folder and the usual ones below the user's home are made.
std::string state_folder(std::string& why) {
  const std::string own = file_user_state_folder(log_program_name().c_str());
  if (own.empty()) return own;
  // Making folders reports through the error state, which a log line must leave as it was.
  const ErrorState kept = error_state;
  const bool made = file_make_dirs(own.c_str(), &why);
  error_state = kept;
  return made ? own : std::string();
}

std::string g_not_in_state_folder;  // why the log is in the temporary folder instead, when it is

}  // namespace

Str& log_program_name() {
  static Str name;
  return name;
}

const char* log_path() {
  static std::string path, made_for;
  // Found again whenever the settings it comes from change (tests change them between runs).
  const std::string wanted = file_user_state_folder(log_program_name().c_str()) + "|" + platform_temp_dir();
  if (wanted != made_for) {
    made_for = wanted;
    g_not_in_state_folder.clear();
    const std::string folder = state_folder(g_not_in_state_folder);
    path = folder.empty() ? platform_temp_dir() + "ErrorLog.txt"
                          : path_join(folder, "ErrorLog.txt", host_path_style());
  }
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
  // A home the program cannot keep its state in (HOME=/proc, say) is said at once.
  if (!g_not_in_state_folder.empty())
    log_line(("The log is kept in the temporary folder: " + g_not_in_state_folder + "\n").c_str());
}
