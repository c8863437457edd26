// Internal state shared by the application frame's files (start-up, window, frame loop, ending).
#pragma once
#include <string>
#include "engine/app/app.h"
#include "engine/core/str.h"

// app_window.cpp: the game window and its OpenGL context.
bool app_window_create(int width, int height, int frame_rate, int multisample, int fullscreen);
void app_window_windowed_mode();
void app_window_set_title(const char* title);  // sets the title and keeps it for the pause suffix
void app_window_show_paused(bool paused);      // title with or without " <pause>"
void app_window_destroy();

// app_driver_check.cpp: the warning about a software-only OpenGL driver.
bool app_driver_is_software(const char* renderer);
Str app_driver_message();                     // "opengldriver.txt" or the built-in text
void app_driver_check(const char* renderer);  // once per process

// frame_present.cpp
void frame_set_frame_rate(int frame_rate);  // period 1000 / rate ms; 2 ms for a rate <= 0
void frame_set_deadline(double ms);

// frame_show.cpp
// Esc (or key 129, when Esc quits) and Alt+F4 end the program.
void frame_check_quit_keys();
void frame_reset_times();  // current and previous frame time := timer_now
double frame_current_time();
double frame_previous_time();
void frame_request_reactivation();
bool frame_reactivation_pending();

// app_callbacks.cpp
void app_set_callback_table(const CallbackEntry* table);  // none until the process entry sets it
void (*app_win32_msg_callback())();                       // QVX_WIN32_MSG, looked up once

// app_startup.cpp
const std::string& app_program_dir();
bool app_services_started();  // the renderer and the services after it exist
void app_services_forget();   // shut-down has released them
