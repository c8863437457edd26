// portable.h on Windows: wide (UTF-16) calls for every path and variable; a child is this program
// started again, told its body through the environment, and kept in a job object that ends it when
// this process ends.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "portable.h"
#include "portable_detail.h"

namespace portable {

namespace {

std::wstring wide(const std::string& text) {
  if (text.empty()) return L"";
  const int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string utf8(const std::wstring& text) {
  if (text.empty()) return "";
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                        nullptr);
  return out;
}

// One argument of a command line, quoted so that the C runtime's parser gives it back unchanged.
std::wstring quoted(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(2 * backslashes, L'\\');
  return out + L"\"";
}

// The job every child joins: closed when this process ends, which ends them too.
HANDLE children_job() {
  static HANDLE job = [] {
    HANDLE j = ::CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (j) ::SetInformationJobObject(j, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    return j;
  }();
  return job;
}

// Starts command_line (program: its path, or nullptr to take it from the line) with the given
// standard output and error; the process's handle, or nullptr.
HANDLE spawn(const wchar_t* program, std::wstring command_line, HANDLE output) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = output ? output : ::GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = output ? output : ::GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION info{};
  std::fflush(nullptr);
  if (!::CreateProcessW(program, command_line.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr,
                        nullptr, &startup, &info))
    return nullptr;
  if (HANDLE job = children_job()) ::AssignProcessToJobObject(job, info.hProcess);
  ::ResumeThread(info.hThread);
  ::CloseHandle(info.hThread);
  return info.hProcess;
}

// Waits at most limit_s for the process: its exit code, or kTimedOut while it runs on.
int wait_for(HANDLE process, double limit_s) {
  const double ms = std::max(0.0, limit_s * 1000.0);
  if (::WaitForSingleObject(process, ms >= 4e9 ? INFINITE : static_cast<DWORD>(ms)) != WAIT_OBJECT_0)
    return kTimedOut;
  DWORD code = 0;
  return ::GetExitCodeProcess(process, &code) ? static_cast<int>(code) : kTimedOut;
}

int kill_and_wait(HANDLE process) {
  ::TerminateProcess(process, kKilled);
  ::WaitForSingleObject(process, INFINITE);
  DWORD code = 0;
  return ::GetExitCodeProcess(process, &code) ? static_cast<int>(code) : kKilled;
}

}  // namespace

std::vector<std::string> detail::temp_env_names() { return {"TMP", "TEMP"}; }

std::string temp_root() {
  wchar_t buffer[MAX_PATH + 2];
  const DWORD n = ::GetTempPathW(MAX_PATH + 2, buffer);
  std::string root = n > 0 && n <= MAX_PATH + 1 ? utf8(std::wstring(buffer, n)) : "C:/";
  std::replace(root.begin(), root.end(), '\\', '/');
  while (root.size() > 3 && root.back() == '/') root.pop_back();
  return root;
}

std::string make_temp_dir(const std::string& prefix) {
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  unsigned long long seed = ::GetTickCount64() * 2654435761ull + ::GetCurrentProcessId();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = temp_root() + "/" + prefix;
    for (int i = 0; i < 6; ++i) {
      seed = seed * 6364136223846793005ull + 1442695040888963407ull;
      name += kLetters[(seed >> 33) % 36];
    }
    if (::CreateDirectoryW(wide(name).c_str(), nullptr)) return name;
    if (::GetLastError() != ERROR_ALREADY_EXISTS) return "";
  }
  return "";
}

std::optional<std::string> get_env(const std::string& name) {
  const std::wstring key = wide(name);
  const DWORD n = ::GetEnvironmentVariableW(key.c_str(), nullptr, 0);
  if (n == 0)
    return ::GetLastError() == ERROR_ENVVAR_NOT_FOUND ? std::nullopt : std::optional<std::string>("");
  std::wstring value(n, L'\0');
  value.resize(::GetEnvironmentVariableW(key.c_str(), value.data(), n));
  return utf8(value);
}

// Both the system's block (what GetTempPath and new processes read) and the C runtime's copy (getenv).
void set_env(const std::string& name, const std::string& value) {
  ::SetEnvironmentVariableW(wide(name).c_str(), wide(value).c_str());
  ::_wputenv((wide(name) + L"=" + wide(value)).c_str());
}

void unset_env(const std::string& name) {
  ::SetEnvironmentVariableW(wide(name).c_str(), nullptr);
  ::_wputenv((wide(name) + L"=").c_str());
}

int process_id() { return static_cast<int>(::GetCurrentProcessId()); }

bool permissions_stop_writes() { return false; }

bool link_file(const std::string& from, const std::string& to) {
  const std::wstring source = wide(path_text(std::filesystem::absolute(to_path(from))));
  return ::CreateHardLinkW(wide(to).c_str(), source.c_str(), nullptr) ||
         ::CopyFileW(source.c_str(), wide(to).c_str(), TRUE);
}

FileLock::FileLock(const std::string& path) {
  HANDLE file = ::CreateFileW(wide(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  handle_ = reinterpret_cast<long long>(file);
  OVERLAPPED from_the_start{};
  held_ = ::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &from_the_start);
}

FileLock::~FileLock() {
  if (handle_ != -1) ::CloseHandle(reinterpret_cast<HANDLE>(handle_));  // closing lets go of the lock
}

bool exited_non_zero(int status) { return status != 0; }

int run_program(const std::vector<std::string>& argv, const std::string& output_file, double limit_s) {
  if (argv.empty()) return 127;
  std::string program = argv[0];
  std::replace(program.begin(), program.end(), '/', '\\');
  std::wstring line = quoted(wide(program));
  for (size_t i = 1; i < argv.size(); ++i) line += L" " + quoted(wide(argv[i]));
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE output = ::CreateFileW(output_file.empty() ? L"NUL" : wide(output_file).c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  HANDLE process = spawn(nullptr, line, output == INVALID_HANDLE_VALUE ? nullptr : output);
  if (output != INVALID_HANDLE_VALUE) ::CloseHandle(output);
  if (!process) return 127;
  int status = wait_for(process, limit_s);
  if (status == kTimedOut) kill_and_wait(process);
  ::CloseHandle(process);
  return status;
}

Child::~Child() {
  if (process_ != -1) {
    if (status_ == kTimedOut) kill();
    ::CloseHandle(reinterpret_cast<HANDLE>(process_));
  }
}

bool Child::start(const std::string& name, const std::string& arg) {
  wchar_t self[32768];
  const DWORD n = ::GetModuleFileNameW(nullptr, self, 32768);
  if (n == 0 || n >= 32768) return false;
  detail::announce_body(name, arg);
  HANDLE process = spawn(self, quoted(self), nullptr);
  detail::forget_body();
  if (!process) return false;
  process_ = reinterpret_cast<long long>(process);
  status_ = kTimedOut;
  return true;
}

int Child::wait(double limit_s) {
  if (process_ != -1 && status_ == kTimedOut) status_ = wait_for(reinterpret_cast<HANDLE>(process_), limit_s);
  return status_;
}

int Child::kill() {
  if (process_ != -1 && status_ == kTimedOut) status_ = kill_and_wait(reinterpret_cast<HANDLE>(process_));
  return status_;
}

bool limit_file_size(long long) { return false; }

bool mount_tiny_file_system(const std::string&) { return false; }

CpuTime cpu_time() {
  FILETIME created, ended, kernel, user;
  if (!::GetProcessTimes(::GetCurrentProcess(), &created, &ended, &kernel, &user)) return {};
  auto seconds = [](const FILETIME& t) {
    return double((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return CpuTime{seconds(user), seconds(kernel)};
}

bool load_average(double[3]) { return false; }

void pin_loaded_libraries() {}

}  // namespace portable
