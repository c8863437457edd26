#include "core/temp_dir_helpers.h"
#include <unistd.h>
#include <climits>
#include <cstdlib>
#include <filesystem>

void TempDirTest::SetUp() {
  char cwd[PATH_MAX];
  ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
  old_cwd_ = cwd;
  const char* tmp = std::getenv("TMPDIR");
  had_tmpdir_ = tmp != nullptr;
  if (tmp) old_tmpdir_ = tmp;
  std::string pattern = std::filesystem::temp_directory_path().string() + "/brakka_files_XXXXXX";
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  dir_ = pattern;
  ASSERT_EQ(::chdir(dir_.c_str()), 0);
  ::setenv("TMPDIR", dir_.c_str(), 1);
}

void TempDirTest::TearDown() {
  EXPECT_EQ(::chdir(old_cwd_.c_str()), 0);
  if (had_tmpdir_)
    ::setenv("TMPDIR", old_tmpdir_.c_str(), 1);
  else
    ::unsetenv("TMPDIR");
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}
