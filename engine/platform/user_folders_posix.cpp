// The user's folders on Linux: from the environment.
#include <cstdlib>
#include "engine/platform/platform.h"
#include "engine/platform/user_folders.h"

namespace {

std::string home_folder(const char* below) {
  const char* home = std::getenv("HOME");
  if (!home || !*home) return std::string();
  return std::string(home) + "/" + below;
}

}  // namespace

std::string platform_temp_dir() {
  const char* dir = std::getenv("TMPDIR");
  std::string path = (dir && *dir) ? dir : "/tmp";
  if (path.back() != '/') path += '/';
  return path;
}

// A relative $XDG_DATA_HOME is no valid setting and is passed over.
std::string user_data_folder() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && *xdg == '/') return xdg;
  return home_folder(".local/share");
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
