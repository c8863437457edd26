// The user's folders in a browser: the page mounts the browser's own storage (IndexedDB) at
// /userdata before the program starts; the rest of the file system lives in memory for one visit.
#include "engine/platform/platform.h"
#include "engine/platform/user_folders.h"

std::string platform_temp_dir() { return "/tmp/"; }
std::string user_data_folder(bool) { return "/userdata"; }
// The log stays in the temporary folder (and goes to the console).
std::string user_state_folder(bool) { return std::string(); }
std::string user_documents_folder() { return std::string(); }
std::string user_desktop_folder() { return std::string(); }

std::string user_data_folder_name(const std::string& program_name) {
  std::string name = program_name;
  for (char& c : name)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return name;
}

const char* user_data_folder_origin() { return "the browser's storage"; }
