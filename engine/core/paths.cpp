// Path spelling and whole-input reads by resolved name.
#include <cerrno>
#include <new>
#include <vector>
#include "engine/core/files.h"
#include "engine/core/mem_name.h"
#include "engine/platform/os_files.h"
#include "engine/platform/os_paths.h"

std::string path_to_native(const char* path) {
  return path_spelt_natively(path ? path : "", host_path_style());
}

bool path_is_regular_file(const char* path) {
  if (!path || !*path || mem_name_is(path)) return false;
  OsFileInfo info;
  return os_stat(path_to_native(path), info) && info.kind == OsFileKind::file;
}

bool file_path_exists(const char* path) {
  if (!path || !*path || mem_name_is(path)) return false;
  OsFileInfo info;
  return os_lstat(path_to_native(path), info);
}

bool file_path_is_absolute(const char* path) { return path_is_absolute(path ? path : "", host_path_style()); }

std::string file_path_join(const char* folder, const char* name) {
  return path_join(path_to_native(folder), path_to_native(name), host_path_style());
}

std::string file_path_parent(const char* path) {
  return path_parent(path_to_native(path), host_path_style());
}

namespace {

// Reads the rest of fd into out, at most max_bytes: the size a file claims is only a hint (it may grow,
// or be a hole of gigabytes), so nothing is set aside beyond the limit.
bool read_bounded(int fd, int64_t claimed, size_t max_bytes, std::vector<uint8_t>& out) {
  if (claimed > 0 && uint64_t(claimed) > max_bytes) {
    errno = EFBIG;
    return false;
  }
  out.reserve(size_t(claimed > 0 ? claimed : 0));
  uint8_t buf[65536];
  for (;;) {
    const int64_t n = os_read(fd, buf, sizeof buf);
    if (n < 0) return false;
    if (n == 0) return true;
    if (size_t(n) > max_bytes - out.size()) {
      errno = EFBIG;
      return false;
    }
    out.insert(out.end(), buf, buf + n);
  }
}

// The bytes a live "mem://" name names, at most max_bytes of them; false with errno ENOENT or EFBIG.
bool mem_bytes(const char* path, size_t max_bytes, const uint8_t*& data, uint32_t& size) {
  if (!mem_name_lookup(path, &data, &size)) {
    errno = ENOENT;
    return false;
  }
  if (size > max_bytes) {
    errno = EFBIG;
    return false;
  }
  return true;
}

}  // namespace

bool file_read_all(const char* path, std::vector<uint8_t>& out, size_t max_bytes) {
  out.clear();
  if (!path || !*path) {
    errno = ENOENT;
    return false;
  }
  try {
    if (mem_name_is(path)) {
      const uint8_t* data = nullptr;
      uint32_t size = 0;
      if (!mem_bytes(path, max_bytes, data, size)) return false;
      out.assign(data, data + size);
      return true;
    }
    int fd = os_open(path_to_native(path), OsOpen::read);
    if (fd < 0) return false;
    OsFileInfo info;
    bool ok =
        os_fstat(fd, info) && info.kind == OsFileKind::file && read_bounded(fd, info.size, max_bytes, out);
    const int err = errno;
    os_close(fd);
    errno = err;
    if (!ok) out = std::vector<uint8_t>();
    return ok;
  } catch (const std::bad_alloc&) {
    out = std::vector<uint8_t>();
    errno = ENOMEM;
    return false;
  }
}

bool file_bytes(const char* path, size_t max_bytes, FileBytes& out) {
  out = FileBytes();
  if (path && mem_name_is(path)) {
    uint32_t size = 0;
    if (!mem_bytes(path, max_bytes, out.data, size)) return false;
    out.size = size;
    return true;
  }
  if (!file_read_all(path, out.held, max_bytes)) return false;
  out.data = out.held.data();
  out.size = out.held.size();
  return true;
}

bool file_is_newer(const char* path, const char* than) {
  if (!path_is_regular_file(path) || !path_is_regular_file(than)) return false;
  OsFileInfo a, b;
  if (!os_stat(path_to_native(path), a) || !os_stat(path_to_native(than), b)) return false;
  return a.modified != b.modified ? a.modified > b.modified : a.modified_ns > b.modified_ns;
}

int64_t file_input_size(const char* path) {
  if (!path || !*path) return -1;
  if (mem_name_is(path)) {
    uint32_t size = 0;
    return mem_name_lookup(path, nullptr, &size) ? int64_t(size) : -1;
  }
  OsFileInfo info;
  return os_stat(path_to_native(path), info) && info.kind == OsFileKind::file ? info.size : -1;
}
