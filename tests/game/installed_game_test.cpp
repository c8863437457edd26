// The installed game: `cmake --install` of this build into a prefix of the test's own, the layout it
// gives, and whole games started through the installed launcher from another folder, headless and
// scripted, by a user who cannot write the installed files (as root: the program runs as "nobody").
// The high ratings then live in the user's data folder, first filled from the installed table, and
// the installed file stays as it was; a copy of the program's folder with a Media folder of its own
// keeps them there. The Debian package, unpacked, plays the same way as whoever runs the test, root
// included, and nothing under its root changes.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "engine/app/app.h"
#include "game/high_ratings_helpers.h"
#include "game/state/high_ratings_file.h"
#include "game/state/high_ratings_table.h"
#include "game/whole_game_helpers.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr uid_t kNobody = 65534;
const int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// From start-up to the goodbye screen: welcome's play button once the welcome fade (3.6 s) is over,
// the main-screen menu's quit button once the intro (two block fades of about 2 s, with their
// sounds) is over, then the stats screen's quit button, which saves the table. Each button is held for
// 100 ms. The Esc at the end only ends a game that went astray (without saving).
const char* const kWholeGameScript =
    "ms 5000 mouse 398 510\n"
    "ms 5000 buttondown 0\n"
    "ms 5100 buttonup 0\n"
    "ms 16000 mouse 501 561\n"
    "ms 16000 buttondown 0\n"
    "ms 16100 buttonup 0\n"
    "ms 20000 mouse 400 561\n"
    "ms 20000 buttondown 0\n"
    "ms 20100 buttonup 0\n"
    "ms 60000 keydown 1\n";

// A table of the user's own in which the game's rating (0: no round was played) takes third place.
const Entries kOwnTable = {{0, "SEEDED PLAYER"}, {50, "ALICE"}, {10, "BOB"},  {-1, "CAROL"},
                           {-2, "DAVE"},         {-3, "ERIN"},  {-4, "FRANK"}};
const Entries kOwnTableAfterAGame = {{0, "SEEDED PLAYER"}, {50, "ALICE"}, {10, "BOB"}, {0, "SEEDED PLAYER"},
                                     {-1, "CAROL"},        {-2, "DAVE"},  {-3, "ERIN"}};

std::string find_program(const char* name) {
  const char* path = std::getenv("PATH");
  std::string dirs = std::string(path ? path : "") + ":/usr/bin:/bin:/usr/sbin:/sbin";
  size_t at = 0;
  while (at <= dirs.size()) {
    const size_t end = std::min(dirs.find(':', at), dirs.size());
    const std::string candidate = dirs.substr(at, end - at) + "/" + name;
    if (end > at && ::access(candidate.c_str(), X_OK) == 0) return candidate;
    at = end + 1;
  }
  return "";
}

// Runs argv with exactly env, in folder, with stdout and stderr into out_file. The exit status; 1000 +
// signal when killed by one; -1 when it did not end within limit (it is then killed).
int run(const std::vector<std::string>& argv, const std::vector<std::string>& env, const std::string& folder,
        const std::string& out_file, std::chrono::seconds limit) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    const int out = ::open(out_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out >= 0) {
      ::dup2(out, 1);
      ::dup2(out, 2);
    }
    if (::chdir(folder.c_str()) != 0) ::_exit(126);
    std::vector<char*> args, vars;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    for (const std::string& e : env) vars.push_back(const_cast<char*>(e.c_str()));
    args.push_back(nullptr);
    vars.push_back(nullptr);
    ::execve(args[0], args.data(), vars.data());
    ::_exit(127);
  }
  const auto until = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (std::chrono::steady_clock::now() < until) {
    if (::waitpid(pid, &status, WNOHANG) == pid)
      return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
    std::this_thread::sleep_for(20ms);
  }
  ::kill(pid, SIGKILL);
  ::waitpid(pid, &status, 0);
  return -1;
}

// Every entry under root, relative, sorted: folders end in "/", links show their target. With state,
// each also shows what a change would alter: its mode, size and modification time, and a digest of a
// file's bytes.
std::vector<std::string> tree(const std::string& root, bool state = false) {
  std::vector<std::string> names;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
    std::string name = it->path().lexically_relative(root).string();
    if (it->is_symlink()) name += " -> " + fs::read_symlink(it->path()).string();
    else if (it->is_directory()) name += "/";
    struct stat st;
    if (state && ::lstat(it->path().c_str(), &st) == 0) {
      name += " mode " + std::to_string(st.st_mode) + " size " + std::to_string(st.st_size) + " mtime " +
              std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec);
      if (S_ISREG(st.st_mode))
        name += " bytes " + std::to_string(std::hash<std::string>{}(read_bytes(it->path())));
    }
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// One whole game through the launcher, headless and scripted (kWholeGameScript), started in the
// folder user, whose data/ is the user's data folder and tmp/ the temporary one, through argv (a
// command that changes the user, or nothing). Returns the exit status; the output is in user/output.txt.
int play_script(const std::string& launcher, const std::string& user, std::vector<std::string> argv) {
  std::ofstream(user + "/script.txt") << kWholeGameScript;
  argv.push_back(launcher);
  const auto t0 = std::chrono::steady_clock::now();
  const int status =
      run(argv,
          {"PATH=/usr/bin:/bin", "HOME=" + user, "XDG_DATA_HOME=" + user + "/data", "TMPDIR=" + user + "/tmp",
           "BRAKKA_PLATFORM=headless", "SDL_VIDEODRIVER=offscreen", "SDL_AUDIODRIVER=dummy",
           "BRAKKA_SCRIPT=" + user + "/script.txt", "ASAN_OPTIONS=detect_leaks=0"},
          user, user + "/output.txt", 180s);
  std::printf("a whole game from %s took %.1f s\n", launcher.c_str(),
              std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  return status;
}

// The log line of a game whose ratings are kept in the user's file own, read first from the
// installed table.
std::string first_game_log_line(const std::string& own) {
  return std::string("High ratings: the game is installed; the ratings are kept in \"") + own +
         "\", first filled from \"" + high_ratings_file_name().c_str() + "\" in the media folder";
}

// Width and height of a PNG file; 0, 0 when it is not one.
std::pair<int, int> png_size(const std::string& path) {
  const std::string bytes = read_bytes(path);
  if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 || bytes.compare(12, 4, "IHDR") != 0)
    return {0, 0};
  auto be32 = [&](size_t at) {
    return int(uint8_t(bytes[at])) << 24 | int(uint8_t(bytes[at + 1])) << 16 |
           int(uint8_t(bytes[at + 2])) << 8 | int(uint8_t(bytes[at + 3]));
  };
  return {be32(16), be32(20)};
}

std::vector<std::string> text_lines(const std::string& path) {
  std::vector<std::string> lines;
  const std::string text = read_bytes(path);
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = std::min(text.find('\n', at), text.size());
    lines.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return lines;
}

class InstalledGame : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(std::string(BRAKKA_BIN_DIR) + "/Media/data.zaz"))
      GTEST_SKIP() << "this build makes no media (BRAKKA_MEDIA=OFF), so its install is no whole game";
    as_root_ = ::geteuid() == 0;
    if (as_root_) {
      setpriv_ = find_program("setpriv");
      if (setpriv_.empty())
        GTEST_SKIP() << "running as root and setpriv (util-linux) is missing: the game cannot be run as a "
                        "user who may not write the installed files";
    }
    char pattern[] = "/tmp/brakka_install_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    root_ = pattern;
    ::chmod(root_.c_str(), 0755);  // the unprivileged user reaches the prefix through it
    prefix_ = root_ + "/prefix";
    user_ = root_ + "/user";
    fs::create_directories(user_ + "/tmp");
    install_into(prefix_);
    installed_highs_ = prefix_ + "/share/brakka/" + high_ratings_file_name().c_str();
  }

  void TearDown() override {
    if (root_.empty()) return;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root_, ec); it != fs::recursive_directory_iterator();
         ++it)
      if (!it->is_symlink() && it->is_directory())
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(root_, ec);
  }

  // `cmake --install` of this build. Installs from concurrent tests take turns, and the install manifest
  // in the build folder (the record of a real install, for uninstalling) is put back as it was.
  void install_into(const std::string& prefix) {
    const std::string build = fs::path(BRAKKA_BIN_DIR).parent_path().string();
    const std::string manifest = build + "/install_manifest.txt";
    const int lock = ::open((build + "/install_test.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(lock, 0);
    ::flock(lock, LOCK_EX);
    const bool had_manifest = fs::exists(manifest);
    const std::string old_manifest = had_manifest ? read_bytes(manifest) : "";
    const int status = run({BRAKKA_CMAKE_COMMAND, "--install", build, "--prefix", prefix},
                           {"PATH=/usr/bin:/bin"}, root_, root_ + "/install.txt", 300s);
    if (had_manifest) write_bytes(manifest, old_manifest);
    else ::unlink(manifest.c_str());
    ::close(lock);
    ASSERT_EQ(status, 0) << read_bytes(root_ + "/install.txt");
  }

  // The user who plays: as root "nobody", owner of the user folder; otherwise this user, with the
  // installed data folder made read-only.
  void hand_over(const std::string& folder) {
    if (!as_root_) return;
    for (const auto& e : fs::recursive_directory_iterator(folder))
      ASSERT_EQ(::lchown(e.path().c_str(), kNobody, kNobody), 0) << e.path();
    ASSERT_EQ(::lchown(folder.c_str(), kNobody, kNobody), 0);
  }

  // One whole game through the launcher, started in the user folder. Returns the exit status.
  int play(const std::string& launcher) {
    hand_over(user_);
    std::vector<std::string> argv;
    if (as_root_) argv = {setpriv_, "--reuid=65534", "--regid=65534", "--clear-groups"};
    return play_script(launcher, user_, argv);
  }

  std::vector<std::string> log() { return text_lines(user_ + "/tmp/ErrorLog.txt"); }

  bool as_root_ = false;
  std::string setpriv_, root_, prefix_, user_, installed_highs_;
};

TEST_F(InstalledGame, LaysOutTheProgramItsDataADesktopEntryAndIcons) {
  const std::string highs = high_ratings_file_name().c_str();
  std::vector<std::string> expected = {"bin/",
                                       "bin/brakka -> ../lib/brakka/brakka",
                                       "lib/",
                                       "lib/brakka/",
                                       "lib/brakka/Media -> ../../share/brakka",
                                       "lib/brakka/brakka",
                                       std::string("lib/brakka/") + kInstallRecord,
                                       "share/",
                                       "share/applications/",
                                       "share/applications/org.brakka.Brakka.desktop",
                                       "share/brakka/",
                                       "share/brakka/" + highs,
                                       "share/brakka/data.zaz",
                                       "share/brakka/media.zaz",
                                       "share/icons/",
                                       "share/icons/hicolor/",
                                       "share/man/",
                                       "share/man/man6/",
                                       "share/man/man6/brakka.6",
                                       "share/metainfo/",
                                       "share/metainfo/org.brakka.Brakka.metainfo.xml"};
  for (int size : kIconSizes) {
    const std::string folder =
        "share/icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size) + "/";
    expected.insert(expected.end(), {folder, folder + "apps/", folder + "apps/brakka.png"});
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(tree(prefix_), expected);  // nothing else: no tests, benchmarks, tools or libraries

  EXPECT_EQ(::access((prefix_ + "/bin/brakka").c_str(), X_OK), 0);
  EXPECT_EQ(read_bytes(prefix_ + "/lib/brakka/" + kInstallRecord), "../../share/brakka\n");
  EXPECT_EQ(read_bytes(prefix_ + "/lib/brakka/brakka"), read_bytes(std::string(BRAKKA_BIN_DIR) + "/brakka"));
  for (const char* archive : {"data.zaz", "media.zaz"})
    EXPECT_EQ(read_bytes(prefix_ + "/lib/brakka/Media/" + archive),
              read_bytes(std::string(BRAKKA_BIN_DIR) + "/Media/" + archive))
        << archive;
  // The starting table, not whatever games played in the build tree left there.
  EXPECT_EQ(read_bytes(installed_highs_), file_bytes_of(starting_high_table()));

  std::map<std::string, std::string> entry;
  const std::vector<std::string> lines =
      text_lines(prefix_ + "/share/applications/org.brakka.Brakka.desktop");
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "[Desktop Entry]");
  for (const std::string& line : lines)
    if (line.find('=') != std::string::npos)
      entry[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
  EXPECT_EQ(entry["Type"], "Application");
  EXPECT_EQ(entry["Name"], "Brakka");
  EXPECT_FALSE(entry["Comment"].empty());
  EXPECT_EQ(entry["Exec"], "brakka");
  EXPECT_EQ(entry["Icon"], "brakka");
  EXPECT_EQ(entry["Categories"], "Game;LogicGame;");

  for (int size : kIconSizes) {
    const std::string px = std::to_string(size);
    EXPECT_EQ(png_size(prefix_ + "/share/icons/hicolor/" + px + "x" + px + "/apps/brakka.png"),
              std::make_pair(size, size))
        << px;
  }
}

TEST_F(InstalledGame, AUserWhoCannotWriteItKeepsTheRatingsInTheDataFolder) {
  if (!as_root_) {
    ASSERT_EQ(::chmod((prefix_ + "/share/brakka").c_str(), 0555), 0);
  }
  struct stat before;
  ASSERT_EQ(::stat(installed_highs_.c_str(), &before), 0);
  const std::string own = user_ + "/data/brakka/" + high_ratings_file_name().c_str();

  // The first game: the table comes from the installed file and is saved into the data folder, made
  // with its parents.
  ASSERT_EQ(play(prefix_ + "/bin/brakka"), 0) << read_bytes(user_ + "/output.txt");
  ASSERT_TRUE(file_exists(own));
  EXPECT_EQ(read_bytes(own), file_bytes_of(starting_high_table()));
  std::vector<std::string> lines = log();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "exepath=curdir= " + prefix_ + "/lib/brakka"), lines.end());
  const std::string used = "High ratings: the game is installed; the ratings are kept in \"" + own + "\"";
  EXPECT_NE(std::find(lines.begin(), lines.end(), first_game_log_line(own)), lines.end());
  EXPECT_EQ(lines.back(), "qvx is shut down");

  // The next game reads the user's own table and saves it there, with this game's rating entered.
  write_bytes(own, file_bytes_of(make_table(kOwnTable)));
  ASSERT_EQ(play(prefix_ + "/bin/brakka"), 0) << read_bytes(user_ + "/output.txt");
  EXPECT_EQ(read_bytes(own), file_bytes_of(make_table(kOwnTableAfterAGame)));
  lines = log();
  EXPECT_NE(std::find(lines.begin(), lines.end(), used), lines.end());
  EXPECT_EQ(folder_names(user_ + "/data/brakka"), std::vector<std::string>{high_ratings_file_name().c_str()});

  // The installed file is as it was installed.
  struct stat after;
  ASSERT_EQ(::stat(installed_highs_.c_str(), &after), 0);
  EXPECT_EQ(read_bytes(installed_highs_), file_bytes_of(starting_high_table()));
  EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(after.st_ino, before.st_ino);
}

// The program's folder copied elsewhere, its Media link followed into a folder of its own: the install
// record comes along but names a data folder that is not there, so the copy is the player's own game.
TEST_F(InstalledGame, ACopyOfTheProgramsFolderKeepsTheRatingsInItsMediaFolder) {
  const std::string copy = root_ + "/copy/brakka";
  fs::create_directories(root_ + "/copy");
  fs::copy(prefix_ + "/lib/brakka", copy, fs::copy_options::recursive);
  ASSERT_TRUE(fs::is_directory(copy + "/Media") && !fs::is_symlink(copy + "/Media"));
  ASSERT_TRUE(file_exists(copy + "/" + kInstallRecord));
  hand_over(root_ + "/copy");
  const std::string media_file = copy + "/Media/" + high_ratings_file_name().c_str();
  write_bytes(media_file, file_bytes_of(make_table(kOwnTable)));

  ASSERT_EQ(play(copy + "/brakka"), 0) << read_bytes(user_ + "/output.txt");
  EXPECT_EQ(read_bytes(media_file), file_bytes_of(make_table(kOwnTableAfterAGame)));
  EXPECT_FALSE(file_exists(user_ + "/data"));
  const std::vector<std::string> lines = log();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "exepath=curdir= " + copy), lines.end());
  for (const std::string& line : lines) EXPECT_EQ(line.find("High ratings"), std::string::npos) << line;
  EXPECT_EQ(lines.back(), "qvx is shut down");
  EXPECT_EQ(read_bytes(installed_highs_), file_bytes_of(starting_high_table()));
}

}  // namespace

// The Debian package (BRAKKA_DEB, made by scripts/package-deb.sh) unpacked into a root of the test's
// own, played as whoever runs the test, root included: the packaged program through its launcher from
// start-up to the saved table, then this build's game, started from the unpacked program's folder, a
// whole won game played by the automatic player. The ratings land in $XDG_DATA_HOME/brakka, and
// nothing under the unpacked root changes.
TEST(PackagedGame, PlaysFromTheUnpackedPackageAndWritesOnlyTheUsersDataFolder) {
  const char* deb = std::getenv("BRAKKA_DEB");
  if (!deb || !*deb)
    GTEST_SKIP() << "no package given: scripts/test-package.sh builds one and runs this test";
  char pattern[] = "/tmp/brakka_package_XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  const std::string top = pattern, root = top + "/root", user = top + "/user";
  struct RemovedAtTheEnd {
    std::string folder;
    ~RemovedAtTheEnd() {
      std::error_code ec;
      fs::remove_all(folder, ec);
    }
  } removed{top};
  fs::create_directories(user + "/tmp");
  ASSERT_EQ(run({find_program("dpkg-deb"), "-x", deb, root}, {"PATH=/usr/bin:/bin"}, top, top + "/unpack.txt",
                120s),
            0)
      << read_bytes(top + "/unpack.txt");
  const std::vector<std::string> before = tree(root, true);
  const std::string own = user + "/data/brakka/" + high_ratings_file_name().c_str();

  ASSERT_EQ(play_script(root + "/usr/games/brakka", user, {}), 0) << read_bytes(user + "/output.txt");
  EXPECT_EQ(read_bytes(own), file_bytes_of(starting_high_table()));
  const std::vector<std::string> lines = text_lines(user + "/tmp/ErrorLog.txt");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "exepath=curdir= " + root + "/usr/lib/games/brakka"),
            lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), first_game_log_line(own)), lines.end());

  ::setenv("XDG_DATA_HOME", (user + "/data").c_str(), 1);
  autoplay::Plan plan;
  plan.seed = 2024;
  plan.round_plan = [](int n) { return varied_round(n, true); };
  GameRunOptions options;
  options.program_dir = root + "/usr/lib/games/brakka";
  GameRun game;
  run_game(plan, options, game);
  EXPECT_EQ(game.status, 0);
  EXPECT_TRUE(game.saw_screen("win"));
  HighTable table;
  ASSERT_EQ(read_high_ratings(Str(own.c_str()), table), kHighEntries);
  EXPECT_GT(table.ratings[1], 100) << "the won game tops the table";

  EXPECT_EQ(tree(root, true), before);
}
