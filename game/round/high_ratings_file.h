// The high-ratings file: 14 lines, for each entry 0..6 its rating line and then its name line, each
// enciphered with the runtime's text cipher under the game's key and ended by CR LF. A rating line
// holds the runtime's number text of the rating. The file's name on disk is "highs.txt" enciphered
// under the same key.
#pragma once
#include <cstdint>
#include <vector>

#include "engine/core/str.h"
#include "game/round/high_ratings_table.h"

// The key of the file's name and lines.
constexpr const char* kHighsKey = "tervo";
// Longest name the file keeps: a longer one would make a line the runtime's line reader splits in two.
constexpr uint32_t kHighNameMaxBytes = 504;

// The file's name: "highs.txt" enciphered, as lower-case hex.
Str high_ratings_file_name();
// The folder that keeps the player's file for an installed game, or one whose media folder is
// read-only: "brakka" in the user's data folder ($XDG_DATA_HOME, else ~/.local/share). Empty without a
// home.
Str high_ratings_user_folder();
// Why the file is kept in high_ratings_user_folder() rather than in the media folder, for the log:
// "the game is installed" (its media folder is the installed data, which the game never writes, not
// even as root), else "the media folder is read-only" while that folder cannot be written; nullptr
// when the file is kept in the media folder (a build tree, or a copy of the game's own).
const char* high_ratings_user_folder_reason();
// Where the game reads and writes the file: the file's name in the current directory (the media
// folder), unless high_ratings_user_folder_reason() says otherwise: then the file of that name in
// high_ratings_user_folder(). Without a user folder: the media folder's file after all when that
// folder is read-only, and "" for an installed game (nowhere it may write).
Str high_ratings_path();

// The file's 14 lines for a table, enciphered, without line ends. A name longer than
// kHighNameMaxBytes is cut to that length.
std::vector<Str> high_ratings_lines(const HighTable& table);
// Reads the file at path into table. Returns the number of entries read in full, both lines, in
// file order (0..7); those replace the table's entries, the others are left as they were. A line
// that does not decipher to a number, or to one too large for a double, gives the rating 0. -1 when
// the file cannot be opened.
// Uses file channel 1; never ends the program.
int read_high_ratings(const Str& path, HighTable& table);

// Program start: reads the file into high_ratings and high_names. Entries the file does not hold
// in full (all of them when it is missing) come from the starting table, and a line in the log says
// so; the game goes on either way. A file in the user's folder that does not exist yet is read from
// the media folder's file instead (the first save then makes the user's file); a line in the log
// names the user's file.
void load_high_ratings();
// Writes high_ratings and high_names to the file, replacing it as a whole, after making its folder
// (with the folders above) when it is the user's: a failed write leaves the old file as it was, and
// is the runtime's fatal file error.
void save_high_ratings();
