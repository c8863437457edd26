// Fuzz target for reading the high-ratings file. The first byte picks what the rest is:
//   even: the file's bytes as they lie on disk (damaged lines, odd line ends, non-hex text);
//   odd:  up to 14 plain texts, one per line feed, that are enciphered into a well-formed file first,
//         so that the number parsing sees any text, not just what random cipher text deciphers to.
// The reader takes at most seven entries, never ends the program and leaves entries it could not read
// in full as they were; plain texts come back as written. Whatever it read, the game writes back as a
// file that reads again as the same table, line for line.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/core/mem_name.h"
#include "game/round/high_ratings_file.h"
#include "game/round/high_ratings_table.h"

namespace {

// Reads bytes as the file, through a "mem://" name on the runtime's file channels.
int read_bytes_as_file(const std::string& bytes, HighTable& table) {
  const uint8_t* data = reinterpret_cast<const uint8_t*>(bytes.data());
  const std::string name = mem_name_register(data, uint32_t(bytes.size()));
  const int whole = read_high_ratings(Str(name.c_str()), table);
  mem_name_release(data);
  return whole;
}

std::string file_of(const std::vector<Str>& lines) {
  std::string file;
  for (const Str& line : lines) file += std::string(line.c_str()) + "\r\n";
  return file;
}

// A table no file can produce: names with a line feed and a rating no number text gives.
HighTable sentinel_table() {
  HighTable t;
  for (int k = 0; k < kHighEntries; ++k) {
    t.ratings[k] = 0.123456789012345;
    t.names[k] = "untouched\n";
  }
  return t;
}

bool same_number(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

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
  const int whole = read_bytes_as_file(bytes, table);
  if (whole < 0 || whole > kHighEntries) std::abort();
  const HighTable untouched = sentinel_table();
  for (int k = whole; k < kHighEntries; ++k) {
    if (table.ratings[k] != untouched.ratings[k] || std::strcmp(table.names[k].c_str(), "untouched\n") != 0)
      std::abort();
  }
  if (plain) {
    if (whole != kHighEntries) std::abort();
    for (int k = 0; k < kHighEntries; ++k) {
      // A number too large for a double reads as 0, as a non-number does.
      const double number = str_to_num(Str(texts[2 * k].c_str()));
      if (!same_number(table.ratings[k], std::isfinite(number) ? number : 0.0)) std::abort();
      if (texts[2 * k + 1] != table.names[k].c_str()) std::abort();
    }
  }

  // What the game would write for it, and that written file read back.
  const std::vector<Str> lines = high_ratings_lines(table);
  if (lines.size() != 2u * kHighEntries) std::abort();
  for (const Str& line : lines) {
    if (line.length % 16 != 0 || line.length > 1022) std::abort();
    if (std::strspn(line.c_str(), "0123456789abcdef") != line.length) std::abort();
  }
  HighTable again = sentinel_table();
  if (read_bytes_as_file(file_of(lines), again) != kHighEntries) std::abort();
  const std::vector<Str> lines_again = high_ratings_lines(again);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (std::strcmp(lines[i].c_str(), lines_again[i].c_str()) != 0) std::abort();
  }
  return 0;
}
