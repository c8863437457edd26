// The runtime's last error, its fatal ending, the log file and the debugger's output: what every layer
// reports through, so that nothing below the application frame needs to include it.
#pragma once
#include "engine/core/str.h"

// The runtime's error codes. The numbers are what callers, exit statuses and the log see.
enum class RtError : int {
  success = 0,
  file = 3,             // no such file, or a file operation failed
  memory_or_range = 7,  // out of memory, or a slot or channel out of range
  array_index = 9,      // an array index out of bounds
  out_of_data = 20,     // read past the end of the data
};

struct ErrorState {
  int error_line;
  int error_code;
  int current_line;
};
extern ErrorState error_state;
extern int current_module;

void app_set_error(int code);
inline void app_set_error(RtError code) { app_set_error(static_cast<int>(code)); }
int app_error_code();
Str app_error_text();

// Fatal runtime error: sets the code, logs the error text and ends the program through the fatal
// ending with a non-zero status (the code itself where it fits in a byte).
[[noreturn]] void app_fatal(int code);
[[noreturn]] inline void app_fatal(RtError code) { app_fatal(static_cast<int>(code)); }
// The application frame's ending for a fatal error: it releases every service and exits with `status`.
// Until one is set a fatal error exits at once.
void app_set_fatal_ending(void (*ending)(int status));

void dbg_print(const Str& text);
void dbg_set_line(int module, int line);
void log_line(const char* text);
void log_restart();  // delete the log, write "Start new log...\n"
// Full path of "ErrorLog.txt" in the temporary directory.
const char* log_path();
