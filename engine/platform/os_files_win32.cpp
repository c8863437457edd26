// Files and folders on Windows: wide (UTF-16) names, binary descriptors that programs started later do
// not inherit.
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "engine/platform/errno_win32.h"
#include "engine/platform/os_files.h"
#include "engine/platform/wide_text.h"

namespace {

// Seconds since 1970 of a file time (100 ns steps since 1601).
int64_t unix_seconds(const FILETIME& t) {
  const int64_t ticks = int64_t(uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime);
  return (ticks - 116444736000000000LL) / 10000000LL;
}

void fill(DWORD attributes, DWORD size_high, DWORD size_low, const FILETIME& written, OsFileInfo& info) {
  info.kind = (attributes & FILE_ATTRIBUTE_DIRECTORY) ? OsFileKind::folder
              : (attributes & FILE_ATTRIBUTE_DEVICE)  ? OsFileKind::other
                                                      : OsFileKind::file;
  info.size = int64_t(uint64_t(size_high) << 32 | size_low);
  info.modified = unix_seconds(written);
}

// What a link leads to.
bool stat_through_link(const std::wstring& path, OsFileInfo& info) {
  HANDLE h = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    errno_from_last_error();
    return false;
  }
  BY_HANDLE_FILE_INFORMATION data;
  const BOOL ok = GetFileInformationByHandle(h, &data);
  const DWORD err = GetLastError();
  CloseHandle(h);
  if (!ok) {
    errno = errno_from_win32(err);
    return false;
  }
  fill(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime, info);
  return true;
}

bool stat_path(const std::string& path, OsFileInfo& info, bool follow) {
  info = OsFileInfo();
  const std::wstring wide = wide_path(path);
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (wide.empty() || !GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) {
    if (wide.empty()) SetLastError(ERROR_PATH_NOT_FOUND);
    errno_from_last_error();
    return false;
  }
  if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    if (follow) return stat_through_link(wide, info);
    info.kind = OsFileKind::other;
    return true;
  }
  fill(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime, info);
  return true;
}

unsigned chunk(size_t n) { return unsigned(n > size_t(INT_MAX) ? size_t(INT_MAX) : n); }

}  // namespace

int os_open(const std::string& path, OsOpen how) {
  int flags = _O_BINARY | _O_NOINHERIT;
  int share = _SH_DENYNO;
  switch (how) {
    case OsOpen::read: flags |= _O_RDONLY; break;
    case OsOpen::write_new:
    case OsOpen::write_private: flags |= _O_RDWR | _O_CREAT | _O_TRUNC; break;
    case OsOpen::append: flags |= _O_WRONLY | _O_CREAT | _O_APPEND; break;
    case OsOpen::append_alone:
      flags |= _O_WRONLY | _O_CREAT | _O_APPEND;
      share = _SH_DENYRW;
      break;
    case OsOpen::create_only: flags |= _O_WRONLY | _O_CREAT | _O_EXCL; break;
  }
  const std::wstring wide = wide_path(path);
  if (wide.empty()) {
    errno = ENOENT;
    return -1;
  }
  return _wsopen(wide.c_str(), flags, share, _S_IREAD | _S_IWRITE);
}

int os_close(int fd) { return _close(fd); }

int64_t os_read(int fd, void* dst, size_t n) { return _read(fd, dst, chunk(n)); }

bool os_read_at(int fd, int64_t pos, void* dst, size_t n) {
  const HANDLE h = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  if (h == INVALID_HANDLE_VALUE || pos < 0) return false;
  auto* p = static_cast<uint8_t*>(dst);
  while (n > 0) {
    OVERLAPPED at = {};
    at.Offset = DWORD(uint64_t(pos) & 0xffffffffu);
    at.OffsetHigh = DWORD(uint64_t(pos) >> 32);
    DWORD got = 0;
    if (!ReadFile(h, p, DWORD(chunk(n)), &got, &at) || got == 0) return false;
    p += got;
    pos += got;
    n -= got;
  }
  return true;
}

int64_t os_write(int fd, const void* src, size_t n) { return _write(fd, src, chunk(n)); }

int64_t os_seek(int fd, int64_t offset, int whence) { return _lseeki64(fd, offset, whence); }

int os_sync(int fd) { return _commit(fd); }

bool os_stat(const std::string& path, OsFileInfo& info) { return stat_path(path, info, true); }
bool os_lstat(const std::string& path, OsFileInfo& info) { return stat_path(path, info, false); }

bool os_fstat(int fd, OsFileInfo& info) {
  info = OsFileInfo();
  struct _stat64 st;
  if (_fstat64(fd, &st) != 0) return false;
  info.kind = (st.st_mode & _S_IFMT) == _S_IFREG   ? OsFileKind::file
              : (st.st_mode & _S_IFMT) == _S_IFDIR ? OsFileKind::folder
                                                   : OsFileKind::other;
  info.size = int64_t(st.st_size);
  info.modified = int64_t(st.st_mtime);
  return true;
}

int os_remove_file(const std::string& path) { return _wunlink(wide_path(path).c_str()); }
int os_make_folder(const std::string& path) { return _wmkdir(wide_path(path).c_str()); }
int os_set_cwd(const std::string& path) { return _wchdir(wide_path(path).c_str()); }

std::string os_cwd() {
  wchar_t* cwd = _wgetcwd(nullptr, 0);
  if (!cwd) return std::string();
  std::string out = utf8_from_wide(cwd);
  std::free(cwd);
  return out;
}

std::vector<std::string> os_folder_names(const std::string& folder) {
  std::vector<std::string> names;
  std::wstring pattern = wide_path(folder);
  if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW found;
  HANDLE h = FindFirstFileW(pattern.c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(utf8_from_wide(name));
  } while (FindNextFileW(h, &found));
  FindClose(h);
  return names;
}

bool os_folder_writable(const std::string& folder) {
  OsFileInfo info;
  if (!os_stat(folder, info)) return false;
  if (info.kind != OsFileKind::folder) {
    errno = ENOTDIR;
    return false;
  }
  std::wstring base = wide_path(folder);
  if (base.back() != L'\\') base += L'\\';
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::wstring probe = base + L".brakka-probe-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                               std::to_wstring(counter++) + L".tmp";
    // Gone again as soon as its handle closes.
    HANDLE h =
        CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      CloseHandle(h);
      return true;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) {
      errno_from_last_error();
      return false;
    }
  }
  errno = EEXIST;
  return false;
}

int os_replace_file(const std::string& from, const std::string& to) {
  const std::wstring wide_from = wide_path(from), wide_to = wide_path(to);
  // A read-only file refuses to be replaced: the attribute is taken off for the move and given to the
  // new file (or back to the old one when the move fails).
  const DWORD attributes = GetFileAttributesW(wide_to.c_str());
  const bool read_only = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
                         !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  if (read_only) SetFileAttributesW(wide_to.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
  BOOL moved = FALSE;
  DWORD err = 0;
  // Another program (a virus scanner, an indexer) may hold the old file for a moment.
  for (int attempt = 0; attempt < 5 && !moved; ++attempt) {
    if (attempt) Sleep(20);
    moved =
        MoveFileExW(wide_from.c_str(), wide_to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    err = moved ? 0 : GetLastError();
    if (err != ERROR_SHARING_VIOLATION) break;
  }
  if (read_only) {
    const DWORD now = GetFileAttributesW(wide_to.c_str());
    SetFileAttributesW(wide_to.c_str(),
                       moved && now != INVALID_FILE_ATTRIBUTES ? now | FILE_ATTRIBUTE_READONLY : attributes);
  }
  if (moved) return 0;
  errno = errno_from_win32(err);
  return -1;
}

void os_copy_permissions(const std::string&, int) {}

int os_sync_folder(const std::string&) { return 0; }

FILE* os_fopen(const std::string& path, const char* mode) {
  return _wfopen(wide_path(path).c_str(), wide_from_utf8(mode).c_str());
}

long os_process_id() { return long(GetCurrentProcessId()); }
