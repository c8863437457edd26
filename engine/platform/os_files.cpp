// What the file calls of both systems share.
#include <cerrno>

#include "engine/platform/os_files.h"

bool os_write_all(int fd, const void* src, size_t n) {
  const auto* p = static_cast<const uint8_t*>(src);
  while (n > 0) {
    const int64_t done = os_write(fd, p, n);
    if (done < 0) return false;
    if (done == 0) {
      errno = EIO;
      return false;
    }
    p += done;
    n -= size_t(done);
  }
  return true;
}
