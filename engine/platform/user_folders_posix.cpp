// The user's folders on Linux: from the environment.
#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>
#include "engine/platform/platform.h"
#include "engine/platform/user_folders.h"

namespace {

// A folder below $HOME; "" when $HOME is not set, or (existing) names nothing that exists.
std::string home_folder(const char* below, bool existing = false) {
  const char* home = std::getenv("HOME");
  struct stat st;
  if (!home || !*home || (existing && ::stat(home, &st) != 0)) return std::string();
  return std::string(home) + "/" + below;
}

// The folder the program was started in, for settings given relative to it.
const std::string& start_folder() {
  static const std::string folder = [] {
    char* cwd = ::getcwd(nullptr, 0);
    std::string out = cwd ? cwd : "/";
    ::free(cwd);
    return out;
  }();
  return folder;
}

}  // namespace

std::string platform_temp_dir() {
  const char* dir = std::getenv("TMPDIR");
  std::string path = (dir && *dir) ? dir : "/tmp";
  // A relative $TMPDIR is taken from the folder the program started in, so that it names the same folder
  // after the program enters another one.
  if (path.front() != '/') path = start_folder() + "/" + path;
  if (path.back() != '/') path += '/';
  return path;
}

// A relative $XDG_DATA_HOME is no valid setting and is passed over.
std::string user_data_folder(bool existing_home) {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && *xdg == '/') return xdg;
  return home_folder(".local/share", existing_home);
}

std::string user_state_folder(bool existing_home) {
  const char* xdg = std::getenv("XDG_STATE_HOME");
  if (xdg && *xdg == '/') return xdg;
  return home_folder(".local/state", existing_home);
}

std::string user_documents_folder() { return home_folder("Documents"); }
std::string user_desktop_folder() { return home_folder("Desktop"); }

std::string user_data_folder_name(const std::string& program_name) {
  std::string name = program_name;
  for (char& c : name)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return name;
}

const char* user_data_folder_origin() { return "$XDG_DATA_HOME or $HOME"; }
