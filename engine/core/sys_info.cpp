// Platform information by key.
#include <dlfcn.h>
#include <sys/statvfs.h>
#include <sys/utsname.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include "engine/core/files.h"
#include "engine/platform/platform.h"

namespace {

std::string date_time(bool utc) {
  std::time_t now = std::time(nullptr);
  std::tm parts{};
  if (utc)
    gmtime_r(&now, &parts);
  else
    localtime_r(&now, &parts);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
  return text;
}

std::string home_folder(const char* below) {
  const char* home = std::getenv("HOME");
  if (!home || !*home) return "NO_DATA";
  return std::string(home) + "/" + below;
}

// Identifier of the file system that holds the root directory, folded to 32 bits.
std::string volume_id() {
  struct statvfs st;
  if (::statvfs("/", &st) != 0) return "NO_DATA";
  const unsigned long long fsid = st.f_fsid;
  char text[16];
  std::snprintf(text, sizeof text, "%08X", unsigned((fsid ^ (fsid >> 32)) & 0xffffffffu));
  return text;
}

std::string host_id() {
  char text[16];
  std::snprintf(text, sizeof text, "%08X", unsigned(uint32_t(::gethostid())));
  return text;
}

// Charge of the first battery in percent; "NO_DATA" without one.
std::string battery() {
  for (int i = 0; i < 4; ++i) {
    std::ifstream in("/sys/class/power_supply/BAT" + std::to_string(i) + "/capacity");
    std::string value;
    if (in >> value) return value;
  }
  return "NO_DATA";
}

// Build date and time of this file, as YYYY-MM-DD hh:mm:ss.
std::string compiled() {
  static const char* const months = "JanFebMarAprMayJunJulAugSepOctNovDec";
  const char* date = __DATE__;  // "Mmm dd yyyy"
  const char* found = std::strstr(months, std::string(date, 3).c_str());
  const int month = found ? int(found - months) / 3 + 1 : 0;
  char text[32];
  std::snprintf(text, sizeof text, "%.4s-%02d-%02d %s", date + 7, month, std::atoi(date + 4), __TIME__);
  return text;
}

std::string os_version() {
  struct utsname u;
  if (::uname(&u) != 0) return "NO_DATA";
  return std::string(u.sysname) + " " + u.release;
}

// Two-letter language code of the user's message language ("en" when none is set).
std::string locale_code() {
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

// A relative $XDG_DATA_HOME is no valid setting and is passed over.
std::string app_data() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && *xdg == '/') return xdg;
  return home_folder(".local/share");
}

// key is upper-case; original is the caller's spelling (OpenGL names are case-sensitive).
std::string lookup(const std::string& key, const std::string& original) {
  if (key.empty()) return "LINUX";
  if (key == "DEVICE") return "DESKTOP";
  if (key.rfind("GLEXT:", 0) == 0) {
    // Entry points exported by the loaded OpenGL library.
    const std::string function = original.substr(6);
    return (!function.empty() && ::dlsym(RTLD_DEFAULT, function.c_str())) ? "1" : "0";
  }
  if (key == "ID") return volume_id();
  if (key == "TIME") return date_time(false);
  if (key == "UTCTIME") return date_time(true);
  if (key == "BATTERY") return battery();
  if (key == "COMPILED") return compiled();
  if (key == "HOSTID") return host_id();
  if (key == "VERSION") return os_version();
  if (key == "LOCALE") return locale_code();
  if (key == "DOCUMENTS") return home_folder("Documents");
  if (key == "APPDATA") return app_data();
  if (key == "TEMP") return platform_temp_dir();
  if (key == "DESKTOP") return home_folder("Desktop");
  return "NO_DATA";
}

}  // namespace

Str& sys_info(Str& out, Str& key) {
  // The key is upper-cased in place; a function name after "GLEXT:" is looked up as the caller spelt it.
  std::string original, upper;
  if (key.data) {
    original.assign(key.data, key.length);
    for (uint32_t i = 0; i < key.length; ++i) {
      char& c = key.data[i];
      if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    }
    upper.assign(key.data, key.length);
  }
  out = lookup(upper, original).c_str();
  return out;
}
