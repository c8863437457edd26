// The high-ratings file: what the game writes, what it reads back, how it copes with a missing,
// short or damaged file, and that a save never loses the table, whether it fails or is killed.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "engine/app/app.h"
#include "engine/platform/headless.h"
#include "game/high_ratings_helpers.h"
#include "game/state/high_ratings_file.h"
#include "game/state/high_ratings_table.h"
#include "game/state/game_state.h"
#include "portable.h"
#include "support/app_test_helpers.h"

namespace {

// The user's data folder of Windows is the shell's Roaming AppData folder, which a test cannot move as
// it moves $XDG_DATA_HOME; the cases that save there or read where it is run on POSIX systems.
const char* const kUserFolderFixed =
    "the user's data folder on Windows is the shell's, which a test cannot move";

const Entries kSample = {{42, "OWN ENTRY"}, {123.4567891, "ELLIE"}, {1.0 / 3, "ARTHUR J"}, {8.2, "priya"},
                         {0, ""},           {-3.6, "TOM TOM TOM"},  {-1234567890, "Z"}};

class HighRatingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    folder_ = enter_test_folder("media");
    path_ = folder_ + high_ratings_file_name().c_str();
    // The user's data folder is the test's own, so no save ever reaches the real one.
    data_ = folder_ + "../data";
    portable::set_env("XDG_DATA_HOME", data_);
    user_path_ = data_ + "/brakka/" + high_ratings_file_name().c_str();
    media_folder_entered = true;
    dim_game_arrays();
  }
  void TearDown() override {
    leave_test_folder();
    std::error_code ec;
    if (!folder_.empty()) std::filesystem::permissions(folder_, std::filesystem::perms(0755), ec);
    remove_private_temp_dir();
  }
  std::string folder_, path_, data_, user_path_;
};

TEST_F(HighRatingsFile, SaveWritesFourteenEncipheredLinesThatLoadBackAsTheSameTable) {
  const HighTable table = make_table(kSample);
  high_table_to_globals(table);
  save_high_ratings();

  const std::string bytes = read_bytes(path_);
  ASSERT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  const std::vector<std::string> lines = crlf_lines(bytes);
  ASSERT_EQ(lines.size(), 14u);
  for (int k = 0; k < kHighEntries; ++k) {
    SCOPED_TRACE(k);
    for (const std::string& line : {lines[2 * k], lines[2 * k + 1]})
      EXPECT_EQ(line.find_first_not_of("0123456789abcdef"), std::string::npos) << line;
    EXPECT_EQ(decipher(lines[2 * k]), number_text(kSample[k].first));
    EXPECT_EQ(decipher(lines[2 * k + 1]), kSample[k].second);
  }
  EXPECT_EQ(decipher(lines[4]), "0.3333333333");  // the runtime's number text: 10 digits
  EXPECT_EQ(decipher(lines[8]), "0");
  // Nothing but the file is left in the folder.
  EXPECT_EQ(folder_names(folder_), std::vector<std::string>{high_ratings_file_name().c_str()});

  dim_game_arrays();
  load_high_ratings();
  HighTable expected = table;
  expected.ratings[2] = 0.3333333333;
  EXPECT_EQ(globals_entries(), entries_of(expected));
  EXPECT_TRUE(read_log_lines().empty());  // a whole file is nothing to report

  // Saving again replaces the file: a changed entry and entry 0 as it was read.
  high_ratings(5) = 77;
  save_high_ratings();
  dim_game_arrays();
  load_high_ratings();
  expected.ratings[5] = 77;
  EXPECT_EQ(globals_entries(), entries_of(expected));
}

TEST_F(HighRatingsFile, MissingOrShortFileIsCompletedFromTheStartingTable) {
  const HighTable& start = starting_high_table();
  const std::string full = file_bytes_of(make_table(kSample));
  const std::vector<std::string> lines = crlf_lines(full);
  auto first_lines = [&](int n, bool last_line_ended) {
    std::string text;
    for (int i = 0; i < n; ++i) text += lines[i] + (i + 1 < n || last_line_ended ? "\r\n" : "");
    return text;
  };
  struct Case {
    const char* what;
    bool present;
    std::string bytes;
    int from_file;  // entries that come from the file
    const char* log;
  };
  const Case cases[] = {
      {"missing", false, "", 0, "cannot open"},
      {"empty", true, "", 0, "holds 0 of 7 entries"},
      {"five lines", true, first_lines(5, true), 2, "holds 2 of 7 entries"},
      {"thirteen lines", true, first_lines(13, true), 6, "holds 6 of 7 entries"},
      {"fourteen lines, the last without a line end", true, first_lines(14, false), 7, nullptr},
      {"a fifteenth line", true, full + lines[0] + "\r\n", 7, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ::unlink(log_path());
    ::unlink(path_.c_str());
    if (c.present) write_bytes(path_, c.bytes);
    dim_game_arrays();
    load_high_ratings();
    HighTable expected = start;
    for (int k = 0; k < c.from_file; ++k) {
      expected.ratings[k] = std::stod(number_text(kSample[k].first));
      expected.names[k] = kSample[k].second.c_str();
    }
    EXPECT_EQ(globals_entries(), entries_of(expected));
    const std::vector<std::string> log = read_log_lines();
    if (c.log) {
      ASSERT_EQ(log.size(), 1u);
      EXPECT_NE(log[0].find(c.log), std::string::npos) << log[0];
      EXPECT_NE(log[0].find(high_ratings_file_name().c_str()), std::string::npos) << log[0];
    } else {
      EXPECT_TRUE(log.empty());
    }
  }
}

// An entry whose rating is no number a double holds, or whose name is no printable text, is damaged: it
// comes from the starting table, with a line in the log; a file far larger than a table is damaged as a
// whole. The sound table left is what a save writes back.
TEST_F(HighRatingsFile, DamagedEntriesAndOversizedFilesComeFromTheStartingTableAndAreLogged) {
  auto file = [](const std::vector<std::string>& texts) {
    std::string bytes;
    for (const std::string& text : texts) bytes += encipher(text) + "\r\n";
    return bytes;
  };
  std::string random(10 << 20, '\0');
  std::mt19937 rng(17);
  for (char& c : random) c = char(rng());
  const Entries start = entries_of(starting_high_table());
  const Entries sound = {{42, "OWN"}, {7.5, ""}, {1e308, "a~ Z"}, {-3.6, "N"}, {0, "N"}, {0, "N"}, {12, "N"}};
  const struct {
    const char* what;
    std::string bytes;
    std::vector<int> damaged;  // each from the starting table, with its log line
    const char* whole;         // the one log line of a file damaged as a whole
  } cases[] = {
      {"odd but sound",
       file({"42", "OWN", " 7.5", "", "1e308", "a~ Z", "-3.6", "N", "0", "N", "1e-400", "N", "12", "N"}),
       {},
       nullptr},
      {"damaged",
       file({"42", "OWN", "12abc", "N", "", "N", "4e526", "N", "7", "BAD\x01", "inf", "\xe9T", "nan", "N"}),
       {1, 2, 3, 4, 5, 6},
       nullptr},
      {"garbage",
       "not "
       "hex\r\n\r\nzz\r\nabc\r\n\x01\x80\xff\r\n1\r\nDEADBEEF\r\n0000000000000000\r\n5e\r\n7\r\n~"
       "\r\nf\r\n0\r\n2\r\n",
       {0, 1, 2, 3, 4, 5, 6},
       nullptr},
      {"10 MB of random bytes", random, {}, "is damaged as a whole (10485760 bytes, far more than a table)"},
      {"lines of 100 kB",
       std::string(100000, '7') + "\r\n" + std::string(100000, 'a') + "\r\n",
       {},
       "is damaged as a whole (200004 bytes, far more than a table); the starting table is used"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ::unlink(log_path());
    write_bytes(path_, c.bytes);
    load_high_ratings();
    Entries expected = c.whole ? start : sound;
    for (int k : c.damaged) expected[k] = start[k];
    const Entries loaded = globals_entries();
    EXPECT_EQ(loaded, expected);
    const std::vector<std::string> log = read_log_lines();
    ASSERT_EQ(log.size(), c.whole ? 1u : c.damaged.size());
    for (size_t i = 0; i < log.size(); ++i) {
      const std::string line =
          c.whole ? c.whole : ": entry " + std::to_string(c.damaged[i]) + " is damaged (";
      EXPECT_NE(log[i].find(line), std::string::npos) << log[i];
    }
    ::unlink(log_path());
    ASSERT_TRUE(save_high_ratings());
    load_high_ratings();
    EXPECT_EQ(globals_entries(), loaded);
    EXPECT_TRUE(read_log_lines().empty());
  }
}

TEST_F(HighRatingsFile, AnOverlongNameIsCutSoEveryLineReadsBack) {
  // Only a doctored file can hold such a name; written back whole, its line would be split in two.
  high_table_to_globals(make_table(kSample));
  high_names(3) = std::string(600, 'N').c_str();
  save_high_ratings();
  dim_game_arrays();
  load_high_ratings();
  EXPECT_EQ(std::string(high_names(3).c_str()), std::string(kHighNameMaxBytes, 'N'));
  EXPECT_EQ(high_ratings(4), 0.0);
  EXPECT_STREQ(high_names(6).c_str(), "Z");
  EXPECT_TRUE(read_log_lines().empty());
}

// The tables of the failing saves: the one on disk and the one saved over it, each of more than 1 KiB.
Entries padded_sample(char pad, size_t n) {
  Entries entries = kSample;
  for (auto& e : entries) e.second += std::string(n, pad);
  return entries;
}
const Entries kOldEntries = padded_sample('.', 60), kNewEntries = padded_sample('!', 70);

// What makes writes fail, set up in the child alone for the media folder (ending in '/'); false when
// it cannot be set up here.
using Cause = bool (*)(const std::string& folder);
bool folder_in_place(const std::string& folder) {
  const std::string path = folder + high_ratings_file_name().c_str();
  return std::remove(path.c_str()) == 0 && std::filesystem::create_directory(path);
}
bool full_media_folder(const std::string& folder) {
  if (!portable::mount_tiny_file_system(folder) || ::chdir(folder.c_str()) != 0) return false;
  write_bytes(folder + high_ratings_file_name().c_str(),
              file_bytes_of(make_table(kOldEntries)));  // its one page
  return true;
}
bool home_under_a_file(const std::string& folder) {
  portable::unset_env("XDG_DATA_HOME");
  portable::set_env("HOME", folder + "../a_file");
  return folder_in_place(folder);
}
bool file_size_limit(const std::string&) { return portable::limit_file_size(1024); }
const Cause kCauses[] = {folder_in_place, full_media_folder, home_under_a_file, file_size_limit};

// The child of a failing save, in the media folder: "<cause> <folder>" sets up kCauses[cause], then the
// new table is saved. 1 saved, 0 not saved, 77 when the cause cannot be set up here.
int save_with_a_cause(const std::string& arg) {
  media_folder_entered = true;
  dim_game_arrays();
  high_table_to_globals(make_table(kNewEntries));
  const size_t space = arg.find(' ');
  return !kCauses[std::stoi(arg.substr(0, space))](arg.substr(space + 1)) ? 77 : save_high_ratings() ? 1 : 0;
}
const portable::ChildBody kSaveWithACause("save with a cause", save_with_a_cause);

// Each log line starts as expected and holds the system's reason.
void expect_log(const std::vector<std::pair<std::string, std::string>>& expected) {
  const std::vector<std::string> log = read_log_lines();
  ASSERT_EQ(log.size(), expected.size()) << ::testing::PrintToString(log);
  for (size_t i = 0; i < log.size(); ++i) {
    EXPECT_EQ(log[i].rfind(expected[i].first, 0), 0u) << log[i];
    EXPECT_NE(log[i].find(expected[i].second), std::string::npos) << log[i];
  }
}

// A save the media folder cannot take goes to the user's data folder, and the next start reads it
// there while the media folder's place holds no file. Each failure is logged with the system's
// reason; when no folder takes the table the save says so and fails without ending the program. The
// old file stays as it was. The causes stop root too; the full file system is mounted for the child
// alone, where mounts are allowed.
TEST_F(HighRatingsFile, SaveFailuresAreLoggedWithTheSystemsReasonAndFallBackToTheUserFolder) {
  if (portable::kWindows) GTEST_SKIP() << kUserFolderFixed;
  const std::string name = high_ratings_file_name().c_str(), not_a_folder = folder_ + "../a_file";
  const std::string old_bytes = file_bytes_of(make_table(kOldEntries));
  const std::string new_bytes = file_bytes_of(make_table(kNewEntries));
  write_bytes(not_a_folder, "x");
  const std::string not_saved = "High ratings not saved to \"",
                    instead = "High ratings saved to \"" + user_path_;
  const std::string nowhere = "High ratings not saved: no folder could take the file";
  const struct {
    const char* what;
    int cause;   // in kCauses
    bool saved;  // to the user's folder
    std::vector<std::pair<std::string, std::string>> log;
  } cases[] = {
      {"a folder in the file's place",
       0,
       true,
       {{not_saved + name + "\": cannot rename", ": Is a directory"}, {instead + "\" instead", ""}}},
      {"a full media folder",
       1,
       true,
       {{not_saved + name + "\": cannot write", ": No space left on device"}, {instead + "\" instead", ""}}},
      {"that folder, and a home under a file",
       2,
       false,
       {{not_saved + name + "\": cannot rename", ": Is a directory"},
        {not_saved + not_a_folder + "/.local/share/brakka/" + name,
         "\"" + not_a_folder + "\": Not a directory"},
        {nowhere, ""}}},
      {"a file size limit",
       3,
       false,
       {{not_saved + name + "\": cannot write", ": File too large"},
        {not_saved + user_path_ + "\": cannot write", ": File too large"},
        {nowhere, ""}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(path_);
    std::filesystem::remove_all(data_);
    write_bytes(path_, old_bytes);
    ::unlink(log_path());
    const int answer = portable::run_child("save with a cause", std::to_string(c.cause) + " " + folder_, 60);
    if (answer == 77) {
      std::printf("%s: cannot be set up here, not tried\n", c.what);
      continue;
    }
    EXPECT_EQ(answer, c.saved ? 1 : 0);
    expect_log(c.log);
    EXPECT_EQ(read_bytes(path_), std::filesystem::is_directory(path_) ? "" : old_bytes);
    EXPECT_EQ(folder_names(folder_), std::vector<std::string>{name}) << "no new file left behind";
    EXPECT_EQ(read_bytes(user_path_), c.saved ? new_bytes : "");
    if (c.saved && std::filesystem::is_directory(path_)) {
      ::unlink(log_path());
      load_high_ratings();
      EXPECT_EQ(file_bytes_of(high_table_from_globals()), new_bytes);
      expect_log(
          {{"High ratings: \"" + name + "\" in the media folder is not a file; the ratings are read from \"" +
                user_path_ + "\", where the last save went",
            ""}});
    }
  }
}

// Permissions stop everyone but root.
TEST_F(HighRatingsFile, SaveIntoAFolderWithoutWritePermissionFailsAndKeepsTheOldFile) {
  if (!portable::permissions_stop_writes())
    GTEST_SKIP()
        << "permissions do not stop root (nor anyone on Windows); the file size limit case covers it";
  // A read-only media folder sends the save to the user's data folder, which cannot be made here
  // either: its parent is read-only too. The start of the game says so.
  const std::string locked = folder_ + "../locked",
                    user = locked + "/share/brakka/" + high_ratings_file_name().c_str();
  ASSERT_TRUE(std::filesystem::create_directory(locked));
  std::filesystem::permissions(locked, std::filesystem::perms(0555));
  portable::set_env("XDG_DATA_HOME", locked + "/share");
  write_bytes(path_, "old");
  std::filesystem::permissions(folder_, std::filesystem::perms(0555));
  load_high_ratings();
  EXPECT_FALSE(save_high_ratings());
  EXPECT_EQ(read_bytes(path_), "old");
  expect_log(
      {{"High ratings: the media folder is read-only; the ratings are kept in \"" + user + "\"", ""},
       {"High ratings: no folder can take the ratings file (the media folder is read-only; \"" + locked +
            "\": Permission denied); this game's ratings will not be saved",
        ""},
       {"High ratings: \"" + std::string(high_ratings_file_name().c_str()) + "\" holds 0 of 7", ""},
       {"High ratings not saved to \"" + user + "\": cannot make \"" + locked + "/share\": Permission denied",
        ""},
       {"High ratings not saved: no folder could take the file", ""}});
}

// Without a media folder the current directory is the program's own folder: an older game's file
// there is read, but only the user's folder is written, and the start says when there is none.
TEST_F(HighRatingsFile, WithoutAMediaFolderNothingIsWrittenBesideTheProgram) {
  if (portable::kWindows) GTEST_SKIP() << kUserFolderFixed;
  const std::string name = high_ratings_file_name().c_str(), older_game = file_bytes_of(make_table(kSample));
  const std::string in = "High ratings: there is no media folder; ";
  const std::string beside = ", first filled from \"" + name + "\" beside the program";
  write_bytes(path_, older_game);
  media_folder_entered = false;
  for (const bool home : {true, false}) {
    SCOPED_TRACE(home);
    ::unlink(log_path());
    if (!home) portable::unset_env("XDG_DATA_HOME"), portable::unset_env("HOME");
    load_high_ratings();
    EXPECT_EQ(file_bytes_of(high_table_from_globals()), older_game);
    high_ratings(1) = 500;
    EXPECT_EQ(save_high_ratings(), home);
    const std::vector<std::string> log =
        home ? std::vector<std::string>{in + "the ratings are kept in \"" + user_path_ + "\"" + beside}
             : std::vector<std::string>{
                   in + "there is no user data folder to keep them in (no $XDG_DATA_HOME or $HOME)" + beside,
                   "High ratings: no folder can take the ratings file (there is no media "
                   "folder; there is no user data folder (no $XDG_DATA_HOME or $HOME)); this game's "
                   "ratings will not be saved",
                   "High ratings not saved: no folder could take the file"};
    EXPECT_EQ(read_log_lines(), log);
    EXPECT_EQ(read_bytes(path_), older_game);
    EXPECT_EQ(folder_names(folder_), std::vector<std::string>{name});
  }
  HighTable saved;
  EXPECT_EQ(read_high_ratings(Str(user_path_.c_str()), saved), kHighEntries);
  EXPECT_EQ(saved.ratings[1], 500);
}

TEST_F(HighRatingsFile, TheUserFolderIsBrakkaInTheUsersDataFolder) {
  if (portable::kWindows) GTEST_SKIP() << kUserFolderFixed;
  struct Case {
    const char* xdg;
    const char* home;
    std::string folder;
  } cases[] = {
      {"/data/ellie", "/home/ellie", "/data/ellie/brakka"},
      {nullptr, "/home/ellie", "/home/ellie/.local/share/brakka"},
      {"", "/home/ellie", "/home/ellie/.local/share/brakka"},
      {"data", "/home/ellie", "/home/ellie/.local/share/brakka"},  // a relative setting is passed over
      {nullptr, nullptr, ""},
      {nullptr, "", ""},
      {"data", nullptr, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.xdg ? c.xdg : "(unset)") + ", " + (c.home ? c.home : "(unset)"));
    c.xdg ? portable::set_env("XDG_DATA_HOME", c.xdg) : portable::unset_env("XDG_DATA_HOME");
    c.home ? portable::set_env("HOME", c.home) : portable::unset_env("HOME");
    EXPECT_EQ(std::string(high_ratings_user_folder().c_str()), c.folder);
    // The test's folder can be written, so the file stays there whatever the user's folder.
    EXPECT_EQ(std::string(high_ratings_path().c_str()), high_ratings_file_name().c_str());
  }
}

// Where the file is kept, by how the game runs. From a build tree or a copy of the program's folder
// (no install record, an empty one, or one naming a folder that is not there): the media folder while
// it can be written. Installed (the record names the data folder): the user's folder always, even
// where the media folder could be written, as it always can by root; without any user folder, nowhere.
TEST_F(HighRatingsFile, AnInstalledGameKeepsTheFileInTheUsersFolderWhateverItMayWrite) {
  if (portable::kWindows) GTEST_SKIP() << kUserFolderFixed;
  const std::string program = folder_ + "../program", data = folder_ + "../data";
  std::filesystem::create_directories(program);
  headless_set_program_path(program + "/brakka");
  ASSERT_TRUE(start_headless_app());
  ASSERT_EQ(::chdir(folder_.c_str()), 0);
  portable::set_env("XDG_DATA_HOME", data);
  const std::string name = high_ratings_file_name().c_str(), own = data + "/brakka/" + name;
  const bool as_root = !portable::permissions_stop_writes();

  struct Case {
    const char* record;  // the install record's text; nullptr: none
    bool read_only;      // the media folder's write permission taken away (no bar to root)
    bool home;           // the user has a data folder
    const char* reason;  // nullptr: the media folder
    std::string path;
  } cases[] = {
      {nullptr, false, true, nullptr, name},
      {"", false, true, nullptr, name},
      {"../no-such-folder\n", false, true, nullptr, name},
      {"../media\n", false, true, "the game is installed", own},
      {"../media\r\n", false, true, "the game is installed", own},
      {"../media", true, true, "the game is installed", own},
      {nullptr, true, true, as_root ? nullptr : "the media folder is read-only", as_root ? name : own},
      {nullptr, true, false, as_root ? nullptr : "the media folder is read-only", name},
      {"../media\n", false, false, "the game is installed", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.record ? c.record : "(no record)") + (c.read_only ? ", read-only" : "") +
                 (c.home ? "" : ", no home"));
    ::unlink((program + "/" + kInstallRecord).c_str());
    if (c.record) write_bytes(program + "/" + kInstallRecord, c.record);
    std::filesystem::permissions(folder_, std::filesystem::perms(c.read_only ? 0555 : 0755));
    c.home ? portable::set_env("XDG_DATA_HOME", data) : portable::unset_env("XDG_DATA_HOME");
    if (!c.home) portable::unset_env("HOME");
    EXPECT_STREQ(high_ratings_user_folder_reason(), c.reason);
    EXPECT_EQ(std::string(high_ratings_path().c_str()), c.path);
  }
}

// The two tables a child saves in turn until it is killed.
HighTable table_in_turn(long n) {
  return n % 2 == 0 ? make_table(kSample)
                    : make_table({{7, "SEVEN"},
                                  {99.5, "SOMEBODY ELSE"},
                                  {88, "B"},
                                  {77, "C"},
                                  {66, "D"},
                                  {55, "E"},
                                  {44, "F"}});
}

// The child that saves for ever, in the media folder; after each save it writes how many it has
// finished into the file named by its argument (0 as soon as it is ready: after a first save of the
// table already there, so that the kills fall among saves at their full pace, not in the first one's
// setting up of the log and the folders, which takes a new process on Windows longer than a save).
int save_until_killed(const std::string& count_path) {
  media_folder_entered = true;
  dim_game_arrays();
  std::FILE* count = std::fopen(count_path.c_str(), "w");
  if (!count) return 1;
  const HighTable tables[2] = {table_in_turn(0), table_in_turn(1)};
  high_table_to_globals(tables[0]);
  save_high_ratings();
  for (long n = 0;; ++n) {
    if (n > 0) {
      high_table_to_globals(tables[n % 2]);
      save_high_ratings();
    }
    std::rewind(count);
    std::fprintf(count, "%ld \n", n);
    std::fflush(count);
  }
}
const portable::ChildBody kSaveUntilKilled("save until killed", save_until_killed);

// A child saves two tables in turn, as fast as it can, and is killed at random moments. After every
// kill the file is one of the two tables, whole.
TEST_F(HighRatingsFile, KilledWhileSavingLeavesTheOldOrTheNewTableWhole) {
  const HighTable tables[2] = {table_in_turn(0), table_in_turn(1)};
  const std::string bytes[2] = {file_bytes_of(tables[0]), file_bytes_of(tables[1])};
  ASSERT_NE(bytes[0].size(), bytes[1].size());

  // How long one save takes here decides how long to wait before a kill.
  high_table_to_globals(tables[0]);
  const auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < 5; ++i) save_high_ratings();
  const double save_us =
      std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count() / 5;

  // Saves the child has finished, as it counts them in a file of its own.
  const std::string count_path = folder_ + "../saves";
  auto saves_counted = [&] {
    long n = -1;
    std::ifstream(count_path) >> n;
    return n;
  };

  const std::string new_file_prefix = std::string(".") + high_ratings_file_name().c_str() + ".";
  std::mt19937 rng(20240611);
  std::uniform_real_distribution<double> delay_us(0, 3 * save_us + 1000);
  const int kTrials = 100;
  int found[2] = {0, 0}, during_first_save = 0, leftovers = 0;
  long most_saves = 0;
  for (int trial = 0; trial < kTrials; ++trial) {
    SCOPED_TRACE(trial);
    std::remove(count_path.c_str());
    portable::Child child;
    ASSERT_TRUE(child.start("save until killed", count_path));
    // The random moment counts from when the child is ready to save.
    const auto ready_by = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (saves_counted() < 0 && std::chrono::steady_clock::now() < ready_by)
      std::this_thread::sleep_for(std::chrono::microseconds(50));
    std::this_thread::sleep_for(std::chrono::microseconds(long(delay_us(rng))));
    ASSERT_EQ(child.kill(), portable::kKilled) << "the child ended by itself";

    const long saves = std::max(0L, saves_counted());
    during_first_save += saves == 0;
    most_saves = std::max(most_saves, saves);
    ASSERT_TRUE(file_exists(path_)) << "file missing after " << saves << " saves";
    const std::string now = read_bytes(path_);
    ASSERT_TRUE(now == bytes[0] || now == bytes[1]) << "torn file after " << saves << " saves:\n" << now;
    const int which = now == bytes[0] ? 0 : 1;
    ++found[which];
    HighTable loaded = starting_high_table();
    EXPECT_EQ(read_high_ratings(high_ratings_path(), loaded), kHighEntries);
    EXPECT_STREQ(loaded.names[1].c_str(), tables[which].names[1].c_str());
    // A kill in the middle of a save can leave that save's new file behind, never anything else.
    for (const std::string& name : folder_names(folder_)) {
      if (name == high_ratings_file_name().c_str()) continue;
      EXPECT_EQ(name.rfind(new_file_prefix, 0), 0u) << name;
      std::remove((folder_ + name).c_str());
      ++leftovers;
    }
  }
  std::printf(
      "%d kills at random moments (one save takes %.1f ms): the file was table A %d times, "
      "table B %d times, never torn or missing; %d kills came before the child's first save "
      "was through, the latest after %ld saves; %d unfinished new files were left behind\n",
      kTrials, save_us / 1000, found[0], found[1], during_first_save, most_saves, leftovers);
  EXPECT_GT(found[0], 0);
  EXPECT_GT(found[1], 0);
}

}  // namespace
