// Helpers for the tests of the rating, the high-ratings table and file, and the stats screen.
#pragma once
#include <string>
#include <vector>

#include "game/state/high_ratings_table.h"

// A folder of the test's own under its private temporary folder (the same one in a death test's
// child), made the current directory. Returns its path with a trailing "/".
std::string enter_test_folder(const std::string& name);
// Goes back to the folder the test started in.
void leave_test_folder();
// Links every file of the build's media folder except the high-ratings file into the current folder.
void link_media_files();

std::string read_bytes(const std::string& path);
void write_bytes(const std::string& path, const std::string& bytes);
bool file_exists(const std::string& path);
// Names in a folder other than "." and "..", sorted.
std::vector<std::string> folder_names(const std::string& folder);
// A text split at CR LF; an unterminated last piece is a line too.
std::vector<std::string> crlf_lines(const std::string& text);

std::string encipher(const std::string& text);
std::string decipher(const std::string& hex);
std::string number_text(double value);

// A table as (rating, name) per entry 0..6, to build and compare tables with.
using Entries = std::vector<std::pair<double, std::string>>;
HighTable make_table(const Entries& entries);
Entries entries_of(const HighTable& table);
// The table in high_ratings and high_names.
Entries globals_entries();
// The file the game writes for a table, as bytes.
std::string file_bytes_of(const HighTable& table);
