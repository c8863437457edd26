// The application frame: settings, start-up, the frame loop, error state, log and the ending.
#pragma once
#include "engine/core/log.h"
#include "engine/core/str.h"

struct AppSettings {
  int screen_width = 0;
  int screen_height = 0;
  int fullscreen = 0;
  int hide_mouse = 0;
  int frame_rate = 0;
  int debug_mode = 0;
  int multisample = 0;
  int auto_pause = 1;  // pause when the window loses activation
  int esc_quits = 1;   // Esc ends the program
};
extern AppSettings app_settings;

// One entry of the game's table of functions called by name; the table ends with a null function.
struct CallbackEntry {
  void (*function)();
  const char* name;
};

// Supplied by the game.
void game_settings();
[[noreturn]] void game_main();
extern const CallbackEntry game_callbacks[];

Str& frame_app_name();
Str& frame_command_line();

// Start-up; returns 0 when the window could not be made.
int app_startup(int show_command, const char* title);
// Runs the whole program as the process entry does: settings, start-up, the game's main routine.
[[noreturn]] void app_run(int argc, char** argv);

void frame_show();
// One step of a busy wait between frames (a cursor step, a sound, a released key or button): sleeps
// sleep_ms (about 1 ms), keeps the window's events flowing (a close request ends the program as in
// frame_show, activation changes are seen, looping music restarts), reads the keys afresh and ends
// the program on the quit keys. Keys and buttons read as released while the window is inactive, so a
// wait for a release always ends.
void frame_idle(int sleep_ms = 1);
int frame_pump_messages(void (*callback)());
int frame_present(void (*callback)());
void frame_wait_input();
// Next frame deadline and period in milliseconds (timer_now clock).
double frame_deadline();
double frame_period();

[[noreturn]] void app_end();
// The exit status of the normal end (app_end, a closed window, the quit keys), 0 unless set: a game
// that goes on after a failure it must report (a table that could not be saved) sets it and ends as
// usual. A fatal error's own status replaces it.
void app_set_end_status(int status);
[[noreturn]] void app_exit();
// The fatal ending (engine/core/log.h): records the status and ends as app_exit does.
[[noreturn]] void app_end_fatal(int status);
// The connection to the window system is gone (the backend has forgotten its window): logs `what` and
// ends through the shut-down, whose steps then leave the window system alone, with status 1.
[[noreturn]] void app_display_lost(const char* what);
// A quit signal (SIGINT, SIGTERM, SIGHUP) reached the message pump: logs it and ends like a closed window.
[[noreturn]] void app_quit_on_signal(int sig);
void app_shutdown();
bool app_is_exiting();

void app_set_paused(int paused);
bool app_is_paused();

void (*app_find_by_name(const Str& name))();
double app_call_by_name(const Str& name);


// True when the program runs from an install. The install rules leave the file kInstallRecord in the
// program's folder, naming the game's data folder relative to it; the program counts as installed
// while that file is there and names a folder that exists. A build tree has no such file, and a copy
// of the program's folder made elsewhere (with a media folder of its own) names a folder that is not
// there, so both count as not installed. An installed game's data is never written to.
constexpr const char* kInstallRecord = "installed-data";
bool app_is_installed();
