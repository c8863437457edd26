// Replacing a text file as a whole: the new lines end in CR LF, the old file stays as it was whenever
// a step fails, and no new file is left lying about.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "core/archive_image_helpers.h"
#include "core/temp_dir_helpers.h"
#include "engine/app/app.h"
#include "engine/core/file_replace.h"
#include "portable.h"

namespace {

namespace fs = std::filesystem;

class FileReplace : public TempDirTest {
 protected:
  std::vector<std::string> names(const std::string& folder) const {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(in_dir(folder)))
      out.push_back(portable::path_text(e.path().filename()));
    std::sort(out.begin(), out.end());
    return out;
  }
};

TEST_F(FileReplace, WritesLinesEndedByCrLfOverTheOldFileOrAsANewOne) {
  fs::create_directory("sub");
  const std::string absolute = in_dir("sub/abs.txt");
  struct Case {
    const char* path;
    std::vector<Str> lines;
    const char* bytes;
  };
  const Case cases[] = {
      {"new.txt", {"abc", ""}, "abc\r\n\r\n"},
      {"new.txt", {"x"}, "x\r\n"},  // shorter than before: nothing of the old file remains
      {"sub\\deep.txt", {"one", "two"}, "one\r\ntwo\r\n"},
      {"sub/deep.txt", {}, ""},
      {absolute.c_str(), {"absolute"}, "absolute\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    std::string error = "untouched";
    EXPECT_TRUE(file_replace_lines(c.path, c.lines, &error));
    EXPECT_EQ(error, "untouched");
    EXPECT_EQ(app_error_code(), 0);
    std::string native = c.path;
    std::replace(native.begin(), native.end(), '\\', '/');
    const Bytes got = read_bytes(native);
    EXPECT_EQ(std::string(got.begin(), got.end()), c.bytes);
  }
  EXPECT_EQ(names("."), (std::vector<std::string>{"new.txt", "sub"}));
  EXPECT_EQ(names("sub"), (std::vector<std::string>{"abs.txt", "deep.txt"}));
}

TEST_F(FileReplace, FailuresLeaveTheOldFileAndNoNewOne) {
  write_bytes("kept.txt", to_bytes("old\r\n"));
  fs::create_directories("a_folder/inside");
  struct Case {
    const char* path;
    const char* says;
  };
  const Case cases[] = {
      {"", "not a file name"},
      {"mem://       4.12345678", "not a file name"},
      {"no_such_folder/f.txt", "cannot create"},
      {"kept.txt/f.txt", "cannot create"},  // a file where a folder should be
      {"a_folder", "cannot rename"},        // a folder where the file should be
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    std::string error;
    EXPECT_FALSE(file_replace_lines(c.path, {"new"}, &error));
    EXPECT_EQ(app_error_code(), 3);
    EXPECT_NE(error.find(c.says), std::string::npos) << error;
  }
  EXPECT_TRUE(fs::is_directory("a_folder/inside"));
  EXPECT_EQ(read_bytes("kept.txt"), to_bytes("old\r\n"));
  EXPECT_EQ(names("."), (std::vector<std::string>{"a_folder", "kept.txt"}));
  EXPECT_EQ(names("a_folder"), (std::vector<std::string>{"inside"}));
}

// The new file has the old one's permissions (a file made read-only is still replaced: its folder
// decides that); a file made new gets 0644 less the umask. Windows keeps only the read-only attribute,
// which reads as 0444 against 0666.
TEST_F(FileReplace, TheNewFileKeepsTheOldFilesMode) {
  using P = fs::perms;
#ifdef _WIN32
  const std::pair<P, P> cases[] = {{P(0444), P(0444)}, {P(0666), P(0666)}, {P::none, P(0666)}};
#else
  const mode_t umask_before = ::umask(022);
  const std::pair<P, P> cases[] = {
      {P(0444), P(0444)}, {P(0600), P(0600)}, {P(0755), P(0755)}, {P::none, P(0644)}};
#endif
  for (const auto& [mode, expected] : cases) {
    if (fs::exists("moded.txt"))
      fs::permissions("moded.txt", P::owner_read | P::owner_write, fs::perm_options::add);
    fs::remove("moded.txt");
    if (mode != P::none) {
      write_bytes("moded.txt", to_bytes("old\r\n"));
      fs::permissions("moded.txt", mode);
    }
    ASSERT_TRUE(file_replace_lines("moded.txt", {"new"}));
    EXPECT_EQ(fs::status("moded.txt").permissions() & P::mask, expected);
  }
#ifndef _WIN32
  ::umask(umask_before);
#endif
}

}  // namespace

namespace {

// A save cut off before its rename leaves its new file; a later save removes it once it is a minute
// old, and leaves younger ones (a save under way elsewhere) and other files alone.
TEST_F(FileReplace, LaterSavesRemoveNewFilesLeftBehind) {
  const auto old_time = fs::file_time_type::clock::now() - std::chrono::minutes(5);
  for (const char* name :
       {".table.txt.4242.0.tmp", ".table.txt.4243.7.tmp", ".other.txt.1.0.tmp", "keep.tmp"}) {
    write_bytes(in_dir(name), to_bytes("cut off"));
    fs::last_write_time(in_dir(name), old_time);
  }
  write_bytes(in_dir(".table.txt.4244.0.tmp"), to_bytes("under way"));
  ASSERT_TRUE(file_replace_lines(Str(in_dir("table.txt").c_str()), {"new"}));
  EXPECT_EQ(names(""), (std::vector<std::string>{".other.txt.1.0.tmp", ".table.txt.4244.0.tmp", "keep.tmp",
                                                 "table.txt"}));
}

}  // namespace
