#include <gtest/gtest.h>
#include <filesystem>
#include "core/archive_image_helpers.h"
#include "core/temp_dir_helpers.h"
#include "engine/app/app.h"
#include "engine/core/archive.h"
#include "engine/core/file_channels.h"
#include "engine/core/files.h"
#include "engine/core/mem_name.h"
#include "portable.h"

namespace {

namespace fs = std::filesystem;

class FilesTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    archive_slots_create();
  }
  void TearDown() override {
    file_close_all();
    archive_slots_release();
    TempDirTest::TearDown();
  }
  // Reads every line of a file that holds `count` lines.
  std::vector<std::string> read_lines(const char* name, int count) {
    std::vector<std::string> lines;
    EXPECT_EQ(file_open(2, name, 1), 1) << name;
    for (int i = 0; i < count; ++i) {
      Str line;
      file_read_line(2, line);
      lines.emplace_back(line.data);
    }
    file_close(2);
    return lines;
  }
};

using Lines = std::vector<std::string>;

// ---- writing -------------------------------------------------------------------------------

TEST_F(FilesTest, WriteLineEndsWithCrLf) {
  ASSERT_EQ(file_open(0, "out.txt", 0), 1);
  file_write_line(0, "abc");
  file_write_line(0, "");
  file_close(0);
  EXPECT_EQ(read_bytes("out.txt"), (Bytes{'a', 'b', 'c', '\r', '\n', '\r', '\n'}));
}

TEST_F(FilesTest, WriteReplacesAndAppendKeeps) {
  write_bytes("f.txt", to_bytes("old contents that are longer\r\n"));
  ASSERT_EQ(file_open(0, "f.txt", 0), 1);
  file_write_line(0, "one");
  file_close(0);
  EXPECT_EQ(read_bytes("f.txt"), to_bytes("one\r\n"));
  ASSERT_EQ(file_open(0, "f.txt", -1), 1);
  file_write_line(0, "two");
  file_close(0);
  EXPECT_EQ(read_bytes("f.txt"), to_bytes("one\r\ntwo\r\n"));
  // Appending creates a file that is not there.
  ASSERT_EQ(file_open(3, "new.txt", -5), 1);
  file_write_line(3, "x");
  file_close(3);
  EXPECT_EQ(read_bytes("new.txt"), to_bytes("x\r\n"));
}

TEST_F(FilesTest, WriteAndAppendRefuseMemNames) {
  const uint8_t bytes[3] = {'a', 'b', 'c'};
  const std::string name = mem_name_register(bytes, 3);
  EXPECT_EQ(file_open(0, name.c_str(), 0), 0);
  EXPECT_EQ(app_error_code(), 3);
  EXPECT_EQ(file_open(0, name.c_str(), -1), 0);
  EXPECT_EQ(app_error_code(), 3);
  EXPECT_FALSE(file_channel_is_open(0));
  mem_name_release(bytes);
}

TEST_F(FilesTest, WriteIntoMissingFolderFails) {
  EXPECT_EQ(file_open(0, "no/such/dir/f.txt", 0), 0);
  EXPECT_EQ(app_error_code(), 3);
  EXPECT_EQ(file_open(0, "", 0), 0);
  EXPECT_EQ(app_error_code(), 3);
}

TEST_F(FilesTest, SuccessResetsErrorCode) {
  EXPECT_EQ(file_open(0, "missing.txt", 1), 0);
  EXPECT_EQ(app_error_code(), 3);
  EXPECT_EQ(file_open(0, "made.txt", 0), 1);
  EXPECT_EQ(app_error_code(), 0);
}

// ---- reading disk files --------------------------------------------------------------------

TEST_F(FilesTest, ReadsLinesDroppingOneCarriageReturn) {
  write_bytes("in.txt", to_bytes("first\r\nsecond\n\r\nfourth\r\r\nlast"));
  EXPECT_EQ(read_lines("in.txt", 5), (Lines{"first", "second", "", "fourth\r", "last"}));
}

TEST_F(FilesTest, LastLineWithoutLineFeedThenReadPastEndEnds) {
  write_bytes("in.txt", to_bytes("a\nlast"));
  ASSERT_EQ(file_open(0, "in.txt", 1), 1);
  Str line;
  file_read_line(0, line);
  EXPECT_STREQ(line.data, "a");
  file_read_line(0, line);
  EXPECT_STREQ(line.data, "last");
  EXPECT_EXIT(file_read_line(0, line), portable::exited_non_zero, "");
}

TEST_F(FilesTest, ReadPastEndAfterFinalLineFeedEnds) {
  write_bytes("in.txt", to_bytes("only\r\n"));
  ASSERT_EQ(file_open(0, "in.txt", 1), 1);
  Str line;
  file_read_line(0, line);
  EXPECT_STREQ(line.data, "only");
  EXPECT_EQ(file_try_read_line(0, line), 0);
  EXPECT_EXIT(file_read_line(0, line), portable::exited_non_zero, "");
}

TEST_F(FilesTest, LongLineComesInPiecesOf1024) {
  const std::string long_line(2000, 'x');
  write_bytes("in.txt", to_bytes(long_line + "\r\nnext\r\n"));
  const Lines lines = read_lines("in.txt", 3);
  EXPECT_EQ(lines[0], std::string(1024, 'x'));
  EXPECT_EQ(lines[1], std::string(976, 'x'));
  EXPECT_EQ(lines[2], "next");
}

TEST_F(FilesTest, LinesAcrossChunkBoundaries) {
  // Line lengths around the 64-byte chunk size.
  std::string text;
  Lines expected;
  for (int n : {0, 1, 62, 63, 64, 65, 127, 128, 129, 300}) {
    expected.push_back(std::string(size_t(n), char('a' + n % 26)));
    text += expected.back() + "\r\n";
  }
  write_bytes("in.txt", to_bytes(text));
  EXPECT_EQ(read_lines("in.txt", int(expected.size())), expected);
}

TEST_F(FilesTest, ZeroByteEndsTheText) {
  write_bytes("in.txt", Bytes{'a', 'b', 0, 'c', '\n', 'd', '\n'});
  EXPECT_EQ(read_lines("in.txt", 2), (Lines{"ab", "d"}));
}

TEST_F(FilesTest, SlashAndBackslashOpenTheSameFile) {
  fs::create_directories("sub/deeper");
  write_bytes("sub/deeper/f.txt", to_bytes("same\n"));
  EXPECT_EQ(read_lines("sub/deeper/f.txt", 1), Lines{"same"});
  EXPECT_EQ(read_lines("sub\\deeper\\f.txt", 1), Lines{"same"});
  ASSERT_EQ(file_open(0, "sub\\deeper\\g.txt", 0), 1);
  file_close(0);
  EXPECT_TRUE(fs::exists("sub/deeper/g.txt"));
}

TEST_F(FilesTest, MissingFileOrFolderFailsToOpen) {
  EXPECT_EQ(file_open(0, "missing.txt", 1), 0);
  EXPECT_EQ(app_error_code(), 3);
  fs::create_directory("folder");
  EXPECT_EQ(file_open(0, "folder", 1), 0);
  EXPECT_EQ(app_error_code(), 3);
  EXPECT_FALSE(file_channel_is_open(0));
}

TEST_F(FilesTest, PlainNameWhenArchivesAreAbsent) {
  write_bytes("plain.txt", to_bytes("loose\n"));
  file_set_archives("data.zaz", "media.zaz");
  EXPECT_EQ(read_lines("plain.txt", 1), Lines{"loose"});
}

TEST_F(FilesTest, OpeningAgainClosesThePreviousFile) {
  write_bytes("a.txt", to_bytes("A1\nA2\n"));
  write_bytes("b.txt", to_bytes("B1\n"));
  ASSERT_EQ(file_open(0, "a.txt", 1), 1);
  ASSERT_EQ(file_open(0, "b.txt", 1), 1);
  Str line;
  file_read_line(0, line);
  EXPECT_STREQ(line.data, "B1");
  EXPECT_EQ(file_open(0, "missing.txt", 1), 0);
  EXPECT_FALSE(file_channel_is_open(0));
}

// ---- virtual files -------------------------------------------------------------------------

TEST_F(FilesTest, ArchiveEntryReadsAsVirtualFile) {
  write_bytes("data.zaz",
              build_archive({{"ratings.txt", lzo_packed(to_bytes("one\r\ntwo\nthree\r"))}}, false));
  file_set_archives("data.zaz", "");
  ASSERT_EQ(file_open(0, "Media/Ratings.TXT", 1), 1);
  EXPECT_EQ(app_error_code(), 0);
  Str line;
  for (const char* expected : {"one", "two", "three"}) {
    file_read_line(0, line);
    EXPECT_STREQ(line.data, expected);
  }
  EXPECT_EXIT(file_read_line(0, line), portable::exited_non_zero, "");
}

TEST_F(FilesTest, VirtualLongLineComesInPiecesOf1024) {
  const std::string text = std::string(2000, 'y') + "\nz";
  const std::string name =
      mem_name_register(reinterpret_cast<const uint8_t*>(text.data()), uint32_t(text.size()));
  ASSERT_EQ(file_open(4, name.c_str(), 1), 1);
  Str line;
  file_read_line(4, line);
  EXPECT_EQ(std::string(line.data), std::string(1024, 'y'));
  file_read_line(4, line);
  EXPECT_EQ(std::string(line.data), std::string(976, 'y'));
  file_read_line(4, line);
  EXPECT_STREQ(line.data, "z");
  EXPECT_EQ(file_try_read_line(4, line), 0);
  mem_name_release(reinterpret_cast<const uint8_t*>(text.data()));
}

TEST_F(FilesTest, EmptyArchiveEntryOpensButHasNoLines) {
  write_bytes("data.zaz", build_archive({{"empty.txt", Bytes{0, 0, 0, 0}}}, false));
  file_set_archives("data.zaz", "");
  ASSERT_EQ(file_open(0, "empty.txt", 1), 1);
  EXPECT_TRUE(file_channel_is_open(0));
  Str line;
  EXPECT_EQ(file_try_read_line(0, line), 0);
}

TEST_F(FilesTest, EntryNotInArchiveFails) {
  write_bytes("data.zaz", build_archive({{"a.txt", lzo_packed(to_bytes("a"))}}, false));
  file_set_archives("data.zaz", "");
  EXPECT_EQ(file_open(0, "b.txt", 1), 0);
  EXPECT_EQ(app_error_code(), 3);
}

TEST_F(FilesTest, OpenVirtualFileSurvivesTheNextLookup) {
  write_bytes("data.zaz", build_archive({{"a.txt", lzo_packed(to_bytes("a1\na2\n"))},
                                         {"b.txt", lzo_packed(to_bytes("b1\n"))}},
                                        true));
  file_set_archives("data.zaz", "");
  ASSERT_EQ(file_open(0, "a.txt", 1), 1);
  ASSERT_EQ(file_open(1, "b.txt", 1), 1);  // releases the buffer a.txt came from
  Str line;
  file_read_line(0, line);
  EXPECT_STREQ(line.data, "a1");
  file_read_line(1, line);
  EXPECT_STREQ(line.data, "b1");
  file_read_line(0, line);
  EXPECT_STREQ(line.data, "a2");
}

TEST_F(FilesTest, WriteLineToVirtualFileEnds) {
  const uint8_t bytes[2] = {'a', '\n'};
  const std::string name = mem_name_register(bytes, 2);
  ASSERT_EQ(file_open(0, name.c_str(), 1), 1);
  EXPECT_EXIT(file_write_line(0, "x"), portable::exited_non_zero, "");
  mem_name_release(bytes);
}

// ---- channels ------------------------------------------------------------------------------

TEST_F(FilesTest, ChannelOutOfRangeOpenFailsAndProgramGoesOn) {
  write_bytes("f.txt", to_bytes("x\n"));
  for (int channel : {8, 9, -1, 1000}) {
    EXPECT_EQ(file_open(channel, "f.txt", 1), 0) << channel;
    EXPECT_EQ(app_error_code(), 7);
  }
  EXPECT_EQ(file_open(7, "f.txt", 1), 1);
  EXPECT_EQ(app_error_code(), 0);
}

TEST_F(FilesTest, ChannelOutOfRangeReadWriteCloseEnd) {
  Str line;
  EXPECT_EXIT(file_read_line(8, line), portable::exited_non_zero, "");
  EXPECT_EXIT(file_write_line(8, "x"), portable::exited_non_zero, "");
  EXPECT_EXIT(file_close(8), portable::exited_non_zero, "");
  EXPECT_EXIT(file_close(-1), portable::exited_non_zero, "");
}

TEST_F(FilesTest, ClosedChannelReadAndWriteEnd) {
  Str line;
  EXPECT_EXIT(file_read_line(5, line), portable::exited_non_zero, "");
  EXPECT_EXIT(file_write_line(5, "x"), portable::exited_non_zero, "");
  file_close(5);  // closing a closed channel is harmless
  EXPECT_FALSE(file_channel_is_open(5));
}

TEST_F(FilesTest, CloseAllClosesEveryChannel) {
  for (int ch = 0; ch < 8; ++ch) ASSERT_EQ(file_open(ch, ("f" + std::to_string(ch)).c_str(), 0), 1);
  file_close_all();
  for (int ch = 0; ch < 8; ++ch) EXPECT_FALSE(file_channel_is_open(ch)) << ch;
}

// ---- current directory ---------------------------------------------------------------------

TEST_F(FilesTest, SetCwdChangesDirectory) {
  fs::create_directories("Media/Sub");
  write_bytes("Media/Sub/here.txt", to_bytes("here\n"));
  EXPECT_EQ(file_set_cwd("Media\\Sub"), 1.0);
  EXPECT_EQ(app_error_code(), 0);
  EXPECT_EQ(read_lines("here.txt", 1), Lines{"here"});
}

TEST_F(FilesTest, SetCwdFailureKeepsDirectory) {
  const fs::path before = fs::current_path();
  EXPECT_EQ(file_set_cwd("no_such_folder"), 0.0);
  EXPECT_EQ(app_error_code(), 3);
  EXPECT_EQ(fs::current_path(), before);
  write_bytes("file", to_bytes(""));
  EXPECT_EQ(file_set_cwd("file"), 0.0);
  EXPECT_EQ(file_set_cwd(""), 0.0);
}

TEST_F(FilesTest, MakeDirsMakesEveryMissingFolderAndWritableTellsFoldersApart) {
  write_bytes("file", to_bytes(""));
  const fs::path here = fs::current_path();
  struct Case {
    std::string dir;
    bool made;
    const char* names;  // the folder the error names, when it fails
  } cases[] = {
      {"a", true, nullptr},
      {"a\\b/c/", true, nullptr},  // one existing folder, two new ones, a trailing separator
      {"a//b/c/d", true, nullptr},
      {(here / "x/y/z").string(), true, nullptr},
      {"file/sub", false, "\"file\": Not a directory"},
      {"file", false, "\"file\": Not a directory"},
      {"", false, "Invalid argument"},
      {"mem://00000001.00000002", false, "Invalid argument"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dir);
    std::string why;
    EXPECT_EQ(file_make_dirs(c.dir.c_str(), &why), c.made);
    EXPECT_EQ(app_error_code(), c.made ? 0 : 3);
    if (c.made) {
      EXPECT_TRUE(fs::is_directory(path_to_native(c.dir.c_str())));
      EXPECT_TRUE(file_dir_writable(c.dir.c_str()));
    } else {
      EXPECT_NE(why.find(c.names), std::string::npos) << why;
      EXPECT_FALSE(file_dir_writable(c.dir.c_str()));
    }
  }
  EXPECT_TRUE(file_dir_writable("."));
  EXPECT_FALSE(file_dir_writable("no_such_folder"));

  // A folder the user may not write: made by nobody but root, and not writable to anyone but root.
  fs::create_directories("locked");
  fs::permissions("locked", fs::perms::owner_read | fs::perms::owner_exec);
  if (portable::permissions_stop_writes()) {
    std::string why;
    EXPECT_FALSE(file_dir_writable("locked"));
    EXPECT_FALSE(file_make_dirs("locked/inner/deeper", &why));
    EXPECT_NE(why.find("\"locked/inner\": Permission denied"), std::string::npos) << why;
  } else {
    EXPECT_TRUE(file_dir_writable("locked"));  // permissions do not stop root, nor anyone on Windows
  }
  fs::permissions("locked", fs::perms::owner_all);
}

// ---- whole inputs --------------------------------------------------------------------------

TEST_F(FilesTest, ReadAllFromDiskAndMemory) {
  Bytes data;
  for (int i = 0; i < 100000; ++i) data.push_back(uint8_t(i * 31));
  write_bytes("blob.bin", data);
  Bytes out;
  EXPECT_TRUE(file_read_all("blob.bin", out));
  EXPECT_EQ(out, data);
  const std::string name = mem_name_register(data.data(), uint32_t(data.size()));
  EXPECT_TRUE(file_read_all(name.c_str(), out));
  EXPECT_EQ(out, data);
  mem_name_release(data.data());
  EXPECT_FALSE(file_read_all(name.c_str(), out));
  EXPECT_TRUE(out.empty());
  EXPECT_FALSE(file_read_all("missing.bin", out));
  EXPECT_FALSE(file_read_all(".", out));
}

TEST(PathTest, BothSeparatorsBecomeTheSystemsOne) {
  EXPECT_EQ(path_to_native("a\\b/c\\d.txt"), portable::native_path("a/b/c/d.txt"));
  EXPECT_EQ(path_to_native(""), "");
  EXPECT_EQ(path_to_native(nullptr), "");
}

// ---- platform information ------------------------------------------------------------------

std::string info(const char* key_text) {
  Str key = key_text;
  Str out;
  sys_info(out, key);
  return out.data;
}

TEST(SysInfoTest, KeyIsUpperCasedInPlace) {
  Str key = "device";
  Str out;
  sys_info(out, key);
  EXPECT_STREQ(key.data, "DEVICE");
  EXPECT_STREQ(out.data, "DESKTOP");
}

TEST(SysInfoTest, FixedAnswers) {
  EXPECT_EQ(info(""), portable::kWindows ? "WINDOWS" : "LINUX");
  EXPECT_EQ(info("Device"), "DESKTOP");
  EXPECT_EQ(info("no such key"), "NO_DATA");
  EXPECT_EQ(info("GLEXT:glNoSuchFunctionAnywhere"), "0");
  EXPECT_EQ(info("GLEXT:"), "0");
}

// Pattern letters: '9' a decimal digit, 'H' an upper-case hexadecimal digit; other bytes stand for themselves.
bool fits(const std::string& text, const std::string& pattern) {
  if (text.size() != pattern.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool digit = c >= '0' && c <= '9';
    if (pattern[i] == '9' ? !digit : pattern[i] == 'H' ? !(digit || (c >= 'A' && c <= 'F')) : c != pattern[i])
      return false;
  }
  return true;
}

TEST(SysInfoTest, TimesFollowThePattern) {
  const std::string pattern = "9999-99-99 99:99:99";
  EXPECT_TRUE(fits(info("time"), pattern)) << info("time");
  EXPECT_TRUE(fits(info("UTCTIME"), pattern)) << info("UTCTIME");
  EXPECT_TRUE(fits(info("compiled"), pattern)) << info("compiled");
}

TEST(SysInfoTest, IdentifiersAreEightHexDigits) {
  EXPECT_TRUE(fits(info("ID"), "HHHHHHHH")) << info("ID");
  EXPECT_TRUE(fits(info("HOSTID"), "HHHHHHHH")) << info("HOSTID");
  EXPECT_EQ(info("ID"), info("id"));
}

TEST(SysInfoTest, FoldersAndLocale) {
  if (portable::kWindows) {
    // The shell's known folders and the user's language are this machine's; the temporary folder
    // follows %TMP%.
    for (const char* key : {"documents", "desktop", "appdata"}) {
      const std::string folder = info(key);
      EXPECT_TRUE(folder.size() > 3 && folder[1] == ':' && (folder[2] == '\\' || folder[2] == '/'))
          << key << " " << folder;
    }
    portable::set_temp_env("C:\\Brakka temp");
    EXPECT_EQ(info("temp"), "C:\\Brakka temp\\");
    const std::string locale = info("locale");
    EXPECT_TRUE(locale.size() >= 2 && locale.size() <= 3 &&
                locale.find_first_not_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos)
        << locale;
    EXPECT_FALSE(info("version").empty());
    return;
  }
  portable::set_env("HOME", "/home/player");
  portable::set_env("TMPDIR", "/var/tmp");
  portable::unset_env("XDG_DATA_HOME");
  portable::set_env("LC_ALL", "de_DE.UTF-8");
  EXPECT_EQ(info("documents"), "/home/player/Documents");
  EXPECT_EQ(info("desktop"), "/home/player/Desktop");
  EXPECT_EQ(info("appdata"), "/home/player/.local/share");
  portable::set_env("XDG_DATA_HOME", "/data/player");
  EXPECT_EQ(info("appdata"), "/data/player");
  portable::set_env("XDG_DATA_HOME", "relative/data");  // not a valid setting: passed over
  EXPECT_EQ(info("appdata"), "/home/player/.local/share");
  EXPECT_EQ(info("temp"), "/var/tmp/");
  EXPECT_EQ(info("locale"), "de");
  portable::set_env("LC_ALL", "C");
  portable::unset_env("LC_MESSAGES");
  portable::unset_env("LANG");
  EXPECT_EQ(info("locale"), "en");
  EXPECT_FALSE(info("version").empty());
}

}  // namespace

namespace {

TEST_F(FilesTest, PathsAreLimitedTo1023Bytes) {
  // A real folder chain, so that only the length decides.
  std::string folder;
  while (folder.size() < 1100) folder += "d/";
  fs::create_directories(folder);
  const std::string fits = folder.substr(0, 1016) + "f.txt";  // 1021 bytes
  const std::string too_long = folder + "f.txt";
  ASSERT_EQ(file_open(0, fits.c_str(), 0), 1);
  file_close(0);
  EXPECT_EQ(read_lines(fits.c_str(), 0).size(), 0u);
  EXPECT_EQ(file_open(0, too_long.c_str(), 0), 0);
  EXPECT_EQ(app_error_code(), 3);
  EXPECT_FALSE(fs::exists(too_long));
  write_bytes(too_long, to_bytes("x\n"));
  EXPECT_EQ(file_open(0, too_long.c_str(), 1), 0);
  EXPECT_EQ(app_error_code(), 3);
  Str path = "x";
  EXPECT_EQ(archive_resolve(ARCHIVE_DATA, too_long.c_str(), path, 1), 0);
  EXPECT_STREQ(path.data, "");
}

}  // namespace
