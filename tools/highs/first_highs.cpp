#include "first_highs.h"

#include <fcntl.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "game/state/high_ratings_file.h"
#include "game/state/high_ratings_table.h"

#ifndef O_BINARY
#define O_BINARY 0  // no text mode to leave
#endif

std::string highs_file_name() { return high_ratings_file_name().c_str(); }

std::string first_highs_contents() {
  std::string file;
  for (const Str& line : high_ratings_lines(starting_high_table())) {
    file += line.c_str();
    file += "\r\n";
  }
  return file;
}

HighsOutcome write_first_highs(const std::string& media_dir, std::string& message) {
  std::error_code ec;
  std::filesystem::create_directories(media_dir, ec);
  if (ec) {
    message = "cannot create " + media_dir + ": " + ec.message();
    return HighsOutcome::failed;
  }
  const std::string path = (std::filesystem::path(media_dir) / highs_file_name()).string();

  // Created only if nothing of that name exists, in one step (the C runtime of Windows knows no "x" mode
  // of fopen: it would write over a player's table).
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_BINARY, 0644);
  std::FILE* f = fd >= 0 ? ::fdopen(fd, "wb") : nullptr;
  if (!f) {
    if (errno == EEXIST) {
      message = "kept " + path + " (a high-ratings file is already there)";
      return HighsOutcome::kept;
    }
    message = "cannot create " + path + ": " + std::strerror(errno);
    return HighsOutcome::failed;
  }
  const std::string contents = first_highs_contents();
  const bool written = std::fwrite(contents.data(), 1, contents.size(), f) == contents.size();
  const bool closed = std::fclose(f) == 0;
  if (!written || !closed) {
    std::filesystem::remove(path, ec);  // a half-written table would stop the game at start-up
    message = "cannot write " + path;
    return HighsOutcome::failed;
  }
  message = "wrote " + path + " (the starting high-ratings table)";
  return HighsOutcome::written;
}
