// Folders: the current directory, whether a folder can be written (or made), making a folder with its
// parents.
#include <cerrno>
#include <cstring>
#include <string>
#include "engine/core/files.h"
#include "engine/core/log.h"
#include "engine/core/mem_name.h"
#include "engine/platform/os_files.h"
#include "engine/platform/os_paths.h"
#include "engine/platform/user_folders.h"

double file_set_cwd(const Str& dir) {
  app_set_error(RtError::success);
  const char* name = dir.data ? dir.data : "";
  if (!*name || os_set_cwd(path_to_native(name)) != 0) {
    app_set_error(RtError::file);
    return 0.0;
  }
  return 1.0;
}

bool file_dir_writable(const Str& dir) {
  const char* name = dir.data ? dir.data : "";
  if (!*name || mem_name_is(name)) return false;
  OsFileInfo info;
  const std::string path = path_to_native(name);
  return os_stat(path, info) && info.kind == OsFileKind::folder && os_folder_writable(path);
}

bool file_dir_can_hold(const Str& dir, std::string* why) {
  const char* name = dir.data ? dir.data : "";
  std::string at = path_to_native(name);
  auto no = [&](int err) {
    if (why) *why = "\"" + at + "\": " + std::strerror(err);
    return false;
  };
  if (at.empty() || at.size() > FILE_PATH_MAX || mem_name_is(name)) return no(EINVAL);
  // Up from dir to the nearest folder that exists: the folders below it would be made in it.
  const PathStyle style = host_path_style();
  OsFileInfo info;
  while (!os_stat(at, info)) {
    const int err = errno;
    const std::string parent = path_parent(at, style);
    if (err != ENOENT || at == "." || parent == at) return no(err);
    at = parent.empty() ? "." : parent;
  }
  if (info.kind != OsFileKind::folder) return no(ENOTDIR);
  return os_folder_writable(at) || no(errno);
}

bool file_make_dirs(const Str& dir, std::string* error) {
  app_set_error(RtError::success);
  const char* name = dir.data ? dir.data : "";
  const std::string path = path_to_native(name);
  auto fail = [&](const std::string& at, int err) {
    if (error) *error = "cannot make \"" + at + "\": " + std::strerror(err);
    app_set_error(RtError::file);
    return false;
  };
  if (path.empty() || path.size() > FILE_PATH_MAX || mem_name_is(name)) return fail(path, EINVAL);
  // Each folder on the way, from the top: every prefix that ends before a separator after the root
  // ("/", "C:\", "\\server\share\"), then the whole path.
  const PathStyle style = host_path_style();
  const size_t root = path_root_length(path, style);
  for (size_t at = root;; ++at) {
    while (at < path.size() && !path_is_separator(path[at], style)) ++at;
    const std::string part = path.substr(0, at);
    if (part.size() > root && !path_is_separator(part.back(), style)) {
      OsFileInfo info;
      if (!os_stat(part, info)) {
        // Another program may make the same folder at the same moment.
        if (os_make_folder(part) != 0 && errno != EEXIST) return fail(part, errno);
        if (!os_stat(part, info)) return fail(part, errno);
      }
      if (info.kind != OsFileKind::folder) return fail(part, ENOTDIR);
    }
    if (at >= path.size()) break;
  }
  return true;
}

std::string file_user_data_folder(const char* program_name) {
  const std::string folder = user_data_folder();
  // A folder that is not absolute would move with the current directory.
  if (folder.empty() || !path_is_absolute(folder, host_path_style())) return std::string();
  return path_join(folder, user_data_folder_name(program_name ? program_name : ""), host_path_style());
}

const char* file_user_data_origin() { return user_data_folder_origin(); }
