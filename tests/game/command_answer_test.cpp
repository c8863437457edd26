// The options that ask for no game: which command lines are answered, and with what.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "engine/app/app.h"

namespace {

std::string first_line(const std::string& text) { return text.substr(0, text.find('\n')); }

TEST(CommandAnswer, OnlyVersionAndHelpAreAnsweredAndTheFirstOfThemDecides) {
  const std::string version = "Brakka " BRAKKA_VERSION;
  const std::string usage = "Usage: brakka [--help | --version]";
  struct Case {
    std::vector<std::string> arguments;
    std::string first_line;  // empty: the game plays
  } cases[] = {
      {{}, ""},
      {{"--version"}, version},
      {{"--help"}, usage},
      {{"--version", "--help"}, version},
      {{"--help", "--version"}, usage},
      {{"some", "other", "--version"}, version},
      {{"-v"}, ""},
      {{"-h"}, ""},
      {{"--versions"}, ""},
      {{"--HELP"}, ""},
      {{"-- version"}, ""},
      {{""}, ""},
  };
  for (const Case& c : cases) {
    std::string line;
    for (const std::string& a : c.arguments) line += "[" + a + "]";
    const std::string answer = game_command_answer(c.arguments);
    EXPECT_EQ(first_line(answer), c.first_line) << line;
    if (!answer.empty()) {
      EXPECT_EQ(answer.back(), '\n') << line;
    }
  }
}

TEST(CommandAnswer, VersionNamesTheLicence) {
  const std::string answer = game_command_answer({"--version"});
  EXPECT_NE(answer.find("\nLicence GPL-3.0-or-later: GNU GPL version 3 or later"), std::string::npos)
      << answer;
  EXPECT_NE(answer.find("NO WARRANTY"), std::string::npos) << answer;
}

}  // namespace
