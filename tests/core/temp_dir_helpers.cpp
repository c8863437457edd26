#include "core/temp_dir_helpers.h"
#include <unistd.h>
#include <climits>
#include <filesystem>

void TempDirTest::SetUp() {
  char cwd[PATH_MAX];
  ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
  old_cwd_ = cwd;
  dir_ = portable::make_temp_dir("brakka_files_");
  ASSERT_FALSE(dir_.empty());
  ASSERT_EQ(::chdir(dir_.c_str()), 0);
  temp_env_.emplace(dir_);
}

void TempDirTest::TearDown() {
  EXPECT_EQ(::chdir(old_cwd_.c_str()), 0);
  temp_env_.reset();
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}
