// Folders: the current directory, whether a folder can be written (or made), making a folder with its
// parents.
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <string>
#include "engine/core/app.h"
#include "engine/core/files.h"
#include "engine/core/mem_name.h"

double file_set_cwd(const Str& dir) {
  app_set_error(0);
  const char* name = dir.data ? dir.data : "";
  if (!*name || ::chdir(path_to_native(name).c_str()) != 0) {
    app_set_error(3);
    return 0.0;
  }
  return 1.0;
}

bool file_dir_writable(const Str& dir) {
  const char* name = dir.data ? dir.data : "";
  if (!*name || mem_name_is(name)) return false;
  struct stat st;
  const std::string path = path_to_native(name);
  // access() answers for the real user and also says no on a file system mounted read-only.
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && ::access(path.c_str(), W_OK) == 0;
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
  struct stat st;
  while (::stat(at.c_str(), &st) != 0) {
    if (errno != ENOENT || at == "." || at == "/") return no(errno);
    const size_t slash = at.find_last_of('/', at.find_last_not_of('/'));
    at = slash == std::string::npos ? "." : (slash == 0 ? "/" : at.substr(0, slash));
  }
  if (!S_ISDIR(st.st_mode)) return no(ENOTDIR);
  return ::access(at.c_str(), W_OK) == 0 || no(errno);
}

bool file_make_dirs(const Str& dir, std::string* error) {
  app_set_error(0);
  const char* name = dir.data ? dir.data : "";
  const std::string path = path_to_native(name);
  auto fail = [&](const std::string& at, int err) {
    if (error) *error = "cannot make \"" + at + "\": " + std::strerror(err);
    app_set_error(3);
    return false;
  };
  if (path.empty() || path.size() > FILE_PATH_MAX || mem_name_is(name)) return fail(path, EINVAL);
  // Each folder on the way, from the top: every prefix that ends before a separator, then the whole path.
  for (size_t at = path.find('/', 1);; at = path.find('/', at + 1)) {
    const std::string part = at == std::string::npos ? path : path.substr(0, at);
    if (!part.empty() && part.back() != '/') {
      struct stat st;
      if (::stat(part.c_str(), &st) != 0) {
        // Another program may make the same folder at the same moment.
        if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return fail(part, errno);
        if (::stat(part.c_str(), &st) != 0) return fail(part, errno);
      }
      if (!S_ISDIR(st.st_mode)) return fail(part, ENOTDIR);
    }
    if (at == std::string::npos) break;
  }
  return true;
}
