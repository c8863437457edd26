// The high-ratings file that a fresh installation starts with: entry 0 carries the rating 0
// and the name "EMPTY" (the player has not chosen a name yet), entries 1..6 a table of six
// ratings for new players to beat, best first. Every line is enciphered with the runtime's
// own text cipher under the game's key, exactly as the game writes the file itself.
#pragma once

#include <string>
#include <vector>

struct HighsEntry {
  double rating;
  const char* name;
};

// Entries 0..6 in file order.
const std::vector<HighsEntry>& starting_high_ratings();

// The key that enciphers the file's name and its lines.
constexpr const char* kHighsKey = "tervo";

// The file's name on disk: "highs.txt" enciphered under the key, as lower-case hex.
std::string highs_file_name();

// The complete file: 14 enciphered lines (a rating line, then a name line, per entry),
// each ended by CR LF.
std::string first_highs_contents();

enum class HighsOutcome { written, kept, failed };

// Writes the file into `media_dir` (created when missing) unless a file of that name is
// already there: a player's table is never replaced. `message` says what happened.
HighsOutcome write_first_highs(const std::string& media_dir, std::string& message);
