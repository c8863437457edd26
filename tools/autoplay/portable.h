// What the tests and the test tools do differently on POSIX systems and on Windows: temporary folders,
// the environment, file locks, other programs and child processes. Each system has its own file
// (portable_posix.cpp, portable_win32.cpp); what both share is in portable.cpp. Paths are UTF-8, with '/'
// between names.
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace portable {

#ifdef _WIN32
inline constexpr bool kWindows = true;
#else
inline constexpr bool kWindows = false;
#endif

// A path from UTF-8 text, and its UTF-8 text with '/' between names (std::filesystem reads and writes
// narrow strings in the ANSI code page on Windows).
std::filesystem::path to_path(const std::string& utf8);
std::string path_text(const std::filesystem::path& path);
// The path with the system's separator between names ('\\' on Windows), as the runtime hands paths out.
std::string native_path(std::string path);

// The system's temporary folder ($TMPDIR or /tmp; on Windows GetTempPath), without a '/' at the end.
std::string temp_root();
// A new folder temp_root()/<prefix><six random characters>; "" when none could be made.
std::string make_temp_dir(const std::string& prefix);

// The environment of this process and of the processes it starts.
std::optional<std::string> get_env(const std::string& name);
void set_env(const std::string& name, const std::string& value);
void unset_env(const std::string& name);
// Points the runtime's temporary folder, where its log goes, at dir: $TMPDIR, or %TMP% and %TEMP% on Windows.
void set_temp_env(const std::string& dir);
// set_temp_env for as long as it lives; then the variables are as they were.
class TempEnv {
 public:
  explicit TempEnv(const std::string& dir);
  ~TempEnv();
  TempEnv(const TempEnv&) = delete;
  TempEnv& operator=(const TempEnv&) = delete;

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

int process_id();
// Whether a folder's permissions can stop this process writing in it: not as root, and not on Windows,
// where a folder's read-only attribute stops nothing.
bool permissions_stop_writes();
// Puts a file at `to` that reads as `from`: a symbolic link to it on POSIX; on Windows a hard link, or
// a copy where none can be made. Replace it (remove, then write) rather than write into it.
bool link_file(const std::string& from, const std::string& to);

// An exclusive lock on a file, held while the object lives (flock; LockFileEx on Windows).
class FileLock {
 public:
  explicit FileLock(const std::string& path);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  bool held() const { return held_; }

 private:
  long long handle_ = -1;
  bool held_ = false;
};

// Exit statuses, as run_program and Child give them: the exit code; kKilled for a process ended by
// Child::kill() (SIGKILL on POSIX); 1000 + the signal for one ended by another signal; kTimedOut for
// one that did not end in time (it is then ended). On Windows a crash gives the exception's code.
constexpr int kTimedOut = -1;
constexpr int kKilled = 1009;
// For EXPECT_EXIT: the statement's process ended by itself with a status other than 0.
bool exited_non_zero(int status);

// Runs argv[0] (a path; ".exe" may be left off on Windows) with the arguments after it, its standard
// output and error written to output_file ("": discarded), and waits at most limit_s.
int run_program(const std::vector<std::string>& argv, const std::string& output_file = "",
                double limit_s = 600);

// Child processes that run a function of this program: a ChildBody registered under a name (a static
// object) and started with a text argument; what it returns is the child's exit status. On POSIX the
// child is a fork of this process that calls the body; on Windows it is this program started again,
// which runs the body from main (run_child_body_if_asked) and nothing else. A body therefore sets up
// everything it needs from its argument, the environment and the current folder, which it inherits.
using ChildMain = int (*)(const std::string& arg);
struct ChildBody {
  ChildBody(const char* name, ChildMain main);
};

// First thing in main: in a child started for a body, runs it and ends the process with its status;
// otherwise returns.
void run_child_body_if_asked();

class Child {
 public:
  Child() = default;
  ~Child();  // ends a child that is still running
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  // Starts the body `name` (registered) with arg. False when it could not be started.
  bool start(const std::string& name, const std::string& arg);
  // The child's exit status once it has ended, waiting at most limit_s; kTimedOut while it runs on.
  int wait(double limit_s);
  // Ends it at once; its exit status (kKilled, unless it had ended by itself).
  int kill();

 private:
  long long process_ = -1;
  int status_ = kTimedOut;
};

// Starts a body, waits at most limit_s for its status, and ends it when it is late (kTimedOut).
int run_child(const std::string& name, const std::string& arg, double limit_s);

// Ways to make writes fail, for the calling process alone (a child); false where the system has none.
// A limit on the size of the files it writes (a write past it fails as "File too large").
bool limit_file_size(long long bytes);
// A file system of one 4 kB page mounted on folder (a mount namespace of its own; Linux, as root).
bool mount_tiny_file_system(const std::string& folder);

// This process's processor time so far, in seconds.
struct CpuTime {
  double user = 0, system = 0;
};
CpuTime cpu_time();
// The machine's load averages over 1, 5 and 15 minutes; false where the system keeps none (Windows).
bool load_average(double load[3]);

// Keeps every library loaded so far mapped until the process ends (a leak checker can then still name
// the allocations of a driver that was unloaded); nothing to do on Windows.
void pin_loaded_libraries();

// Ends this process at once with `status`, after flushing standard output and error.
[[noreturn]] void end_process(int status);

}  // namespace portable
