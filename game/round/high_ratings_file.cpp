#include "game/round/high_ratings_file.h"

#include <cmath>
#include <string>

#include "engine/core/app.h"
#include "engine/core/file_channels.h"
#include "engine/core/file_replace.h"
#include "engine/core/files.h"

namespace {

constexpr int kChannel = 1;
// The folder of the player's own data under the user's data folder.
constexpr const char* kDataFolderName = "brakka";

Str encipher(const Str& text) {
  Str out;
  return str_encrypt(out, Str(kHighsKey), text);
}

Str decipher(Str& hex) {
  Str out;
  return str_decrypt(out, Str(kHighsKey), hex);
}

}  // namespace

Str high_ratings_file_name() { return encipher("highs.txt"); }

Str high_ratings_user_folder() {
  Str key("APPDATA"), folder;
  sys_info(folder, key);
  if (!folder.data || folder.data[0] != '/') return Str();  // no home: nowhere of the user's own
  return (std::string(folder.c_str()) + "/" + kDataFolderName).c_str();
}

const char* high_ratings_user_folder_reason() {
  if (app_is_installed()) return "the game is installed";
  if (!file_dir_writable(".")) return "the media folder is read-only";
  return nullptr;
}

Str high_ratings_path() {
  const Str name = high_ratings_file_name();
  if (!high_ratings_user_folder_reason()) return name;
  const Str folder = high_ratings_user_folder();
  if (folder.length == 0) return app_is_installed() ? Str() : name;
  return (std::string(folder.c_str()) + "/" + name.c_str()).c_str();
}

std::vector<Str> high_ratings_lines(const HighTable& table) {
  std::vector<Str> lines;
  lines.reserve(2 * kHighEntries);
  for (int k = 0; k < kHighEntries; ++k) {
    Str rating;
    str_from_num(rating, table.ratings[k]);
    lines.push_back(encipher(rating));
    Str name;
    str_mid(name, table.names[k], 0, static_cast<int>(kHighNameMaxBytes));
    lines.push_back(encipher(name));
  }
  return lines;
}

int read_high_ratings(const Str& path, HighTable& table) {
  if (!file_open(kChannel, path, 1)) return -1;
  int whole = 0;
  while (whole < kHighEntries) {
    Str rating_line, name_line;
    if (!file_try_read_line(kChannel, rating_line) || !file_try_read_line(kChannel, name_line)) break;
    // A number too large for a double (a damaged line such as "4e526") counts as 0, like a line that
    // is no number at all: an infinite rating would top every table and be written back as "inf",
    // which reads as 0 at the next start.
    const double rating = str_to_num(decipher(rating_line));
    table.ratings[whole] = std::isfinite(rating) ? rating : 0;
    table.names[whole] = decipher(name_line);
    ++whole;
  }
  file_close(kChannel);
  return whole;
}

void load_high_ratings() {
  HighTable table = starting_high_table();
  const Str name = high_ratings_file_name();
  Str path = high_ratings_path();
  if (str_ne(path, name)) {
    // The player's own file; until the first save makes it, the table starts from the media folder's.
    std::string line = std::string("High ratings: ") + high_ratings_user_folder_reason() + "; " +
                       (path.length ? std::string("the ratings are kept in \"") + path.c_str() + "\""
                                    : std::string("there is no user data folder to keep them in (no $XDG_DATA_HOME or $HOME)"));
    if (!path_is_regular_file(path.c_str()) && path_is_regular_file(name.c_str())) {
      line += std::string(", first filled from \"") + name.c_str() + "\" in the media folder";
      path = name;
    }
    log_line((line + "\n").c_str());
  }
  const int whole = read_high_ratings(path, table);
  if (whole < kHighEntries) {
    std::string line = "High ratings: ";
    if (whole < 0)
      line += std::string("cannot open \"") + path.c_str() + "\"; the starting table is used";
    else
      line += std::string("\"") + path.c_str() + "\" holds " + std::to_string(whole) + " of " +
              std::to_string(kHighEntries) + " entries; the rest come from the starting table";
    log_line((line + "\n").c_str());
  }
  high_table_to_globals(table);
}

void save_high_ratings() {
  const Str path = high_ratings_path();
  std::string why;
  const std::string text = path.c_str();
  const size_t slash = text.rfind('/');
  const bool saved = (slash == std::string::npos || file_make_dirs(text.substr(0, slash).c_str(), &why)) &&
                     file_replace_lines(path, high_ratings_lines(high_table_from_globals()), &why);
  if (!saved) {
    log_line(("High ratings not saved to \"" + text + "\": " + why + "\n").c_str());
    app_fatal(3);
  }
}
