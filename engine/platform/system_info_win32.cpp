// Facts about the process and the system on Windows.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>

#include "engine/platform/system_info.h"
#include "engine/platform/wide_text.h"

std::string system_program_path() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (n == 0) return std::string();
    if (n < path.size()) return utf8_from_wide(std::wstring_view(path.data(), n));
    if (path.size() >= 32768) return std::string();
    path.resize(path.size() * 2);
  }
}

bool system_tracer_attached() { return IsDebuggerPresent() != FALSE; }

void system_debug_output(const char* text) { OutputDebugStringW(wide_from_utf8(text ? text : "").c_str()); }

void system_log_echo(const char*) {}

std::vector<std::string> system_arguments(int argc, char** argv) {
  std::vector<std::string> out;
  int n = 0;
  if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &n)) {
    for (int i = 0; i < n; ++i) out.push_back(utf8_from_wide(wide[i]));
    LocalFree(wide);
    return out;
  }
  for (int i = 0; i < argc; ++i) out.push_back(argv[i] ? argv[i] : "");
  return out;
}

// A program of the graphical subsystem starts without a console; started from one, it may write there.
// A stdout handed over by the starter (redirected to a file or a pipe) is used as it is.
void system_attach_console() {
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out != nullptr && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_UNKNOWN) return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  FILE* console = std::freopen("CONOUT$", "w", stdout);
  (void)console;
}

bool system_env(const char* name, std::string& value) {
  const wchar_t* found = name ? _wgetenv(wide_from_utf8(name).c_str()) : nullptr;
  value = found ? utf8_from_wide(found) : "";
  return found != nullptr;
}

// msvcrt's copy of the environment and the process's own (which started programs inherit) together;
// an empty value removes the variable.
bool system_set_env(const char* name, const char* value) {
  if (!name || !*name) return false;
  return _wputenv_s(wide_from_utf8(name).c_str(), wide_from_utf8(value ? value : "").c_str()) == 0;
}

const char* system_name() { return "WINDOWS"; }

// RtlGetVersion tells the real version; GetVersionEx answers what the program's manifest declares.
std::string system_version() {
  using GetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  const auto get =
      ntdll ? reinterpret_cast<GetVersion>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
            : nullptr;
  OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof info;
  if (!get || get(&info) != 0) return "NO_DATA";
  char text[64];
  std::snprintf(text, sizeof text, "Windows %lu.%lu.%lu", info.dwMajorVersion, info.dwMinorVersion,
                info.dwBuildNumber);
  return text;
}

// The serial number of the volume that holds Windows.
std::string system_volume_id() {
  wchar_t folder[MAX_PATH + 1];
  const UINT n = GetSystemWindowsDirectoryW(folder, MAX_PATH + 1);
  if (n < 3 || n > MAX_PATH) return "NO_DATA";
  folder[3] = L'\0';  // "C:\"
  DWORD serial = 0;
  if (!GetVolumeInformationW(folder, nullptr, 0, &serial, nullptr, nullptr, nullptr, 0)) return "NO_DATA";
  char text[16];
  std::snprintf(text, sizeof text, "%08lX", static_cast<unsigned long>(serial));
  return text;
}

// The computer's name, hashed to 32 bits (FNV-1a).
std::string system_host_id() {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD n = MAX_COMPUTERNAME_LENGTH + 1;
  if (!GetComputerNameW(name, &n)) return "NO_DATA";
  uint32_t hash = 2166136261u;
  for (unsigned char c : utf8_from_wide(std::wstring_view(name, n))) hash = (hash ^ c) * 16777619u;
  char text[16];
  std::snprintf(text, sizeof text, "%08X", unsigned(hash));
  return text;
}

std::string system_locale() {
  wchar_t name[LOCALE_NAME_MAX_LENGTH];
  if (GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH) <= 0) return "en";
  std::string code;
  for (const wchar_t* p = name; *p && *p != L'-' && *p != L'_' && code.size() < 3; ++p)
    code += char((*p >= L'A' && *p <= L'Z') ? *p - L'A' + L'a' : *p);
  return code.size() >= 2 ? code : "en";
}

std::string system_battery() {
  SYSTEM_POWER_STATUS power;
  if (!GetSystemPowerStatus(&power) || (power.BatteryFlag & 128) || power.BatteryFlag == 255 ||
      power.BatteryLifePercent > 100)
    return "NO_DATA";
  return std::to_string(power.BatteryLifePercent);
}

// opengl32.dll exports OpenGL 1.1; everything newer comes from the current context's driver.
bool system_gl_exports(const char* function) {
  if (!function || !*function) return false;
  const PROC driver = wglGetProcAddress(function);
  const auto error = reinterpret_cast<intptr_t>(driver);
  if (driver && error != 1 && error != 2 && error != 3 && error != -1) return true;
  const HMODULE gl = GetModuleHandleW(L"opengl32.dll");
  return gl && GetProcAddress(gl, function);
}

// msvcrt keeps the result of gmtime and localtime per thread.
std::tm system_time(bool utc) {
  const std::time_t now = std::time(nullptr);
  const std::tm* parts = utc ? std::gmtime(&now) : std::localtime(&now);
  return parts ? *parts : std::tm{};
}
