// The engine's last error and its text.
#include <cstdio>
#include "engine/app/app.h"

ErrorState error_state;
int current_module;

void app_set_error(int code) {
  error_state.error_code = code;
  error_state.error_line = error_state.current_line;
}

int app_error_code() { return error_state.error_code; }

Str app_error_text() {
  const char* text;
  switch (error_state.error_code) {
    case 0: text = "success"; break;
    case 3: text = "no such file"; break;
    case 7: text = "out of memory"; break;
    case 9: text = "out of bounds"; break;
    case 20: text = "out of data"; break;
    default: text = "unknown error"; break;
  }
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.4d %s", error_state.error_code, text);
  return Str(buf);
}
