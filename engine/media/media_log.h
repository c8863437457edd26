// Media files that cannot be loaded, in the log: one line per file and run, whatever the number of
// loads that fail on it (a screen may ask for the same picture every frame). Nothing is shown to the
// player.
#pragma once
#include <string>

inline constexpr const char* kNotFound = "not found";
// An allocation failed while the file was loaded: that load fails, the program goes on.
inline constexpr const char* kNoMemory = "not enough memory to load it";

// Writes 'Cannot load "file": reason' to the log unless a line for this file name was written before.
// A name without a type suffix (such as "XXX", which games load to empty a slot) that is not found
// is no media file and gets no line.
void media_log_failure(const char* file, const std::string& reason);

// Why the last look-up on an archive slot gave nothing to read: "not found", a damaged entry of the
// archive, or a temporary file that could not be written; "" when it found the file or an intact entry.
std::string media_lookup_problem(int archive_slot);

// Why a resolved media input is not read at all: larger than any media file may be (a picture or sound
// padded, or a file with a hole of gigabytes); "" when its size is fine.
std::string media_size_problem(const char* path);
