// Placeholder application frame until the real one lands.
#include <cstdio>
#include <cstdlib>
#include "engine/core/app.h"
AppSettings app_settings;
ErrorState error_state;
int current_module;
void app_set_error(int code) { error_state.error_code = code; error_state.error_line = error_state.current_line; }
int app_error_code() { return error_state.error_code; }
void app_exit() { std::exit(0); }
void app_end() { std::exit(0); }
void app_fatal(int code) { app_set_error(code); std::exit(code ? code : 1); }
bool app_is_exiting() { return false; }
void log_line(const char* text) { std::fputs(text ? text : "NULL", stderr); }
void dbg_print(const Str&) {}
void frame_show() {}
