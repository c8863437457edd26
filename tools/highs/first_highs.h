// The high-ratings file that a fresh installation starts with: the game's starting table (entry 0
// rating 0 and name "EMPTY", then six ratings to beat), written exactly as the game writes the file.
#pragma once

#include <string>

// The file's name on disk: "highs.txt" enciphered under the game's key, as lower-case hex.
std::string highs_file_name();

// The complete file: 14 enciphered lines (a rating line, then a name line, per entry),
// each ended by CR LF.
std::string first_highs_contents();

enum class HighsOutcome { written, kept, failed };

// Writes the file into `media_dir` (created when missing) unless a file of that name is
// already there: a player's table is never replaced. `message` says what happened.
HighsOutcome write_first_highs(const std::string& media_dir, std::string& message);
