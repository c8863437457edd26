#include "game/high_ratings_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "game/game_test_helpers.h"
#include "game/state/high_ratings_file.h"
#include "portable.h"
#include "support/app_test_helpers.h"

namespace fs = std::filesystem;

namespace {
fs::path g_start_folder;
}

std::string enter_test_folder(const std::string& name) {
  if (g_start_folder.empty()) g_start_folder = fs::current_path();
  const std::string folder = use_private_temp_dir() + name;
  fs::create_directories(portable::to_path(folder));
  std::error_code ec;
  fs::current_path(portable::to_path(folder), ec);
  EXPECT_FALSE(ec) << folder;
  return folder + "/";
}

void leave_test_folder() {
  if (!g_start_folder.empty()) {
    std::error_code ec;
    fs::current_path(g_start_folder, ec);
    EXPECT_FALSE(ec);
  }
}

void link_media_files() {
  const fs::path media = media_dir();
  const std::string highs = high_ratings_file_name().c_str();
  for (const fs::directory_entry& e : fs::directory_iterator(media)) {
    const std::string name = portable::path_text(e.path().filename());
    if (name == highs || fs::exists(name)) continue;
    portable::link_file(portable::path_text(e.path()), name);
  }
}

std::string read_bytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

void write_bytes(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f << bytes;
}

bool file_exists(const std::string& path) { return fs::exists(path); }

std::vector<std::string> folder_names(const std::string& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& e : fs::directory_iterator(portable::to_path(folder)))
    names.push_back(portable::path_text(e.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> crlf_lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = text.find("\r\n", at);
    if (end == std::string::npos) {
      lines.push_back(text.substr(at));
      break;
    }
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

std::string encipher(const std::string& text) {
  Str out;
  str_encrypt(out, Str(kHighsKey), Str(text.c_str()));
  return out.c_str();
}

std::string decipher(const std::string& hex) {
  Str in(hex.c_str());
  Str out;
  str_decrypt(out, Str(kHighsKey), in);
  return out.c_str();
}

std::string number_text(double value) {
  Str text;
  str_from_num(text, value);
  return text.c_str();
}

HighTable make_table(const Entries& entries) {
  HighTable table;
  for (int k = 0; k < kHighEntries && k < int(entries.size()); ++k) {
    table.ratings[k] = entries[k].first;
    table.names[k] = entries[k].second.c_str();
  }
  return table;
}

Entries entries_of(const HighTable& table) {
  Entries entries;
  for (int k = 0; k < kHighEntries; ++k) entries.emplace_back(table.ratings[k], table.names[k].c_str());
  return entries;
}

Entries globals_entries() { return entries_of(high_table_from_globals()); }

std::string file_bytes_of(const HighTable& table) {
  std::string bytes;
  for (const Str& line : high_ratings_lines(table)) bytes += std::string(line.c_str()) + "\r\n";
  return bytes;
}
