// One run of the whole program in a folder of its own, for tests and tools that play it headless in a
// child process: the run's Media holds links to a media folder's files and its own copy of the
// high-ratings file, so the game's save never touches the media it was given.
#pragma once
#include <string>

namespace autoplay {

// Makes a new folder <prefix>XXXXXX in the temporary folder, with Media/ linked from media (left empty
// when media is ""; see portable::link_file). Returns the folder, or "" when it could not be made.
std::string make_run_folder(const std::string& prefix, const std::string& media);

// In the child (which never outlives its parent: portable::Child): the headless backend, reset, with the program placed in dir (start-up makes that
// folder current) and its temporary files and log in dir. Call before installing hooks.
void enter_run_folder(const std::string& dir);

// Runs the program (settings, start-up, the game) as the process entry does; never returns.
[[noreturn]] void run_program();

}  // namespace autoplay
