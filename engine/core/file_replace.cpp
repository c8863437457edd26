// Replacing a text file as a whole: write a new file beside it, force it to the disk, rename it over
// the old one, force the folder to the disk.
#include "engine/core/file_replace.h"

#include <cerrno>
#include <cstring>
#include <ctime>

#include "engine/core/files.h"
#include "engine/core/log.h"
#include "engine/core/mem_name.h"
#include "engine/platform/os_files.h"
#include "engine/platform/os_paths.h"

namespace {

constexpr int64_t kStaleSeconds = 60;

// Tells which step failed and why, sets the file error and answers false.
bool fail(std::string* error, const std::string& step, int err) {
  if (error) *error = step + ": " + std::strerror(err);
  app_set_error(RtError::file);
  return false;
}

// The folder that holds target, "." for a bare name.
std::string folder_of(const std::string& target) {
  const std::string folder = path_parent(target, host_path_style());
  return folder.empty() ? "." : folder;
}

// The prefix of the new files made beside target: hidden (on Linux), named after it.
std::string new_file_prefix(const std::string& target) {
  std::string prefix = ".";
  prefix += path_leaf(target, host_path_style());
  prefix += '.';
  return prefix;
}

// A name of its own beside the target (with the process id and a count), made only when nothing has
// that name, so that two programs saving at once never share one; the mode is the one file_open gives
// new files.
int create_new_file(const std::string& target, std::string& made) {
  const std::string folder = path_parent(target, host_path_style());
  const std::string base = new_file_prefix(target);
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    made =
        path_join(folder, base + std::to_string(os_process_id()) + "." + std::to_string(counter++) + ".tmp",
                  host_path_style());
    const int fd = os_open(made, OsOpen::create_only);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// New files left behind by a save that was cut off (the program killed before its rename) are removed
// by a later save once they are a minute old; a younger one may belong to a save still under way.
void remove_stale_new_files(const std::string& target) {
  const std::string folder = folder_of(target);
  const std::string prefix = new_file_prefix(target);
  const int64_t now = int64_t(std::time(nullptr));
  for (const std::string& name : os_folder_names(folder)) {
    if (name.size() <= prefix.size() + 4 || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - 4, 4, ".tmp") != 0)
      continue;
    const std::string path = path_join(folder, name, host_path_style());
    OsFileInfo info;
    if (os_lstat(path, info) && info.kind == OsFileKind::file && now - info.modified > kStaleSeconds)
      os_remove_file(path);
  }
}

}  // namespace

bool file_replace_lines(const Str& path, const std::vector<Str>& lines, std::string* error) {
  app_set_error(RtError::success);
  const char* name = path.data ? path.data : "";
  if (!*name || std::strlen(name) > FILE_PATH_MAX || mem_name_is(name))
    return fail(error, std::string("not a file name: \"") + name + "\"", EINVAL);
  const std::string target = path_to_native(name);

  std::string bytes;
  for (const Str& line : lines) {
    if (line.data) bytes.append(line.data, line.length);
    bytes += "\r\n";
  }

  std::string made;
  const int fd = create_new_file(target, made);
  if (fd < 0) return fail(error, "cannot create a new file beside " + target, errno);
  // The new file takes the old one's permissions (a player may have made it read-only, or private).
  // A mode that cannot be given is no reason to lose the save.
  os_copy_permissions(target, fd);
  auto discard = [&](const std::string& step) {
    const int err = errno;
    os_close(fd);
    os_remove_file(made);
    return fail(error, step, err);
  };
  if (!os_write_all(fd, bytes.data(), bytes.size())) return discard("cannot write " + made);
  if (os_sync(fd) != 0) return discard("cannot force " + made + " to the disk");
  if (os_close(fd) != 0) {
    const int err = errno;
    os_remove_file(made);
    return fail(error, "cannot close " + made, err);
  }
  if (os_replace_file(made, target) != 0) {
    const int err = errno;
    os_remove_file(made);
    return fail(error, "cannot rename " + made + " to " + target, err);
  }
  if (os_sync_folder(folder_of(target)) != 0)
    return fail(error, "cannot force the folder of " + target + " to the disk", errno);
  remove_stale_new_files(target);
  return true;
}
