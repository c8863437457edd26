#include "game/round/high_ratings_file.h"

#include <string>

#include "engine/core/app.h"
#include "engine/core/file_channels.h"
#include "engine/core/file_replace.h"
#include "engine/core/files.h"

namespace {

constexpr int kChannel = 1;

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

Str high_ratings_path() { return high_ratings_file_name(); }

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
    table.ratings[whole] = str_to_num(decipher(rating_line));
    table.names[whole] = decipher(name_line);
    ++whole;
  }
  file_close(kChannel);
  return whole;
}

void load_high_ratings() {
  HighTable table = starting_high_table();
  const Str path = high_ratings_path();
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
  std::string why;
  if (!file_replace_lines(high_ratings_path(), high_ratings_lines(high_table_from_globals()), &why)) {
    log_line(("High ratings not saved: " + why + "\n").c_str());
    app_fatal(3);
  }
}
