// Platform information by key.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include "engine/core/files.h"
#include "engine/platform/platform.h"
#include "engine/platform/system_info.h"
#include "engine/platform/user_folders.h"

namespace {

std::string date_time(bool utc) {
  const std::tm parts = system_time(utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
  return text;
}

// Build date and time of this file, as YYYY-MM-DD hh:mm:ss. Where SOURCE_DATE_EPOCH is set (a
// reproducible build), the compiler takes both from it.
std::string compiled() {
  static const char* const months = "JanFebMarAprMayJunJulAugSepOctNovDec";
  const char* date = __DATE__;  // "Mmm dd yyyy"
  const char* found = std::strstr(months, std::string(date, 3).c_str());
  const int month = found ? int(found - months) / 3 + 1 : 0;
  char text[32];
  std::snprintf(text, sizeof text, "%.4s-%02d-%02d %s", date + 7, month, std::atoi(date + 4), __TIME__);
  return text;
}

std::string or_no_data(const std::string& folder) { return folder.empty() ? "NO_DATA" : folder; }

// key is upper-case; original is the caller's spelling (OpenGL names are case-sensitive).
std::string lookup(const std::string& key, const std::string& original) {
  if (key.empty()) return system_name();
  if (key == "DEVICE") return "DESKTOP";
  if (key.rfind("GLEXT:", 0) == 0) return system_gl_exports(original.substr(6).c_str()) ? "1" : "0";
  if (key == "ID") return system_volume_id();
  if (key == "TIME") return date_time(false);
  if (key == "UTCTIME") return date_time(true);
  if (key == "BATTERY") return system_battery();
  if (key == "COMPILED") return compiled();
  if (key == "HOSTID") return system_host_id();
  if (key == "VERSION") return system_version();
  if (key == "LOCALE") return system_locale();
  if (key == "DOCUMENTS") return or_no_data(user_documents_folder());
  if (key == "APPDATA") return or_no_data(user_data_folder());
  if (key == "TEMP") return platform_temp_dir();
  if (key == "DESKTOP") return or_no_data(user_desktop_folder());
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
