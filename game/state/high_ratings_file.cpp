#include "game/state/high_ratings_file.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "engine/app/app.h"
#include "engine/core/file_channels.h"
#include "engine/core/file_replace.h"
#include "engine/core/files.h"
#include "game/state/game_state.h"

namespace {

constexpr int kChannel = 1;
// The program's name, which names the folder of the player's own data in the user's data folder.
constexpr const char* kProgramName = "Brakka";

Str encipher(const Str& text) {
  Str out;
  return str_encrypt(out, Str(kHighsKey), text);
}

Str decipher(Str& hex) {
  Str out;
  return str_decrypt(out, Str(kHighsKey), hex);
}

std::string quoted(const Str& path) { return std::string("\"") + path.c_str() + "\""; }

void log_text(const std::string& line) { log_line((line + "\n").c_str()); }

// Printable ASCII: what the name keyboard types and every font of the game draws.
bool printable(const Str& text) {
  for (uint32_t i = 0; i < text.length; ++i) {
    const unsigned char c = static_cast<unsigned char>(text.data[i]);
    if (c < 0x20 || c > 0x7e) return false;
  }
  return true;
}

// The rating of a deciphered rating line: the whole text is a number (blanks before it allowed, as
// the runtime's text-to-number rule skips them) that a double holds.
bool rating_of(const Str& text, double& rating) {
  if (text.length == 0) return false;
  char* end = nullptr;
  rating = std::strtod(text.c_str(), &end);
  return end != text.c_str() && *end == 0 && std::isfinite(rating);
}

// Something other than a regular file (a folder, say) stands at path.
bool something_else_at(const Str& path) {
  return file_path_exists(path.c_str()) && !path_is_regular_file(path.c_str());
}

std::string no_user_folder() {
  return std::string("there is no user data folder (no ") + file_user_data_origin() + ")";
}

// Saves lines to path, making its folder first when it has one; logs why when it cannot.
bool save_to(const Str& path, const std::vector<Str>& lines) {
  std::string why;
  const std::string text = path.c_str();
  const std::string folder = file_path_parent(text.c_str());
  if ((folder.empty() || file_make_dirs(folder.c_str(), &why)) && file_replace_lines(path, lines, &why))
    return true;
  log_text("High ratings not saved to \"" + text + "\": " + why);
  return false;
}

// Whether a save has somewhere to go: the media folder when the file is kept there and nothing but a
// file stands in its place, else the user's folder (made when it is missing). When neither can take
// it, `why` says what stands in the way.
bool some_folder_takes_the_file(std::string& why) {
  const char* reason = high_ratings_user_folder_reason();
  if (!reason && !something_else_at(high_ratings_file_name())) return true;
  if (!reason) reason = "something other than a file stands in the media folder's file's place";
  const Str folder = high_ratings_user_folder();
  std::string user_why = no_user_folder();
  if (folder.length > 0 && file_dir_can_hold(folder, &user_why)) return true;
  why = std::string(reason) + "; " + user_why;
  return false;
}

// The file the table is read from at start, with a line in the log when it is not the media folder's.
Str file_to_read() {
  const Str name = high_ratings_file_name();
  const Str user = high_ratings_user_path();
  const Str path = high_ratings_path();
  if (const char* reason = high_ratings_user_folder_reason()) {
    // The player's own file; until the first save makes it, the table starts from the current
    // directory's file (the media folder's, or one an older game left beside the program).
    const bool kept_apart = path.length > 0 && str_ne(path, name);
    std::string line = std::string("High ratings: ") + reason + "; " +
                       (kept_apart ? "the ratings are kept in " + quoted(path)
                                   : "there is no user data folder to keep them in (no " +
                                         std::string(file_user_data_origin()) + ")");
    const bool first_fill = !path_is_regular_file(path.c_str()) && path_is_regular_file(name.c_str());
    if (first_fill)
      line += ", first filled from " + quoted(name) +
              (media_folder_entered ? " in the media folder" : " beside the program");
    log_text(line);
    return first_fill || path.length == 0 ? name : path;
  }
  if (something_else_at(name) && user.length && path_is_regular_file(user.c_str())) {
    // The media folder could not take the last save, which went to the user's folder.
    log_text("High ratings: " + quoted(name) +
             " in the media folder is not a file; the ratings are read from " + quoted(user) +
             ", where the last save went");
    return user;
  }
  return path;
}

// What the log says of a read: nothing for a whole, sound file.
void log_what_was_read(const Str& path, int whole, const HighRatingsDamage& damage) {
  const std::string file = "High ratings: " + quoted(path);
  if (whole < 0) {
    log_text("High ratings: cannot open " + quoted(path) + "; the starting table is used");
  } else if (damage.oversized_bytes > 0) {
    log_text(file + " is damaged as a whole (" + std::to_string(damage.oversized_bytes) +
             " bytes, far more than a table); the starting table is used");
  } else {
    for (const std::string& entry : damage.entries)
      log_text(file + ": " + entry + "; it comes from the starting table");
    if (whole < kHighEntries)
      log_text(file + " holds " + std::to_string(whole) + " of " + std::to_string(kHighEntries) +
               " entries; the rest come from the starting table");
  }
}

}  // namespace

Str high_ratings_file_name() { return encipher("highs.txt"); }

Str high_ratings_user_folder() { return file_user_data_folder(kProgramName).c_str(); }

Str high_ratings_user_path() {
  const Str folder = high_ratings_user_folder();
  if (folder.length == 0) return Str();
  return file_path_join(folder.c_str(), high_ratings_file_name().c_str()).c_str();
}

const char* high_ratings_user_folder_reason() {
  if (app_is_installed()) return "the game is installed";
  if (!media_folder_entered) return "there is no media folder";
  if (!file_dir_writable(".")) return "the media folder is read-only";
  return nullptr;
}

Str high_ratings_path() {
  const Str name = high_ratings_file_name();
  if (!high_ratings_user_folder_reason()) return name;
  const Str user = high_ratings_user_path();
  if (user.length == 0) return app_is_installed() || !media_folder_entered ? Str() : name;
  return user;
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

int read_high_ratings(const Str& path, HighTable& table, HighRatingsDamage* damage) {
  if (!file_open(kChannel, path, 1)) return -1;
  const int64_t size = file_channel(kChannel)->size;
  if (size > kHighFileMaxBytes) {
    file_close(kChannel);
    if (damage) damage->oversized_bytes = size;
    return 0;
  }
  int whole = 0;
  while (whole < kHighEntries) {
    Str rating_line, name_line;
    if (!file_try_read_line(kChannel, rating_line) || !file_try_read_line(kChannel, name_line)) break;
    double rating = 0;
    // A number too large for a double (such as "4e526") is no rating either: it would top every table.
    const bool numbered = rating_of(decipher(rating_line), rating);
    const Str name = decipher(name_line);
    const bool named = printable(name);
    if (numbered && named) {
      table.ratings[whole] = rating;
      table.names[whole] = name;
    } else if (damage) {
      const char* what = !numbered && !named ? "its rating is not a number, its name is not printable text"
                         : numbered          ? "its name is not printable text"
                                             : "its rating is not a number";
      damage->entries.push_back("entry " + std::to_string(whole) + " is damaged (" + what + ")");
    }
    ++whole;
  }
  file_close(kChannel);
  return whole;
}

void load_high_ratings() {
  HighTable table = starting_high_table();
  const Str path = file_to_read();
  std::string why;
  if (!some_folder_takes_the_file(why))
    log_text("High ratings: no folder can take the ratings file (" + why +
             "); this game's ratings will not be saved");
  HighRatingsDamage damage;
  const int whole = read_high_ratings(path, table, &damage);
  log_what_was_read(path, whole, damage);
  high_table_to_globals(table);
}

bool save_high_ratings() {
  const std::vector<Str> lines = high_ratings_lines(high_table_from_globals());
  const Str path = high_ratings_path();
  if (path.length > 0 && save_to(path, lines)) return true;
  // A media folder that cannot take the file (a folder in its place, a full disk) sends it where a
  // read-only one would.
  const Str user = high_ratings_user_path();
  if (!high_ratings_user_folder_reason() && user.length > 0 && save_to(user, lines)) {
    log_text("High ratings saved to " + quoted(user) + " instead");
    return true;
  }
  log_text("High ratings not saved: no folder could take the file");
  app_set_error(RtError::file);
  return false;
}
