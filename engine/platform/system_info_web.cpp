// Facts about the process and the system in a browser: the program is "/brakka" in the page's file
// system, the browser says its language, and there is no debugger the program can see.
#include <emscripten.h>
#include <emscripten/html5_webgl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "engine/platform/system_info.h"
#include "engine/platform/web_page.h"

namespace {

EM_JS(int, browser_language, (char* out, int size), {
  var code = ((navigator.language || "en").split("-")[0] || "en").toLowerCase();
  stringToUTF8(code.slice(0, 3), out, size);
  return 1;
});

}  // namespace

std::string system_program_path() { return "/brakka"; }
void system_attach_console() {}
bool system_tracer_attached() { return false; }
void system_debug_output(const char* text) { web_console_line(text); }

void system_log_echo(const char* text) { web_console_line(text); }

const char* system_name() { return "WEB"; }

std::string system_version() {
  char agent[256] = {};
  // The JavaScript keeps its own layout (a formatter would split its operators).
  // clang-format off
  const int n = EM_ASM_INT({
    var text = (typeof navigator !== "undefined" && navigator.userAgent) || "";
    stringToUTF8(text, $0, $1);
    return text.length;
  }, agent, static_cast<int>(sizeof agent));
  // clang-format on
  return n > 0 ? std::string(agent) : std::string("NO_DATA");
}

std::string system_volume_id() { return "NO_DATA"; }
std::string system_host_id() { return "00000000"; }

std::string system_locale() {
  char code[8] = {};
  browser_language(code, static_cast<int>(sizeof code));
  return std::strlen(code) >= 2 ? std::string(code) : std::string("en");
}

std::string system_battery() { return "NO_DATA"; }

bool system_gl_exports(const char* function) {
  return function && *function && emscripten_webgl_get_proc_address(function) != nullptr;
}

std::tm system_time(bool utc) {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  if (utc) gmtime_r(&now, &parts);
  else localtime_r(&now, &parts);
  return parts;
}
