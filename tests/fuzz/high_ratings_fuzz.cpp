// Fuzz target for reading the high-ratings file. The first byte picks what the rest is:
//   even: the file's bytes as they lie on disk (damaged lines, odd line ends, non-hex text);
//   odd:  up to 14 plain texts, one per line feed, that are enciphered into a well-formed file first,
//         so that the number parsing and the name check see any text, not just what random cipher
//         text deciphers to.
// The reader takes at most seven entries, never ends the program, leaves entries it could not read
// in full or found damaged as they were and reports each damaged one; a sound entry has a finite
// rating and a printable name, and plain texts come back as written when they make a sound entry.
// With the damaged entries filled in as the game fills them, the table is written back as a file that
// reads again as the same table, whole and sound, line for line.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/core/mem_name.h"
#include "game/state/high_ratings_file.h"
#include "game/state/high_ratings_table.h"

namespace {

// Reads bytes as the file, through a "mem://" name on the runtime's file channels.
int read_bytes_as_file(const std::string& bytes, HighTable& table, HighRatingsDamage& damage) {
  const uint8_t* data = reinterpret_cast<const uint8_t*>(bytes.data());
  const std::string name = mem_name_register(data, uint32_t(bytes.size()));
  const int whole = read_high_ratings(Str(name.c_str()), table, &damage);
  mem_name_release(data);
  return whole;
}

std::string file_of(const std::vector<Str>& lines) {
  std::string file;
  for (const Str& line : lines) file += std::string(line.c_str()) + "\r\n";
  return file;
}

// A table no file can produce: names with a line feed and a rating no number text gives.
constexpr double kSentinelRating = 0.123456789012345;
HighTable sentinel_table() {
  HighTable t;
  for (int k = 0; k < kHighEntries; ++k) {
    t.ratings[k] = kSentinelRating;
    t.names[k] = "untouched\n";
  }
  return t;
}
bool untouched(const HighTable& t, int k) {
  return t.ratings[k] == kSentinelRating && std::strcmp(t.names[k].c_str(), "untouched\n") == 0;
}

bool printable(const std::string& text) {
  for (unsigned char c : text)
    if (c < 32 || c > 126) return false;
  return true;
}

// A rating text the reader must take: all of it a finite decimal number, with only blanks (spaces
// and tabs) before it; other white space such as a carriage return, and the hexadecimal, "inf" and
// "nan" texts a reader of numbers would also take, are no rating.
bool number_text(const std::string& text, double& value) {
  const size_t start = text.find_first_not_of(" \t");
  if (start == std::string::npos || text.find_first_not_of("+-.0123456789eE", start) != std::string::npos)
    return false;
  char* end = nullptr;
  value = std::strtod(text.c_str() + start, &end);
  return end != text.c_str() + start && *end == 0 && std::isfinite(value);
}

// Plain texts, enciphered line by line; a text ends at its first zero byte (as a deciphered one does)
// and is kept short enough for one line.
std::string enciphered_file(const std::string& plain, std::vector<std::string>& texts) {
  size_t at = 0;
  for (int i = 0; i < 2 * kHighEntries; ++i) {
    size_t end = plain.find('\n', at);
    if (end == std::string::npos) end = plain.size();
    std::string text = at < plain.size() ? plain.substr(at, end - at) : "";
    at = end + 1;
    text = text.substr(0, std::min(std::strlen(text.c_str()), size_t(kHighNameMaxBytes)));
    texts.push_back(text);
  }
  std::string file;
  for (const std::string& text : texts) {
    Str hex;
    str_encrypt(hex, Str(kHighsKey), Str(text.c_str()));
    file += std::string(hex.c_str()) + "\r\n";
  }
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool plain = data[0] & 1;
  const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::vector<std::string> texts;
  const std::string bytes = plain ? enciphered_file(rest, texts) : rest;

  HighTable table = sentinel_table();
  HighRatingsDamage damage;
  const int whole = read_bytes_as_file(bytes, table, damage);
  if (whole < 0 || whole > kHighEntries) std::abort();
  if (int64_t(bytes.size()) > kHighFileMaxBytes) {
    if (whole != 0 || !damage.oversized_bytes) std::abort();
    return 0;
  }
  size_t damaged = 0;  // entries held in full but left as they were
  for (int k = 0; k < kHighEntries; ++k) {
    damaged += k < whole && untouched(table, k);
    if (!untouched(table, k) &&
        (k >= whole || !std::isfinite(table.ratings[k]) || !printable(table.names[k].c_str())))
      std::abort();
  }
  if (damaged != damage.entries.size()) std::abort();
  if (plain) {
    if (whole != kHighEntries) std::abort();
    for (int k = 0; k < kHighEntries; ++k) {
      double number = 0;
      const bool sound = number_text(texts[2 * k], number) && printable(texts[2 * k + 1]);
      if (sound == untouched(table, k)) std::abort();
      if (sound && (table.ratings[k] != number || texts[2 * k + 1] != table.names[k].c_str())) std::abort();
    }
  }

  // What the game would write for it, with what was left as it was from the starting table, and that
  // written file read back: whole, sound and the same.
  for (int k = 0; k < kHighEntries; ++k) {
    if (!untouched(table, k)) continue;
    table.ratings[k] = starting_high_table().ratings[k];
    table.names[k] = starting_high_table().names[k];
  }
  const std::vector<Str> lines = high_ratings_lines(table);
  if (lines.size() != 2u * kHighEntries) std::abort();
  for (const Str& line : lines) {
    if (line.length % 16 != 0 || line.length > 1022) std::abort();
    if (std::strspn(line.c_str(), "0123456789abcdef") != line.length) std::abort();
  }
  HighTable again = sentinel_table();
  damage = {};
  if (read_bytes_as_file(file_of(lines), again, damage) != kHighEntries || !damage.entries.empty())
    std::abort();
  const std::vector<Str> lines_again = high_ratings_lines(again);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (std::strcmp(lines[i].c_str(), lines_again[i].c_str()) != 0) std::abort();
  }
  return 0;
}
