// Files and folders as the operating system has them: the runtime's file, archive and log code calls
// these instead of the system's own calls. Paths are UTF-8 (Windows is spoken to in UTF-16, so any
// letter a name has works); both "/" and "\" may separate folders on Windows, "/" on Linux. Files are
// read and written as bytes (no text mode anywhere), and no descriptor is handed on to programs the
// runtime starts. Calls that fail say why in errno, with the system's reason mapped onto errno's codes.
// POSIX: os_files_posix.cpp; Windows: os_files_win32.cpp.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

enum class OsOpen {
  read,           // reading from the start
  write_new,      // reading and writing a file made or emptied (0644 less the umask on Linux)
  write_private,  // the same, readable by the user alone (0600)
  append,         // writing at the end, the file made when missing
  append_alone,   // the same, refused (EWOULDBLOCK) while another process has the file open so
  create_only,    // writing a new file; refused (EEXIST) when the name is taken
};

// A descriptor >= 0, or -1.
int os_open(const std::string& path, OsOpen how);
int os_close(int fd);
// Bytes read (0 at the end), -1 on failure; interrupted reads are retried.
int64_t os_read(int fd, void* dst, size_t n);
// Exactly n bytes at pos, whatever the descriptor's position; false when fewer can be read.
bool os_read_at(int fd, int64_t pos, void* dst, size_t n);
// Bytes written by one write (perhaps fewer than n), -1 on failure; interrupted writes are retried.
int64_t os_write(int fd, const void* src, size_t n);
// All n bytes, however many writes that takes; a write that takes nothing fails with EIO (os_files.cpp).
bool os_write_all(int fd, const void* src, size_t n);
// lseek: SEEK_SET, SEEK_CUR or SEEK_END; the new position or -1.
int64_t os_seek(int fd, int64_t offset, int whence);
// The file's data forced to the disk (fsync, FlushFileBuffers).
int os_sync(int fd);

enum class OsFileKind { none, file, folder, other };
struct OsFileInfo {
  OsFileKind kind = OsFileKind::none;
  int64_t size = 0;
  int64_t modified = 0;     // last write, seconds since 1970 (UTC)
  int32_t modified_ns = 0;  // and nanoseconds within that second, as finely as the system keeps them
};
// What stands at path (a link followed), false with errno when nothing can be found there.
bool os_stat(const std::string& path, OsFileInfo& info);
// The same, a link taken as itself (kind other).
bool os_lstat(const std::string& path, OsFileInfo& info);
bool os_fstat(int fd, OsFileInfo& info);

int os_remove_file(const std::string& path);
// One folder (0755 less the umask on Linux); fails with EEXIST when the name is taken.
int os_make_folder(const std::string& path);
// A new folder named prefix + six random characters, made by this call alone (no other process can
// have taken the name first) and open to this user alone on Linux; "" when none can be made.
std::string os_make_private_folder(const std::string& prefix);
// An empty folder removed.
int os_remove_folder(const std::string& path);
// Whether a process of this id is running now.
bool os_process_alive(long id);
int os_set_cwd(const std::string& path);
std::string os_cwd();  // "" when it cannot be told
// The names in a folder, without "." and ".."; empty when it cannot be read.
std::vector<std::string> os_folder_names(const std::string& folder);
// Whether new files can be made in the folder now. Linux asks access(W_OK) (the real user, a file
// system mounted read-only); Windows makes a file there and removes it again, as its permissions and
// a folder's read-only attribute do not tell (Program Files looks writable to a plain user). False with
// errno set when it cannot.
bool os_folder_writable(const std::string& folder);

// Replacing a file with another in the same folder, in one step: a reader finds the old file or the new
// one. `from` takes `to`'s name; on failure both are left as they were. The file at `to` being
// read-only does not stop the replace on either system (Linux: the folder decides; Windows: its
// read-only attribute passes on to the new file).
int os_replace_file(const std::string& from, const std::string& to);
// The permission bits of the file at `from` given to the open file fd (a file made read-only or private
// stays so when replaced). Nothing on Windows, where os_replace_file keeps the read-only attribute.
void os_copy_permissions(const std::string& from, int fd);
// The folder's entries (a replace in it) forced to the disk; 0 where a system has nothing of the kind
// (Windows, or a Linux file system that cannot sync a folder).
int os_sync_folder(const std::string& folder);

// fopen with a UTF-8 name; callers open in binary ("rb", "wb").
FILE* os_fopen(const std::string& path, const char* mode);
long os_process_id();
