// Replacing a text file as a whole: write a new file beside it, force it to the disk, rename it over
// the old one, force the folder to the disk.
#include "engine/core/file_replace.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <cstring>

#include "engine/core/app.h"
#include "engine/core/files.h"
#include "engine/core/mem_name.h"

namespace {

constexpr time_t kStaleSeconds = 60;

// Tells which step failed and why, sets the file error and answers false.
bool fail(std::string* error, const std::string& step, int err) {
  if (error) *error = step + ": " + std::strerror(err);
  app_set_error(3);
  return false;
}

bool write_all(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) {
      errno = EIO;
      return false;
    }
    done += size_t(n);
  }
  return true;
}

int fsync_retrying(int fd) {
  int r;
  do r = ::fsync(fd);
  while (r != 0 && errno == EINTR);
  return r;
}

// A name of its own beside the target (hidden, with the process id and a count), made with O_EXCL so
// that two programs saving at once never share one; the mode is the one file_open gives new files.
int create_new_file(const std::string& target, std::string& made) {
  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    made = folder + "." + base + "." + std::to_string(::getpid()) + "." + std::to_string(counter++) + ".tmp";
    const int fd = ::open(made.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Forces the folder's entries (the rename) to the disk. File systems that cannot sync a folder say so
// with EINVAL; their renames are as safe as they get.
int fsync_folder(const std::string& target) {
  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : target.substr(0, slash));
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return -1;
  const int r = fsync_retrying(fd);
  const int err = errno;
  ::close(fd);
  if (r != 0 && err == EINVAL) return 0;
  errno = err;
  return r;
}

// New files left behind by a save that was cut off (the program killed before its rename) are removed
// by a later save once they are a minute old; a younger one may belong to a save still under way.
void remove_stale_new_files(const std::string& target) {
  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : target.substr(0, slash));
  const std::string prefix = "." + (slash == std::string::npos ? target : target.substr(slash + 1)) + ".";
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  const time_t now = ::time(nullptr);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() <= prefix.size() + 4 || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - 4, 4, ".tmp") != 0)
      continue;
    const std::string path = folder + "/" + name;
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && now - st.st_mtime > kStaleSeconds)
      ::unlink(path.c_str());
  }
  ::closedir(dir);
}

}  // namespace

bool file_replace_lines(const Str& path, const std::vector<Str>& lines, std::string* error) {
  app_set_error(0);
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
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) (void)::fchmod(fd, old.st_mode & 0777);
  auto discard = [&](const std::string& step) {
    const int err = errno;
    ::close(fd);
    ::unlink(made.c_str());
    return fail(error, step, err);
  };
  if (!write_all(fd, bytes)) return discard("cannot write " + made);
  if (fsync_retrying(fd) != 0) return discard("cannot force " + made + " to the disk");
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(made.c_str());
    return fail(error, "cannot close " + made, err);
  }
  if (::rename(made.c_str(), target.c_str()) != 0) {
    const int err = errno;
    ::unlink(made.c_str());
    return fail(error, "cannot rename " + made + " to " + target, err);
  }
  if (fsync_folder(target) != 0) return fail(error, "cannot force the folder of " + target + " to the disk", errno);
  remove_stale_new_files(target);
  return true;
}
