// The game's answer to the options that ask for no game: its version and licence, its usage.
#include "engine/app/app.h"

namespace {

constexpr const char* kVersion =
    "Brakka " BRAKKA_VERSION
    "\n"
    "Licence GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
    "Copyright (C) 2026 The Brakka Team.\n"
    "This is free software: you are free to change it and pass it on.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

constexpr const char* kUsage =
    "Usage: brakka [--help | --version]\n"
    "A puzzle game: win London's landmarks on a board of green and red numbers.\n"
    "With no option the game starts in its window; other arguments are ignored.\n"
    "\n"
    "  --help     show this help and end\n"
    "  --version  show the version and the licence and end\n";

}  // namespace

// The first of the two options decides; everything else on the line is ignored, as the game takes no
// other options.
std::string game_command_answer(const std::vector<std::string>& arguments) {
  for (const std::string& argument : arguments) {
    if (argument == "--version") return kVersion;
    if (argument == "--help") return kUsage;
  }
  return std::string();
}
