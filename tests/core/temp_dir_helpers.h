// A fresh temporary directory per test, made the current directory and the runtime's temp directory.
#pragma once
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include "portable.h"

class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Path inside the temporary directory.
  std::string in_dir(const std::string& name) const { return dir_ + "/" + name; }
  const std::string& dir() const { return dir_; }

 private:
  std::string dir_;
  std::string old_cwd_;
  std::optional<portable::TempEnv> temp_env_;  // the runtime's temporary folder is dir_
};
