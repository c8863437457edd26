// Helpers for tests of the application frame and input on the headless backend.
#pragma once
#include <string>
#include <vector>
#include "engine/platform/headless.h"

// Points TMPDIR at a folder of this test's own (kept for a death test's child), so each test has its own
// "ErrorLog.txt". Returns the folder with a trailing "/".
std::string use_private_temp_dir();
// Removes that folder with everything in it (from the parent of a death test, after the child ended).
void remove_private_temp_dir();
std::vector<std::string> read_log_lines();
int count_lines(const std::vector<std::string>& lines, const std::string& line);
// The steps a normal start-up logs, from "Start new log..." to "Init Finalized" (after "cd" the line
// naming the program's folder, which a caller inserts when it knows it); other lines may stand between.
std::vector<std::string> startup_trace_steps();
// Each of steps stands in log in that order; with once, each exactly once.
void expect_lines_in_order(const std::vector<std::string>& log, const std::vector<std::string>& steps,
                           bool once);
// Selects the headless backend in its first state and gives the game's settings (800 x 600, 50 fps).
void prepare_headless_app();
// prepare_headless_app() followed by app_startup(1, "Brakka"); false when the start-up failed.
bool start_headless_app();
HeadlessEvent script_event(HeadlessEvent::Kind kind, int a = 0, int b = 0);
