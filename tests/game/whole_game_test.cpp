// Whole games from process start to exit status, played through the real input path by the automatic
// player: a won game, a lost game, a game quit from the menu, every welcome sub-screen with a typed
// name, a game without any media, and the window closed on every screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "game/game_test_helpers.h"
#include "game/state/high_ratings_file.h"
#include "game/whole_game_helpers.h"
#include "portable.h"

namespace {

using autoplay::Input;
using autoplay::Plan;
using autoplay::RoundPlan;

// The parts of a finished round's event line ("round N ... result R ... sums 1 result_ok 1 ...").
struct RoundLine {
  int result = -1;
  bool ok = false;
};
RoundLine parse_round(const std::string& line) {
  RoundLine r;
  auto value = [&](const std::string& key) {
    const size_t at = line.find(" " + key + " ");
    return at == std::string::npos ? -999 : std::atoi(line.c_str() + at + key.size() + 2);
  };
  r.result = value("result");
  r.ok = value("mispredicted") == 0 && value("illegal") == 0 && value("sums") == 1 &&
         value("result_ok") == 1 && value("empty_line") == 1;
  return r;
}

// Every round played by the rules; the blocks moved as the results say until the game's end: a won
// game takes blocks 3..8 off (won rounds minus lost ones is 6), a lost one puts blocks 2 and 1 back and
// loses once more with all eight standing (lost minus won is 3). A drawn round moves nothing.
void expect_game(const GameRun& run, int net_wins, int last_result) {
  const auto rounds = run.lines("round ");
  ASSERT_FALSE(rounds.empty());
  int won = 0, lost = 0;
  for (const std::string& line : rounds) {
    std::printf("%s\n", line.c_str());
    const RoundLine r = parse_round(line);
    EXPECT_TRUE(r.ok) << line;
    won += r.result == 12;
    lost += r.result == 13;
  }
  EXPECT_EQ(won - lost, net_wins);
  EXPECT_EQ(parse_round(rounds.back()).result, last_result);
}

TEST(WholeGame, WonGame) {
  Plan plan;
  plan.seed = 2024;
  plan.round_plan = [](int n) { return varied_round(n, true); };
  GameRun run;
  run_game(plan, {}, run);
  EXPECT_EQ(run.status, 0);
  expect_game(run, 6, 12);
  EXPECT_TRUE(run.saw_screen("win"));
  EXPECT_FALSE(run.saw_screen("lose"));
  EXPECT_TRUE(run.saw_screen("goodbye"));
  std::vector<double> ratings;
  std::vector<std::string> names;
  ASSERT_TRUE(run.read_high_ratings(ratings, names));
  EXPECT_EQ(names[0], "EMPTY");
  EXPECT_EQ(names[1], "EMPTY") << "six won rounds top the starting table";
  EXPECT_GT(ratings[1], 100);
}

TEST(WholeGame, LostGame) {
  Plan plan;
  plan.seed = 77;
  plan.round_plan = [](int n) { return varied_round(n, false); };
  GameRun run;
  run_game(plan, {}, run);
  EXPECT_EQ(run.status, 0);
  expect_game(run, -3, 13);
  EXPECT_TRUE(run.saw_screen("lose"));
  EXPECT_FALSE(run.saw_screen("win"));
  std::vector<double> ratings;
  std::vector<std::string> names;
  ASSERT_TRUE(run.read_high_ratings(ratings, names));
  for (int k = 1; k <= 6; ++k) EXPECT_NE(names[k], "EMPTY") << "a negative rating enters no table";
}

TEST(WholeGame, QuitFromTheMenuAfterARound) {
  Plan plan;
  plan.quit_before_round = 2;
  GameRun run;
  run_game(plan, {}, run);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.count("round "), 1);
  EXPECT_EQ(run.count("screen stats"), 2) << "after the round, then the final one";
  EXPECT_TRUE(run.saw_screen("goodbye"));
  std::vector<double> ratings;
  std::vector<std::string> names;
  EXPECT_TRUE(run.read_high_ratings(ratings, names));
}

TEST(WholeGame, EveryWelcomeSubScreenAndATypedName) {
  Plan plan;
  plan.typed_name = "ANNA B";
  plan.visit_high_ratings = true;
  plan.visit_instructions = true;
  plan.quit_before_round = 1;
  GameRun run;
  run_game(plan, {}, run);
  EXPECT_EQ(run.status, 0);
  for (const char* screen : {"welcome", "name keyboard", "stats", "instructions", "main menu", "goodbye"})
    EXPECT_TRUE(run.saw_screen(screen)) << screen;
  EXPECT_EQ(run.count("round "), 0);
  std::vector<double> ratings;
  std::vector<std::string> names;
  ASSERT_TRUE(run.read_high_ratings(ratings, names));
  EXPECT_EQ(names[0], "ANNA B");
}

TEST(WholeGame, WithoutAnyMediaEveryScreenWorksByPosition) {
  Plan plan;
  plan.typed_name = "NO MEDIA";
  plan.visit_instructions = true;
  plan.quit_before_round = 3;
  plan.round_plan = [](int n) { return varied_round(n, true); };
  GameRunOptions options;
  options.empty_media = true;
  GameRun run;
  run_game(plan, options, run);
  EXPECT_EQ(run.status, 0);
  ASSERT_EQ(run.count("round "), 2);
  for (const std::string& line : run.lines("round ")) EXPECT_TRUE(parse_round(line).ok) << line;
  std::vector<double> ratings;
  std::vector<std::string> names;
  ASSERT_TRUE(run.read_high_ratings(ratings, names)) << "the table is saved from the starting one";
  EXPECT_EQ(names[0], "NO MEDIA");
}

// A whole game without the mouse, by keys alone or by a pad alone: the name typed (or picked with the
// D-pad) with a correction, every welcome sub-screen, two rounds with both answers of each set-up
// question, quit from the menu and the table saved with the name as entry 0.
void expect_game_without_mouse(Input input, const char* typed, const char* name, RoundPlan round1,
                               RoundPlan round2) {
  Plan plan;
  plan.input = input;
  plan.seed = 99;
  plan.typed_name = typed;
  plan.visit_high_ratings = true;
  plan.visit_instructions = true;
  plan.quit_before_round = 3;
  plan.round_plan = [=](int n) { return n == 1 ? round1 : round2; };
  GameRun run;
  run_game(plan, {}, run);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.clicks, 0);
  for (const char* screen : {"welcome", "name keyboard", "stats", "instructions", "main menu", "round set-up",
                             "round", "round end", "goodbye"})
    EXPECT_TRUE(run.saw_screen(screen)) << screen;
  ASSERT_EQ(run.count("round "), 2);
  for (const std::string& line : run.lines("round ")) EXPECT_TRUE(parse_round(line).ok) << line;
  std::vector<double> ratings;
  std::vector<std::string> names;
  ASSERT_TRUE(run.read_high_ratings(ratings, names));
  EXPECT_EQ(names[0], name);
}

TEST(WholeGame, KeysOnly) {
  expect_game_without_mouse(Input::keys, "KEYZ<S ONLY", "KEYS ONLY",
                            RoundPlan{false, false, Input::keys, true},
                            RoundPlan{true, true, Input::keys, true});
}

TEST(WholeGame, PadOnly) {
  expect_game_without_mouse(Input::pad, "PAD ONX<E", "PAD ONE", RoundPlan{true, true, Input::pad, true},
                            RoundPlan{false, false, Input::pad, true, true});
}

// Damaged or missing media: a random data.zaz in the installed layout (the archives and the ratings
// file only), and no Media folder at all. The game plays by position all the same and ends with status
// 0; the log names the archive, and every file that could not be loaded once, however often a screen
// asked for it (the main screen loads its map every frame), or the missing folder.
TEST(WholeGame, DamagedOrMissingMediaAreNamedInTheLog) {
  struct Case {
    const char* what;
    std::function<void(const std::string&)> prepare;
    Plan plan;
    std::vector<std::string> lines;  // each in the log exactly once
  };
  Plan one_round;
  one_round.quit_before_round = 2;
  Plan from_welcome;
  from_welcome.quit_from_welcome = true;
  const auto random_data_archive = [](const std::string& dir) {
    for (const auto& entry : std::filesystem::directory_iterator(dir + "/Media"))
      if (entry.path().filename() != "media.zaz" &&
          entry.path().filename() != high_ratings_file_name().c_str())
        std::filesystem::remove(entry.path());
    std::mt19937 random(17);
    std::ofstream data(dir + "/Media/data.zaz", std::ios::binary);
    for (int i = 0; i < 100000; ++i) data.put(static_cast<char>(random()));
  };
  const Case cases[] = {
      {"a random data.zaz",
       random_data_archive,
       one_round,
       {"Cannot read the archive \"data.zaz\": not an archive (no \"zaZ\" trailer)",
        "Cannot load \"green.bmp\": not found", "Cannot load \"hint.png\": not found",
        "Cannot load \"add.wav\": not found", "Cannot load \"map.png\": not found",
        "Cannot load \"backdrop.png\": not found"}},
      {"no Media folder",
       [](const std::string& dir) { std::filesystem::remove_all(dir + "/Media"); },
       from_welcome,
       {"The \"Media\" folder is missing or cannot be entered: media are looked for in the program's "
        "folder"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GameRunOptions options;
    options.prepare = c.prepare;
    GameRun run;
    run_game(c.plan, options, run);
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.saw_screen("goodbye"));
    const std::vector<std::string> log = run.log_lines();
    for (const std::string& line : c.lines) EXPECT_EQ(std::count(log.begin(), log.end(), line), 1) << line;
  }
}

// A folder stands in the place of the media folder's high-ratings file, so the save at the end goes to
// the user's data folder; when that cannot be made either (a home under a regular file), the table is
// lost. The goodbye screen comes either way; the exit status says whether the table was saved.
TEST(WholeGame, ASaveTheMediaFolderCannotTakeGoesToTheUserFolderAndTheGoodbyeComesEitherWay) {
  if (portable::kWindows)
    GTEST_SKIP() << "the user's data folder on Windows is the shell's, which a test cannot move";
  const struct {
    bool home;
    int status;
    const char* start_line;      // the start of a line from start-up, or nullptr
    const char* last_save_line;  // its start
  } cases[] = {
      {true, 0, nullptr, "High ratings saved to \""},
      {false, 3, "High ratings: no folder can take the ratings file (something other than a file stands",
       "High ratings not saved: no folder could take the file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.status);
    Plan plan;
    plan.quit_before_round = 1;
    GameRunOptions options;
    std::string dir;
    options.prepare = [&](const std::string& run_dir) {
      dir = run_dir;
      const std::string highs = dir + "/Media/" + high_ratings_file_name().c_str();
      std::filesystem::remove(highs);
      std::filesystem::create_directory(highs);
      std::ofstream(dir + "/a_file") << "x";
      // The program inherits the user's folders: its own, or one under a regular file.
      if (c.home) portable::set_env("XDG_DATA_HOME", dir + "/data");
      if (!c.home) portable::unset_env("XDG_DATA_HOME"), portable::set_env("HOME", dir + "/a_file");
    };
    GameRun run;
    run_game(plan, options, run);
    EXPECT_EQ(run.status, c.status);
    EXPECT_TRUE(run.saw_screen("goodbye"));
    HighTable table;
    const std::string user_file = dir + "/data/brakka/" + high_ratings_file_name().c_str();
    EXPECT_EQ(read_high_ratings(Str(user_file.c_str()), table), c.status == 0 ? kHighEntries : -1);
    std::string last_save_line;
    int start_lines = 0;
    for (const std::string& line : run.log_lines()) {
      if (line.rfind("High ratings", 0) == 0) last_save_line = line;
      start_lines += c.start_line && line.rfind(c.start_line, 0) == 0;
    }
    EXPECT_EQ(last_save_line.rfind(c.last_save_line, 0), 0u) << last_save_line;
    EXPECT_EQ(start_lines, c.start_line ? 1 : 0);
  }
}

// Closing the window on any screen ends the program at once with status 0 and writes nothing.
TEST(WholeGame, ClosingTheWindowOnAnyScreenWritesNothing) {
  struct Case {
    const char* screen;
    Plan plan;
  };
  std::vector<Case> cases;
  auto add = [&](const char* screen, auto adjust) {
    Plan p;
    p.close_on = screen;
    p.quit_before_round = 2;
    adjust(p);
    cases.push_back({screen, p});
  };
  add("welcome", [](Plan&) {});
  add("name keyboard", [](Plan& p) { p.typed_name = "ZED"; });
  add("instructions", [](Plan& p) { p.visit_instructions = true; });
  add("stats", [](Plan& p) { p.visit_high_ratings = true; });
  add("main screen", [](Plan&) {});
  add("main menu", [](Plan&) {});
  add("round set-up", [](Plan&) {});
  add("round", [](Plan&) {});
  add("round end", [](Plan&) {});
  add("goodbye", [](Plan& p) { p.quit_from_welcome = true; });
  std::ifstream built(media_dir() + "/" + high_ratings_file_name().c_str(), std::ios::binary);
  const std::string original((std::istreambuf_iterator<char>(built)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(original.empty());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.screen);
    GameRun run;
    run_game(c.plan, {}, run);
    EXPECT_EQ(run.status, 0);
    ASSERT_FALSE(run.events.empty());
    EXPECT_EQ(run.count("closing on "), 1);
    // Nothing happened after the close request but the end of the program.
    EXPECT_EQ(run.events[run.events.size() - 2], "closing on " + c.plan.close_on);
    EXPECT_EQ(run.high_ratings_bytes(), original);
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(run.media())) ++files;
    size_t built_files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(media_dir())) ++built_files;
    EXPECT_EQ(files, built_files) << "no file left behind";
  }
}

}  // namespace
