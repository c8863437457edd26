// Where the log goes: a folder of the user's own (the program's in the user's state folder), made
// when missing; the temporary folder only when there is none or it cannot be made, which the log's
// second line then says. A relative temporary folder is taken from where the program started.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/app/app.h"
#include "engine/core/log.h"
#include "engine/core/files.h"
#include "engine/platform/platform.h"
#include "portable.h"
#include "support/app_test_helpers.h"

namespace {

namespace fs = std::filesystem;

TEST(LogPlace, TheLogLivesInTheUsersStateFolder) {
  if (portable::kWindows) GTEST_SKIP() << "the log stays in the temporary folder there";
  const std::string dir = use_private_temp_dir();
  std::ofstream(dir + "a_file") << "x";
  const struct {
    const char* what;
    const char* name;   // the program's
    std::string state;  // XDG_STATE_HOME ("" unset)
    std::string home;
    std::string log;  // expected path
    bool says_where;  // the log's second line says it is in the temporary folder
  } cases[] = {
      {"the state folder named", "Brakka", dir + "state", dir, dir + "state/brakka/ErrorLog.txt", false},
      {"below the home", "Brakka", "", dir + "home", dir + "home/.local/state/brakka/ErrorLog.txt", false},
      {"a home that is not there", "Brakka", "", "/nonexistent/brakka-test", dir + "ErrorLog.txt", false},
      {"a home that is a file", "Brakka", "", dir + "a_file", dir + "ErrorLog.txt", true},
      {"a program without a name", "", dir + "state", dir, dir + "ErrorLog.txt", false},
  };
  fs::create_directories(dir + "home");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    frame_app_name() = c.name;
    if (c.state.empty()) portable::unset_env("XDG_STATE_HOME");
    else portable::set_env("XDG_STATE_HOME", c.state);
    portable::set_env("HOME", c.home);
    EXPECT_EQ(std::string(log_path()), c.log);
    log_restart();
    std::vector<std::string> lines;
    std::ifstream in(c.log);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "Start new log...");
    EXPECT_EQ(
        lines.size() > 1 && lines[1].rfind("The log is kept in the temporary folder: cannot make \"", 0) == 0,
        c.says_where);
    fs::remove(c.log);
  }
  // Nor is the player's data folder made below a home that is not there.
  portable::unset_env("XDG_DATA_HOME");
  portable::set_env("HOME", "/nonexistent/brakka-test");
  EXPECT_FALSE(file_user_data_home_exists());
  portable::set_env("HOME", dir + "home");
  EXPECT_TRUE(file_user_data_home_exists());
  EXPECT_FALSE(fs::exists("/nonexistent/brakka-test")) << "nothing is made above the user's own folders";
  EXPECT_EQ(error_state.error_code, 0) << "finding the log's folder leaves the error state alone";

  // A relative temporary folder names the folder below where the program started, wherever it is now.
  const std::string start = fs::current_path().string();
  portable::set_env("TMPDIR", "relative/tmp");
  EXPECT_EQ(platform_temp_dir(), start + "/relative/tmp/");
  fs::current_path(dir);
  EXPECT_EQ(platform_temp_dir(), start + "/relative/tmp/");
  fs::current_path(start);
  remove_private_temp_dir();
}

}  // namespace
