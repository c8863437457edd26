// Facts about the process and the system it runs on, the same for every backend. POSIX:
// system_info_posix.cpp; Windows: system_info_win32.cpp.
#pragma once
#include <ctime>
#include <string>
#include <vector>

std::string system_program_path();  // the running program's full path; empty when it cannot be told
bool system_tracer_attached();      // a debugger is attached to this process
// The text sent to the system's debug output (Windows: the debugger's; Linux: standard error).
void system_debug_output(const char* text);
// Where the system shows a program's messages as they come (the browser's console); nothing on Linux
// and Windows, where the log file is the place to look.
void system_log_echo(const char* text);
// The command line's arguments as UTF-8 (Windows hands main() its own code page's letters).
std::vector<std::string> system_arguments(int argc, char** argv);
// Makes stdout reach the console the program was started from, when it has none of its own (a Windows
// program without a console window); stdout that already leads somewhere (a console, a file, a pipe)
// is kept. Nothing to do on POSIX.
void system_attach_console();
// An environment variable of this process as UTF-8 (getenv answers in the code page on Windows); false
// when it is not set.
bool system_env(const char* name, std::string& value);
// Sets a variable of this process's environment (and of the programs it starts) to a UTF-8 value;
// nullptr removes it. False when the system refuses.
bool system_set_env(const char* name, const char* value);

const char* system_name();     // "LINUX", "WINDOWS"
std::string system_version();  // "Linux 6.1.0", "Windows 10.0.19045"; "NO_DATA" when unknown
// 8 upper-case hex digits: the identifier of the file system that holds the system (the root, or the
// system drive); "NO_DATA" when unknown.
std::string system_volume_id();
std::string system_host_id();  // 8 upper-case hex digits naming the machine
std::string system_locale();   // two-letter language code of the user ("en" when none is set)
std::string system_battery();  // charge of the first battery in percent, "NO_DATA" without one
// Whether the loaded OpenGL library (or, on Windows, the current context's driver) has the function.
bool system_gl_exports(const char* function);
// The time now, local or universal, in parts.
std::tm system_time(bool utc);
