// Facts about the process and the system on Linux: /proc, the environment, uname, statvfs, sysfs.
#include <dlfcn.h>
#include <sys/statvfs.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "engine/platform/system_info.h"

std::string system_program_path() {
  char buf[PATH_MAX + 1];
  ssize_t n = readlink("/proc/self/exe", buf, PATH_MAX);
  if (n <= 0) return std::string();
  buf[n] = '\0';
  return std::string(buf);
}

bool system_tracer_attached() {
  FILE* f = std::fopen("/proc/self/status", "r");
  if (!f) return false;
  char line[256];
  bool traced = false;
  while (std::fgets(line, sizeof line, f)) {
    if (std::strncmp(line, "TracerPid:", 10) == 0) {
      traced = std::strtol(line + 10, nullptr, 10) != 0;
      break;
    }
  }
  std::fclose(f);
  return traced;
}

void system_debug_output(const char* text) {
  std::fputs(text ? text : "", stderr);
  std::fflush(stderr);
}

void system_log_echo(const char*) {}

void system_attach_console() {}

const char* system_name() { return "LINUX"; }

std::string system_version() {
  struct utsname u;
  if (::uname(&u) != 0) return "NO_DATA";
  return std::string(u.sysname) + " " + u.release;
}

// Identifier of the file system that holds the root directory, folded to 32 bits.
std::string system_volume_id() {
  struct statvfs st;
  if (::statvfs("/", &st) != 0) return "NO_DATA";
  const unsigned long long fsid = st.f_fsid;
  char text[16];
  std::snprintf(text, sizeof text, "%08X", unsigned((fsid ^ (fsid >> 32)) & 0xffffffffu));
  return text;
}

std::string system_host_id() {
  char text[16];
  std::snprintf(text, sizeof text, "%08X", unsigned(uint32_t(::gethostid())));
  return text;
}

// The message language: LC_ALL, LC_MESSAGES or LANG.
std::string system_locale() {
  for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(var);
    if (!value || !*value || !std::strcmp(value, "C") || !std::strcmp(value, "POSIX")) continue;
    std::string code;
    for (const char* p = value; *p && *p != '_' && *p != '.' && *p != '@' && code.size() < 3; ++p)
      code += char((*p >= 'A' && *p <= 'Z') ? *p - 'A' + 'a' : *p);
    if (code.size() >= 2) return code;
  }
  return "en";
}

std::string system_battery() {
  for (int i = 0; i < 4; ++i) {
    std::ifstream in("/sys/class/power_supply/BAT" + std::to_string(i) + "/capacity");
    std::string value;
    if (in >> value) return value;
  }
  return "NO_DATA";
}

bool system_gl_exports(const char* function) {
  return function && *function && ::dlsym(RTLD_DEFAULT, function);
}

std::tm system_time(bool utc) {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  if (utc) gmtime_r(&now, &parts);
  else localtime_r(&now, &parts);
  return parts;
}
