// Path spelling and whole-input reads by resolved name.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include "engine/core/files.h"
#include "engine/core/mem_name.h"

std::string path_to_native(const char* path) {
  std::string s = path ? path : "";
  for (char& c : s)
    if (c == '\\') c = '/';
  return s;
}

bool path_is_regular_file(const char* path) {
  if (!path || !*path || mem_name_is(path)) return false;
  struct stat st;
  return ::stat(path_to_native(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool file_read_all(const char* path, std::vector<uint8_t>& out) {
  out.clear();
  if (!path || !*path) return false;
  if (mem_name_is(path)) {
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    if (!mem_name_lookup(path, &data, &size)) return false;
    out.assign(data, data + size);
    return true;
  }
  int fd = ::open(path_to_native(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  out.reserve(size_t(st.st_size));
  uint8_t buf[65536];
  bool ok = true;
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n > 0) {
      out.insert(out.end(), buf, buf + n);
    } else if (n == 0) {
      break;
    } else if (errno != EINTR) {
      ok = false;
      break;
    }
  }
  ::close(fd);
  if (!ok) out.clear();
  return ok;
}
