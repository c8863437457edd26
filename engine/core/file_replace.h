// Replacing a text file as a whole, so that a reader, a crash or a power cut at any moment finds
// either the old file or the new one, never a torn or a missing file.
#pragma once
#include <string>
#include <vector>
#include "engine/core/str.h"

// Writes `lines`, each ended by CR LF as file_write_line ends them, into a new file in the folder of
// `path`, forces it to the disk, renames it over `path` and forces the folder to the disk. "/" and "\"
// are alike; "mem://" names and names longer than FILE_PATH_MAX fail. The new file keeps the old one's
// permission bits (a file made read-only stays read-only); a file made new gets 0644 less the umask.
// True on success. On failure error code 3 is set and `error` (when given) says which step failed and
// why; nothing is fatal, the caller decides. A failure before the rename leaves the file at `path` as
// it was (or absent) and removes the new file; only a failure to force the folder to the disk comes
// after the rename, with the new file already in place. A successful replace also removes new files of
// the same target that a save cut off before its rename left behind, once they are a minute old.
bool file_replace_lines(const Str& path, const std::vector<Str>& lines, std::string* error = nullptr);
