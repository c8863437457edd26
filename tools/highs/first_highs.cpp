#include "first_highs.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "engine/core/str.h"

namespace {

std::string encipher(const Str& text) {
  Str out;
  str_encrypt(out, Str(kHighsKey), text);
  return std::string(out.c_str());
}

std::string rating_text(double rating) {
  Str text;
  str_from_num(text, rating);
  return std::string(text.c_str());
}

}  // namespace

const std::vector<HighsEntry>& starting_high_ratings() {
  // A winning game scores roughly 0.6 to 1.2 points per unit of winning margin, plus 1.1 per
  // net round won and per round of the best winning run: a clean sweep of six rounds lands
  // near 100. The table leaves room for a first good game to get in.
  static const std::vector<HighsEntry> table = {
      {0.0, "EMPTY"},
      {96.8, "ELLIE"},
      {74.2, "ARTHUR"},
      {55.6, "PRIYA"},
      {38.9, "TOMMY"},
      {21.3, "MAGGIE"},
      {9.5, "SAM"},
  };
  return table;
}

std::string highs_file_name() { return encipher(Str("highs.txt")); }

std::string first_highs_contents() {
  std::string file;
  for (const HighsEntry& e : starting_high_ratings()) {
    file += encipher(Str(rating_text(e.rating).c_str())) + "\r\n";
    file += encipher(Str(e.name)) + "\r\n";
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

  // "x": create the file only if nothing of that name exists, in one step.
  std::FILE* f = std::fopen(path.c_str(), "wbx");
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
