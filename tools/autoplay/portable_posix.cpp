// portable.h on POSIX systems.
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#ifdef __linux__
#include <dlfcn.h>
#include <link.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#endif

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "portable.h"
#include "portable_detail.h"

namespace portable {

namespace {

// A status as waitpid gives it, in the terms of portable.h.
int status_of(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return WIFSIGNALED(status) ? 1000 + WTERMSIG(status) : kTimedOut;
}

// In a child just forked: it never outlives the process that started it.
void die_with_parent() {
#ifdef __linux__
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
}

// Waits at most limit_s for pid: its status, or kTimedOut with the process still running.
int wait_for(pid_t pid, double limit_s) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(limit_s);
  int status = 0;
  do {
    const pid_t ended = ::waitpid(pid, &status, WNOHANG);
    if (ended == pid) return status_of(status);
    if (ended < 0) return kTimedOut;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  } while (std::chrono::steady_clock::now() < until);
  return kTimedOut;
}

int kill_and_wait(pid_t pid) {
  ::kill(pid, SIGKILL);
  int status = 0;
  return ::waitpid(pid, &status, 0) == pid ? status_of(status) : kKilled;
}

}  // namespace

std::vector<std::string> detail::temp_env_names() { return {"TMPDIR"}; }

std::string temp_root() {
  const char* dir = std::getenv("TMPDIR");
  std::string root = dir && *dir ? dir : "/tmp";
  while (root.size() > 1 && root.back() == '/') root.pop_back();
  return root;
}

std::string make_temp_dir(const std::string& prefix) {
  std::string pattern = temp_root() + "/" + prefix + "XXXXXX";
  return ::mkdtemp(pattern.data()) ? pattern : "";
}

std::optional<std::string> get_env(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  return value ? std::optional<std::string>(value) : std::nullopt;
}

void set_env(const std::string& name, const std::string& value) { ::setenv(name.c_str(), value.c_str(), 1); }

void unset_env(const std::string& name) { ::unsetenv(name.c_str()); }

int process_id() { return static_cast<int>(::getpid()); }

bool permissions_stop_writes() { return ::geteuid() != 0; }

bool link_file(const std::string& from, const std::string& to) {
  std::error_code ec;
  std::filesystem::create_symlink(std::filesystem::absolute(from), to, ec);
  return !ec;
}

FileLock::FileLock(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  handle_ = fd;
  held_ = fd >= 0 && ::flock(fd, LOCK_EX) == 0;
}

FileLock::~FileLock() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));  // closing lets go of the lock
}

bool exited_non_zero(int status) { return WIFEXITED(status) && WEXITSTATUS(status) != 0; }

int run_program(const std::vector<std::string>& argv, const std::string& output_file, double limit_s) {
  if (argv.empty()) return 127;
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid < 0) return kTimedOut;
  if (pid == 0) {
    die_with_parent();
    const int out =
        ::open(output_file.empty() ? "/dev/null" : output_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out >= 0) {
      ::dup2(out, 1);
      ::dup2(out, 2);
    }
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ::execv(args[0], args.data());
    ::_exit(127);
  }
  const int status = wait_for(pid, limit_s);
  if (status == kTimedOut) kill_and_wait(pid);
  return status;
}

Child::~Child() {
  if (process_ > 0 && status_ == kTimedOut) kill();
}

bool Child::start(const std::string& name, const std::string& arg) {
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid < 0) return false;
  if (pid == 0) {
    die_with_parent();
    end_process(detail::run_body(name, arg));
  }
  process_ = pid;
  status_ = kTimedOut;
  return true;
}

int Child::wait(double limit_s) {
  if (process_ > 0 && status_ == kTimedOut) status_ = wait_for(static_cast<pid_t>(process_), limit_s);
  return status_;
}

int Child::kill() {
  if (process_ > 0 && status_ == kTimedOut) status_ = kill_and_wait(static_cast<pid_t>(process_));
  return status_;
}

bool limit_file_size(long long bytes) {
  ::signal(SIGXFSZ, SIG_IGN);
  const rlimit limit = {static_cast<rlim_t>(bytes), RLIM_INFINITY};
  return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

bool mount_tiny_file_system(const std::string& folder) {
#ifdef __linux__
  return ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
         ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=4k") == 0;
#else
  (void)folder;
  return false;
#endif
}

CpuTime cpu_time() {
  rusage u{};
  ::getrusage(RUSAGE_SELF, &u);
  return CpuTime{double(u.ru_utime.tv_sec) + double(u.ru_utime.tv_usec) / 1e6,
                 double(u.ru_stime.tv_sec) + double(u.ru_stime.tv_usec) / 1e6};
}

bool load_average(double load[3]) { return ::getloadavg(load, 3) == 3; }

#ifdef __linux__
namespace {
int pin_library(dl_phdr_info* info, size_t, void*) {
  if (info->dlpi_name && info->dlpi_name[0])
    ::dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
  return 0;
}
}  // namespace

void pin_loaded_libraries() { ::dl_iterate_phdr(pin_library, nullptr); }
#else
void pin_loaded_libraries() {}
#endif

}  // namespace portable
