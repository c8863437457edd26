// Path spelling and whole-input reads by resolved name.
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
  int fd = os_open(path_to_native(path), OsOpen::read);
  if (fd < 0) return false;
  OsFileInfo info;
  if (!os_fstat(fd, info) || info.kind != OsFileKind::file) {
    os_close(fd);
    return false;
  }
  out.reserve(size_t(info.size));
  uint8_t buf[65536];
  bool ok = true;
  for (;;) {
    const int64_t n = os_read(fd, buf, sizeof buf);
    if (n > 0) {
      out.insert(out.end(), buf, buf + n);
    } else {
      ok = n == 0;
      break;
    }
  }
  os_close(fd);
  if (!ok) out.clear();
  return ok;
}
