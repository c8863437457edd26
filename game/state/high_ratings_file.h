// The high-ratings file: 14 lines, for each entry 0..6 its rating line and then its name line, each
// enciphered with the runtime's text cipher under the game's key and ended by CR LF. A rating line
// holds the runtime's number text of the rating. The file's name on disk is "highs.txt" enciphered
// under the same key.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/str.h"
#include "game/state/high_ratings_table.h"

// The key of the file's name and lines.
constexpr const char* kHighsKey = "tervo";
// Longest name the file keeps: a longer one would make a line the runtime's line reader splits in two.
constexpr uint32_t kHighNameMaxBytes = 504;

// A file larger than this holds no table of the game's (fourteen lines of at most 1 KiB fit well
// below it): it is damaged as a whole.
constexpr int64_t kHighFileMaxBytes = 64 * 1024;

// The file's name: "highs.txt" enciphered, as lower-case hex.
Str high_ratings_file_name();
// The folder that keeps the player's file for an installed game, or one whose media folder is
// read-only: "brakka" in the user's data folder ($XDG_DATA_HOME, else ~/.local/share), "Brakka" in
// %APPDATA% on Windows. Empty without one (no home).
Str high_ratings_user_folder();
// The file of the game's name in high_ratings_user_folder(); empty without one.
Str high_ratings_user_path();
// Why the file is kept in high_ratings_user_folder() rather than in the current directory, for the log:
// "the game is installed" (its media folder is the installed data, which the game never writes, not
// even as root), "there is no media folder" when start-up could not enter it (the current directory is
// then the program's own folder, which the game does not write either), else "the media folder is
// read-only" while that folder cannot be written; nullptr when the file is kept in the media folder
// (a build tree, or a copy of the game's own).
const char* high_ratings_user_folder_reason();
// Where the game reads and writes the file: the file's name in the current directory (the media
// folder), unless high_ratings_user_folder_reason() says otherwise: then high_ratings_user_path().
// Without a user folder: the media folder's file after all when that folder is read-only, and "" for
// an installed game or without a media folder (nowhere it may write).
Str high_ratings_path();

// The file's 14 lines for a table, enciphered, without line ends. A name longer than
// kHighNameMaxBytes is cut to that length.
std::vector<Str> high_ratings_lines(const HighTable& table);

// What read_high_ratings found damaged, for the log.
struct HighRatingsDamage {
  // The file's size when it is over kHighFileMaxBytes; nothing of it was read.
  int64_t oversized_bytes = 0;
  // One text per damaged entry, such as "entry 3 is damaged (its rating is not a number)".
  std::vector<std::string> entries;
};
// Reads the file at path into table. Returns the number of entries the file holds in full, both lines,
// in file order (0..7); -1 when the file cannot be opened; 0 when it is over kHighFileMaxBytes. Each
// entry held in full replaces the table's unless it is damaged: its rating line does not decipher to a
// number a double holds (the whole text, blanks before it allowed), or its name line does not
// decipher to printable text (bytes 32..126; an empty name is fine). Damaged entries and those the
// file does not hold are left as they were; `damage` (when given) says what was damaged.
// Uses file channel 1; never ends the program.
int read_high_ratings(const Str& path, HighTable& table, HighRatingsDamage* damage = nullptr);

// Program start: reads the file into high_ratings and high_names. Entries the file does not hold in
// full or holds damaged (all of them when it is missing or damaged as a whole) come from the starting
// table, and the log says so, a line for each damaged entry; the game goes on either way. A file in
// the user's folder that does not exist yet is read from the current directory's file instead (the
// first save then makes the user's file); a line in the log names the user's file. When something
// other than a file stands in the media folder's file's place, the user's file is read if it exists
// (an earlier save went there). When no folder can take the file at all, the log says so.
void load_high_ratings();
// Writes high_ratings and high_names to the file, replacing it as a whole, after making its folder
// (with the folders above) when it is the user's: a failed write leaves the old file as it was and is
// logged with the system's reason. When the media folder cannot take the file, it is saved to the
// user's folder instead, and the log says so. True when the table was saved somewhere; false (error
// code 3 set, the log says so) when no folder could take it. Never ends the program.
bool save_high_ratings();
