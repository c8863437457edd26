// The starting high-ratings file: its enciphered name and lines, its line ends, what it
// deciphers to, and that a player's file is never replaced.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "engine/core/files.h"
#include "engine/core/str.h"
#include "media/media_tool_helpers.h"

using media_tools::read_text;
using media_tools::run_tool;
using media_tools::ScratchDir;

namespace {

std::string encrypt(const char* text) {
  Str out;
  str_encrypt(out, Str("tervo"), Str(text));
  return out.c_str();
}

std::string decrypt(const std::string& hex) {
  Str in(hex.c_str());
  Str out;
  str_decrypt(out, Str("tervo"), in);
  return out.c_str();
}

std::vector<std::string> split_crlf_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos) {
      lines.push_back(text.substr(at));  // unterminated last line
      break;
    }
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

class FirstHighs : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    path_ = dir_.file(encrypt("highs.txt"));
    ASSERT_EQ(run_tool("brakka_highs", {dir_.path()}), 0);
  }

  ScratchDir dir_;
  std::string path_;
};

}  // namespace

TEST_F(FirstHighs, NameIsTheEncipheredHexOfHighsTxt) {
  const std::string name = encrypt("highs.txt");
  EXPECT_EQ(name.size(), 32u);  // nine bytes pad to two cipher blocks
  EXPECT_EQ(name.find_first_not_of("0123456789abcdef"), std::string::npos);
  EXPECT_FALSE(read_text(path_).empty());
}

TEST_F(FirstHighs, HoldsFourteenHexLinesEachEndedByCrLf) {
  const std::string text = read_text(path_);
  ASSERT_GE(text.size(), 2u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  const std::vector<std::string> lines = split_crlf_lines(text);
  ASSERT_EQ(lines.size(), 14u);
  for (const std::string& line : lines) {
    SCOPED_TRACE(line);
    EXPECT_FALSE(line.empty());
    EXPECT_EQ(line.size() % 16, 0u);
    EXPECT_EQ(line.find_first_not_of("0123456789abcdef"), std::string::npos);
  }
}

TEST_F(FirstHighs, DeciphersToAnEmptyEntryAndARankedTable) {
  const std::vector<std::string> lines = split_crlf_lines(read_text(path_));
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(decrypt(lines[0]), "0");
  EXPECT_EQ(decrypt(lines[1]), "EMPTY");
  double previous = 0.0;
  for (int k = 1; k <= 6; ++k) {
    SCOPED_TRACE(k);
    const std::string rating_text = decrypt(lines[2 * k]);
    const std::string name = decrypt(lines[2 * k + 1]);
    const double rating = str_to_num(Str(rating_text.c_str()));
    // The rating line is the runtime's own text for its number.
    Str canonical;
    str_from_num(canonical, rating);
    EXPECT_EQ(rating_text, canonical.c_str());
    EXPECT_GT(rating, 0.0);
    if (k > 1) {
      EXPECT_LT(rating, previous);
    }
    previous = rating;
    // Names a player could have typed: capitals and blanks, at most ten.
    EXPECT_FALSE(name.empty());
    EXPECT_LE(name.size(), 10u);
    EXPECT_EQ(name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ "), std::string::npos);
  }
}

TEST_F(FirstHighs, ReadsBackThroughTheRuntimesLineReader) {
  const std::vector<std::string> lines = split_crlf_lines(read_text(path_));
  ASSERT_EQ(lines.size(), 14u);
  ASSERT_NE(file_open(1, Str(path_.c_str()), 1), 0);
  for (const std::string& expected : lines) {
    Str line;
    file_read_line(1, line);
    EXPECT_EQ(std::string(line.c_str()), expected);
  }
  file_close(1);
}

TEST_F(FirstHighs, LeavesAnExistingFileUntouched) {
  const std::string players_table = "a player's own table\r\n";
  { std::ofstream(path_, std::ios::binary | std::ios::trunc) << players_table; }
  const std::string log = dir_.file("log.txt");
  EXPECT_EQ(run_tool("brakka_highs", {dir_.path()}, log), 0);
  EXPECT_EQ(read_text(path_), players_table);
  EXPECT_NE(read_text(log).find("kept"), std::string::npos) << read_text(log);
}

TEST(FirstHighsTool, CreatesAMissingMediaFolder) {
  ScratchDir dir;
  const std::string media = dir.file("bin/Media");
  ASSERT_EQ(run_tool("brakka_highs", {media}), 0);
  EXPECT_FALSE(read_text(media + "/" + encrypt("highs.txt")).empty());
}

TEST(FirstHighsTool, FailsClearlyWhereNoFileCanBeMade) {
  EXPECT_EQ(run_tool("brakka_highs", {}), 2);
  ScratchDir dir;
  ASSERT_TRUE(std::ofstream(dir.file("plain")).good());
  EXPECT_EQ(run_tool("brakka_highs", {dir.file("plain") + "/Media"}), 1);
}
