// Files and folders on a POSIX system.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "engine/platform/os_files.h"
#ifdef __EMSCRIPTEN__
#include "engine/platform/web_page.h"
#endif

namespace {

bool fill(const struct stat& st, OsFileInfo& info) {
  info.kind = S_ISREG(st.st_mode)   ? OsFileKind::file
              : S_ISDIR(st.st_mode) ? OsFileKind::folder
                                    : OsFileKind::other;
  info.size = int64_t(st.st_size);
  info.modified = int64_t(st.st_mtim.tv_sec);
  info.modified_ns = int32_t(st.st_mtim.tv_nsec);
  return true;
}

}  // namespace

int os_open(const std::string& path, OsOpen how) {
  // Opened without waiting (a FIFO would wait for a writer for good), then refused unless the
  // descriptor is a regular file: what was opened is what is checked, with no gap between the two.
  int flags = O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
  mode_t mode = 0644;
  switch (how) {
    case OsOpen::read: flags |= O_RDONLY; break;
    case OsOpen::write_new: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
    case OsOpen::write_private:
      flags |= O_RDWR | O_CREAT | O_TRUNC;
      mode = 0600;
      break;
    case OsOpen::append:
    case OsOpen::append_alone: flags |= O_WRONLY | O_CREAT | O_APPEND; break;
    case OsOpen::create_only: flags |= O_WRONLY | O_CREAT | O_EXCL; break;
  }
  const int fd = ::open(path.c_str(), flags, mode);
  if (fd < 0) return fd;
  struct stat st {};
  const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  const int status = regular ? ::fcntl(fd, F_GETFL) : -1;
  if (!regular || status == -1 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
    const int err = S_ISDIR(st.st_mode) ? EISDIR : regular ? errno : ENXIO;
    ::close(fd);
    errno = err;
    return -1;
  }
  if (how != OsOpen::append_alone) return fd;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int err = errno;
    ::close(fd);
    errno = err;
    return -1;
  }
  return fd;
}

int os_close(int fd) { return ::close(fd); }

int64_t os_read(int fd, void* dst, size_t n) {
  for (;;) {
    const ssize_t got = ::read(fd, dst, n);
    if (got < 0 && errno == EINTR) continue;
    return got;
  }
}

bool os_read_at(int fd, int64_t pos, void* dst, size_t n) {
  auto* p = static_cast<uint8_t*>(dst);
  while (n > 0) {
    const ssize_t got = ::pread(fd, p, n, off_t(pos));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    p += got;
    pos += got;
    n -= size_t(got);
  }
  return true;
}

int64_t os_write(int fd, const void* src, size_t n) {
  for (;;) {
    const ssize_t done = ::write(fd, src, n);
    if (done < 0 && errno == EINTR) continue;
    return done;
  }
}

int64_t os_seek(int fd, int64_t offset, int whence) { return ::lseek(fd, off_t(offset), whence); }

int os_sync(int fd) {
  int r;
  do r = ::fsync(fd);
  while (r != 0 && errno == EINTR);
  return r;
}

bool os_stat(const std::string& path, OsFileInfo& info) {
  struct stat st;
  info = OsFileInfo();
  return ::stat(path.c_str(), &st) == 0 && fill(st, info);
}

bool os_lstat(const std::string& path, OsFileInfo& info) {
  struct stat st;
  info = OsFileInfo();
  return ::lstat(path.c_str(), &st) == 0 && fill(st, info);
}

bool os_fstat(int fd, OsFileInfo& info) {
  struct stat st;
  info = OsFileInfo();
  return ::fstat(fd, &st) == 0 && fill(st, info);
}

int os_remove_file(const std::string& path) { return ::unlink(path.c_str()); }
int os_make_folder(const std::string& path) { return ::mkdir(path.c_str(), 0755); }

std::string os_make_private_folder(const std::string& prefix) {
  std::string pattern = prefix + "XXXXXX";
  return ::mkdtemp(pattern.data()) ? pattern : std::string();
}

int os_remove_folder(const std::string& path) { return ::rmdir(path.c_str()); }

bool os_process_alive(long id) { return id > 0 && (::kill(pid_t(id), 0) == 0 || errno == EPERM); }
int os_set_cwd(const std::string& path) { return ::chdir(path.c_str()); }

std::string os_cwd() {
  char* cwd = ::getcwd(nullptr, 0);
  if (!cwd) return std::string();
  std::string out = cwd;
  ::free(cwd);
  return out;
}

std::vector<std::string> os_folder_names(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  return names;
}

bool os_folder_writable(const std::string& folder) {
  // access() answers for the real user and also says no on a file system mounted read-only.
  return ::access(folder.c_str(), W_OK) == 0;
}

int os_replace_file(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str());
}

void os_copy_permissions(const std::string& from, int fd) {
  struct stat old {};
  if (::stat(from.c_str(), &old) == 0 && S_ISREG(old.st_mode)) (void)::fchmod(fd, old.st_mode & 0777);
}

int os_sync_folder(const std::string& folder) {
#ifdef __EMSCRIPTEN__
  // A page's files live in memory: forcing them to the disk is handing them to the browser's storage.
  (void)folder;
  return web_storage_flush() ? 0 : -1;
#endif
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return -1;
  const int r = os_sync(fd);
  const int err = errno;
  ::close(fd);
  // File systems that cannot sync a folder say so with EINVAL; their renames are as safe as they get.
  if (r != 0 && err == EINVAL) return 0;
  errno = err;
  return r;
}

FILE* os_fopen(const std::string& path, const char* mode) {
  // Reading goes through os_open, which opens regular files only and never waits on a FIFO.
  if (!mode || mode[0] != 'r' || std::strchr(mode, '+')) return std::fopen(path.c_str(), mode);
  const int fd = os_open(path, OsOpen::read);
  if (fd < 0) return nullptr;
  FILE* f = ::fdopen(fd, mode);
  if (!f) {
    const int err = errno;
    ::close(fd);
    errno = err;
  }
  return f;
}

long os_process_id() { return long(::getpid()); }
