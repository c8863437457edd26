// The engine's last error, its text and the fatal ending.
#include <cstdio>
#include <cstdlib>
#include <string>
#include "engine/core/log.h"

ErrorState error_state;
int current_module;

namespace {

void (*g_fatal_ending)(int status) = nullptr;

}  // namespace

void app_set_error(int code) {
  error_state.error_code = code;
  error_state.error_line = error_state.current_line;
}

int app_error_code() { return error_state.error_code; }

Str app_error_text() {
  const char* text;
  switch (static_cast<RtError>(error_state.error_code)) {
    case RtError::success: text = "success"; break;
    case RtError::file: text = "no such file"; break;
    case RtError::memory_or_range: text = "out of memory"; break;
    case RtError::array_index: text = "out of bounds"; break;
    case RtError::out_of_data: text = "out of data"; break;
    default: text = "unknown error"; break;
  }
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.4d %s", error_state.error_code, text);
  return Str(buf);
}

void app_set_fatal_ending(void (*ending)(int status)) { g_fatal_ending = ending; }

void app_fatal(int code) {
  app_set_error(code);
  std::string line = app_error_text().data;
  line += "\n";
  log_line(line.c_str());
  // Exit statuses are one byte; keep a fatal one from wrapping to 0.
  const int status = (code > 0 && code < 256) ? code : 1;
  if (g_fatal_ending) g_fatal_ending(status);
  std::exit(status);
}
