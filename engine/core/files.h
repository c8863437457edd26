// Text files on eight channels, the current directory, and reading whole inputs by name.
#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include "engine/core/str.h"

int file_open(int channel, const Str& path, int mode);  // mode > 0 read, 0 write, < 0 append
void file_close(int channel);
void file_read_line(int channel, Str& out);
void file_write_line(int channel, const Str& text);
double file_set_cwd(const Str& dir);
// True when files can be made in the folder dir: it exists, the user may write it and its file system
// is not mounted read-only.
bool file_dir_writable(const Str& dir);
// True when dir can hold new files once file_make_dirs has made it: the nearest folder on the way up
// that exists (dir itself, or a folder above it) can be written. Otherwise `why` (when given) names that
// path and the system's reason ("\"/home/ellie/.local\": Not a directory").
bool file_dir_can_hold(const Str& dir, std::string* why = nullptr);
// Makes the folder dir and every missing folder above it (mode 0755 less the umask). True when dir is a
// folder afterwards; otherwise error code 3 is set and `error` (when given) names the folder that could
// not be made and why.
bool file_make_dirs(const Str& dir, std::string* error = nullptr);
void file_set_archives(const Str& first, const Str& second);
void file_close_all();
// The folder a program named program_name keeps a user's own data in: its folder in the user's data
// folder, named as the system's custom has it (Linux: "brakka" in $XDG_DATA_HOME, else in
// ~/.local/share; Windows: "Brakka" in %APPDATA%). "" when the system names no user data folder.
std::string file_user_data_folder(const char* program_name);
// Where the user's data folder comes from, for a message that says there is none ("$XDG_DATA_HOME or
// $HOME", "%APPDATA%").
const char* file_user_data_origin();
// False when the user's data folder would lie below a $HOME that does not exist: a program then makes
// no folder there (it would make the home too).
bool file_user_data_home_exists();
// The folder a program keeps a user's state in (its log): Linux: "brakka" in $XDG_STATE_HOME, else in
// ~/.local/state. "" when the system names none (Windows: logs stay in the temporary folder).
std::string file_user_state_folder(const char* program_name);
// Platform information by key; the key is upper-cased in place. On Linux (Windows answers from its own
// sources: the known folders, the volume of the system drive, the user's locale, ...):
//   ""            "LINUX" (the name of the platform the runtime was built for; "WINDOWS")
//   DEVICE        "DESKTOP"
//   GLEXT:name    "1" when the loaded OpenGL library (or, on Windows, the context's driver) has the
//                 function name (as spelt), else "0"
//   ID            8 upper-case hex digits from the root file system's identifier
//   TIME, UTCTIME local and universal time, YYYY-MM-DD hh:mm:ss
//   COMPILED      build date and time of the runtime, same pattern
//   HOSTID        8 upper-case hex digits of the host identifier
//   VERSION       kernel name and release, e.g. "Linux 6.1.0"
//   LOCALE        two-letter language code from LC_ALL, LC_MESSAGES or LANG ("en" when unset)
//   BATTERY       charge of the first battery in percent, "NO_DATA" without one
//   DOCUMENTS, DESKTOP  $HOME/Documents, $HOME/Desktop
//   APPDATA       $XDG_DATA_HOME when it is an absolute path, else $HOME/.local/share
//   TEMP          the temporary directory, with a separator at its end
//   anything else "NO_DATA"
Str& sys_info(Str& out, Str& key);

// "/" and "\" are alike: turn both into the platform separator.
std::string path_to_native(const char* path);
// True when path names an existing regular file ("/" and "\" alike); "mem://" names are not files.
bool path_is_regular_file(const char* path);
// True when anything stands at path (a link counts as itself, whether or not it leads anywhere).
bool file_path_exists(const char* path);
// True when both name regular files and the first was last written later than the second.
bool file_is_newer(const char* path, const char* than);
// Paths by the system's rules (os_paths.h): absolute ("/home/ellie", "C:\Users\Zoe", "\\server\share"),
// a name below a folder, the folder that holds a path ("" for a bare name). The results use the
// platform separator.
bool file_path_is_absolute(const char* path);
std::string file_path_join(const char* folder, const char* name);
std::string file_path_parent(const char* path);
// Reads a whole input named by a resolved path: a live "mem://" name or a regular file on disk.
// False (and out empty) when the name does not resolve or the file cannot be read; with errno EFBIG
// (nothing read) when it holds more than max_bytes, ENOMEM when there is no memory to hold it.
bool file_read_all(const char* path, std::vector<uint8_t>& out, size_t max_bytes = SIZE_MAX);

// The largest media file (picture or sound) the runtime reads, and the largest entry it unpacks from
// an archive. The game's largest is its packed pictures' archive at about 5 MB; a file beyond this
// is refused before any of it is read, whatever size it claims.
constexpr size_t kMediaFileMaxBytes = size_t{64} << 20;

// A whole input named by a resolved path, held once: a live "mem://" name is used where it lies, a file
// on disk is read into `held`.
struct FileBytes {
  const uint8_t* data = nullptr;
  size_t size = 0;
  std::vector<uint8_t> held;
};
// False as file_read_all is (errno EFBIG beyond max_bytes, ENOMEM without memory).
bool file_bytes(const char* path, size_t max_bytes, FileBytes& out);
// The size of the input a resolved path names (a "mem://" name's or a file's), or -1.
int64_t file_input_size(const char* path);

// Longest path the file and archive operations accept, in bytes.
constexpr size_t FILE_PATH_MAX = 1023;
