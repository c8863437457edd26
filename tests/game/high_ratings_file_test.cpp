// The high-ratings file: what the game writes, what it reads back, how it copes with a missing,
// short or damaged file, and that a save never loses the table, whether it fails or is killed.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "engine/core/app.h"
#include "engine/platform/headless.h"
#include "game/high_ratings_helpers.h"
#include "game/round/high_ratings_file.h"
#include "game/round/high_ratings_table.h"
#include "game/shell/game_state.h"
#include "support/app_test_helpers.h"

namespace {

const Entries kSample = {{42, "OWN ENTRY"},  {123.4567891, "ELLIE"}, {1.0 / 3, "ARTHUR J"},
                         {8.2, "priya"},     {0, ""},                {-3.6, "TOM TOM TOM"},
                         {-1234567890, "Z"}};

class HighRatingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    folder_ = enter_test_folder("media");
    path_ = folder_ + high_ratings_file_name().c_str();
    dim_game_arrays();
  }
  void TearDown() override {
    leave_test_folder();
    if (!folder_.empty()) ::chmod(folder_.c_str(), 0755);
    remove_private_temp_dir();
  }
  void expect_failed_save(void (*make_writes_fail)(const std::string& folder));
  std::string folder_, path_;
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

TEST_F(HighRatingsFile, GarbageLinesGiveRatingsZeroAndWhateverTheNamesDecipherTo) {
  const std::vector<std::string> garbage = {
      "not hex at all",  "",          "zzzzzzzzzzzzzzzz", "0123456789abcdef0123456789abcdef",
      "ffffffffffffffff", "abc",      std::string(200, '7'), "\x01\x02\x80\xff",
      "DEADBEEFDEADBEEF", "1",         "deadbeef",         "~~~~~~~~~~~~~~~~",
      "0000000000000000", "5e5e5e5e5e5e5e5e",
  };
  std::string bytes;
  for (const std::string& line : garbage) bytes += line + "\r\n";
  write_bytes(path_, bytes);
  load_high_ratings();
  for (int k = 0; k < kHighEntries; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(high_ratings(k), 0.0) << decipher(garbage[2 * k]);
    EXPECT_EQ(std::string(high_names(k).c_str()), decipher(garbage[2 * k + 1]));
  }
  EXPECT_TRUE(read_log_lines().empty());  // fourteen lines are a whole file, however damaged
}

// Rating lines that decipher to a number too large for a double count as 0, as non-numbers do: an
// infinite rating would top every table and come back as 0 after the next save.
TEST_F(HighRatingsFile, RatingsTooLargeForANumberCountAsZero) {
  const std::vector<std::pair<std::string, double>> ratings = {
      {"4e526", 0}, {"-1e400", 0}, {"1e308", 1e308}, {"12.5", 12.5}, {"inf", 0}, {"7", 7}, {"-3.6", -3.6}};
  std::string bytes;
  for (const auto& [text, value] : ratings) bytes += encipher(text) + "\r\n" + encipher("N") + "\r\n";
  write_bytes(path_, bytes);
  load_high_ratings();
  for (int k = 0; k < kHighEntries; ++k) EXPECT_EQ(high_ratings(k), ratings[k].second) << ratings[k].first;
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

// A save that cannot be written ends the program with the runtime's file error, logged, and leaves the
// file as it was.
void HighRatingsFile::expect_failed_save(void (*make_writes_fail)(const std::string& folder)) {
  Entries old_entries = kSample, new_entries = kSample;
  for (auto& e : old_entries) e.second += std::string(60, '.');  // a file of more than 1 KiB
  new_entries[1].first = 999;
  for (auto& e : new_entries) e.second += std::string(70, '!');
  const std::string old_bytes = file_bytes_of(make_table(old_entries));
  ASSERT_GT(old_bytes.size(), 1024u);
  write_bytes(path_, old_bytes);
  EXPECT_EXIT(
      {
        high_table_to_globals(make_table(new_entries));
        make_writes_fail(folder_);
        save_high_ratings();
        std::fputs("save returned\n", stderr);
        std::exit(0);
      },
      ::testing::ExitedWithCode(3), "");
  ::chmod(folder_.c_str(), 0755);
  EXPECT_EQ(read_bytes(path_), old_bytes);
  EXPECT_EQ(folder_names(folder_), std::vector<std::string>{high_ratings_file_name().c_str()});
  const std::vector<std::string> log = read_log_lines();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_NE(log[0].find("High ratings not saved"), std::string::npos) << log[0];
  EXPECT_EQ(log[1], "0003 no such file");
}

TEST_F(HighRatingsFile, SaveIntoAFolderWithoutWritePermissionFailsAndKeepsTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not stop root; the file size limit test covers it";
  // A read-only media folder sends the save to the user's data folder, which cannot be made here
  // either: its parent is read-only too.
  const std::string locked = folder_ + "../locked";
  ::mkdir(locked.c_str(), 0555);  // a death test's child runs this again and finds it made
  ASSERT_EQ(::chmod(locked.c_str(), 0555), 0);
  ::setenv("XDG_DATA_HOME", (locked + "/share").c_str(), 1);
  expect_failed_save([](const std::string& folder) { ::chmod(folder.c_str(), 0555); });
  EXPECT_NE(read_log_lines()[0].find("cannot make \"" + locked + "/share\": Permission denied"),
            std::string::npos);
}

TEST_F(HighRatingsFile, TheUserFolderIsBrakkaInTheUsersDataFolder) {
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
    c.xdg ? ::setenv("XDG_DATA_HOME", c.xdg, 1) : ::unsetenv("XDG_DATA_HOME");
    c.home ? ::setenv("HOME", c.home, 1) : ::unsetenv("HOME");
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
  const std::string program = folder_ + "../program", data = folder_ + "../data";
  std::filesystem::create_directories(program);
  headless_set_program_path(program + "/brakka");
  ASSERT_TRUE(start_headless_app());
  ASSERT_EQ(::chdir(folder_.c_str()), 0);
  ::setenv("XDG_DATA_HOME", data.c_str(), 1);
  const std::string name = high_ratings_file_name().c_str(), own = data + "/brakka/" + name;
  const bool as_root = ::geteuid() == 0;

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
    ::chmod(folder_.c_str(), c.read_only ? 0555 : 0755);
    c.home ? ::setenv("XDG_DATA_HOME", data.c_str(), 1) : ::unsetenv("XDG_DATA_HOME");
    if (!c.home) ::unsetenv("HOME");
    EXPECT_STREQ(high_ratings_user_folder_reason(), c.reason);
    EXPECT_EQ(std::string(high_ratings_path().c_str()), c.path);
  }
}

TEST_F(HighRatingsFile, SaveThatRunsOutOfRoomFailsAndKeepsTheOldFile) {
  // A file size limit stops every user, root included: the new file cannot grow past 1 KiB, which the
  // log (in the folder above) stays below.
  expect_failed_save([](const std::string&) {
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit;
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 1024;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  });
}

// A child saves two tables in turn, as fast as it can, and is killed at random moments. After every
// kill the file is one of the two tables, whole.
TEST_F(HighRatingsFile, KilledWhileSavingLeavesTheOldOrTheNewTableWhole) {
  const HighTable tables[2] = {make_table(kSample), make_table({{7, "SEVEN"}, {99.5, "SOMEBODY ELSE"},
                                                                {88, "B"}, {77, "C"}, {66, "D"},
                                                                {55, "E"}, {44, "F"}})};
  const std::string bytes[2] = {file_bytes_of(tables[0]), file_bytes_of(tables[1])};
  ASSERT_NE(bytes[0].size(), bytes[1].size());

  // How long one save takes here decides how long to wait before a kill.
  high_table_to_globals(tables[0]);
  const auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < 5; ++i) save_high_ratings();
  const double save_us =
      std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count() / 5;

  // Saves the child has finished, counted in memory it shares with this process.
  auto* finished = static_cast<std::atomic<long>*>(
      ::mmap(nullptr, sizeof(std::atomic<long>), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
  ASSERT_NE(finished, MAP_FAILED);

  std::mt19937 rng(20240611);
  std::uniform_real_distribution<double> delay_us(0, 3 * save_us + 1000);
  const int kTrials = 100;
  int found[2] = {0, 0}, during_first_save = 0, leftovers = 0;
  long most_saves = 0;
  for (int trial = 0; trial < kTrials; ++trial) {
    SCOPED_TRACE(trial);
    finished->store(0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (long n = 1;; ++n) {
        high_table_to_globals(tables[n % 2]);
        save_high_ratings();
        finished->store(n);
      }
    }
    std::this_thread::sleep_for(std::chrono::microseconds(long(delay_us(rng))));
    ASSERT_EQ(::kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the child ended by itself";

    const long saves = finished->load();
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
      EXPECT_EQ(name.rfind("." + std::string(high_ratings_file_name().c_str()) + ".", 0), 0u) << name;
      ::unlink((folder_ + name).c_str());
      ++leftovers;
    }
  }
  ::munmap(finished, sizeof(std::atomic<long>));
  std::printf("%d kills at random moments (one save takes %.1f ms): the file was table A %d times, "
              "table B %d times, never torn or missing; %d kills came before the child's first save "
              "was through, the latest after %ld saves; %d unfinished new files were left behind\n",
              kTrials, save_us / 1000, found[0], found[1], during_first_save, most_saves, leftovers);
  EXPECT_GT(found[0], 0);
  EXPECT_GT(found[1], 0);
}

}  // namespace
