// The seam's file calls as one flow, in a folder whose name has letters beyond ASCII (as a player's
// "C:\Users\Zoë\Spiele" has): folders, bytes in and out unchanged, positions, kinds, the atomic
// replace over a read-only file, the current directory. Only the seam names paths, so the same test
// checks the Windows calls when it runs there.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/core/file_replace.h"
#include "engine/core/files.h"
#include "engine/platform/os_files.h"
#include "engine/platform/os_paths.h"
#include "engine/platform/platform.h"

namespace {

namespace fs = std::filesystem;

fs::path utf8_path(const std::string& s) { return fs::path(std::u8string(s.begin(), s.end())); }

std::string read_whole(const std::string& path) {
  const int fd = os_open(path, OsOpen::read);
  std::string out;
  char buf[64];
  for (int64_t n; fd >= 0 && (n = os_read(fd, buf, sizeof buf)) > 0;) out.append(buf, size_t(n));
  if (fd >= 0) os_close(fd);
  return out;
}

TEST(OsFiles, AFolderNamedWithAnyLettersHoldsFilesByteForByte) {
  const PathStyle style = host_path_style();
  const std::string top =
      path_join(platform_temp_dir(), "brakka Zoë " + std::to_string(os_process_id()), style);
  const std::string folder = path_join(top, "Spiele", style);
  fs::remove_all(utf8_path(top));
  ASSERT_TRUE(file_make_dirs(folder.c_str()));
  EXPECT_TRUE(os_folder_writable(folder));
  EXPECT_FALSE(os_folder_writable(path_join(top, "missing", style)));

  // Bytes that a text mode would change: CR LF, a lone LF, 0x1A, NUL.
  const std::string bytes("a\r\nb\nc\x1a\0d", 9);
  const std::string file = path_join(folder, "Zoë.bin", style);
  int fd = os_open(file, OsOpen::write_new);
  ASSERT_GE(fd, 0);
  ASSERT_TRUE(os_write_all(fd, bytes.data(), bytes.size()));
  EXPECT_EQ(os_sync(fd), 0);
  EXPECT_EQ(os_seek(fd, 0, SEEK_END), 9);
  EXPECT_EQ(os_close(fd), 0);
  EXPECT_EQ(read_whole(file), bytes);
  fd = os_open(file, OsOpen::append);
  ASSERT_TRUE(os_write_all(fd, "e", 1));
  os_close(fd);
  fd = os_open(file, OsOpen::read);
  char at[3] = {};
  EXPECT_TRUE(os_read_at(fd, 7, at, 3));
  EXPECT_EQ(std::string(at, 3), std::string("\0de", 3));
  EXPECT_FALSE(os_read_at(fd, 8, at, 3));  // past the end
  OsFileInfo info;
  EXPECT_TRUE(os_fstat(fd, info));
  EXPECT_EQ(info.size, 10);
  os_close(fd);
  EXPECT_EQ(os_open(file, OsOpen::create_only), -1);
  EXPECT_EQ(errno, EEXIST);

  EXPECT_TRUE(os_stat(folder, info));
  EXPECT_EQ(info.kind, OsFileKind::folder);
  EXPECT_TRUE(os_lstat(file, info));
  EXPECT_EQ(info.kind, OsFileKind::file);
  EXPECT_FALSE(os_stat(path_join(folder, "none", style), info));
  EXPECT_EQ(errno, ENOENT);
  EXPECT_EQ(os_folder_names(folder), std::vector<std::string>{"Zoë.bin"});

  // The atomic save replaces a read-only file and leaves it read-only.
  const std::string table = path_join(folder, "höchst.txt", style);
  ASSERT_TRUE(file_replace_lines(table.c_str(), {Str("old")}));
  fs::permissions(utf8_path(table), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  std::string why;
  EXPECT_TRUE(file_replace_lines(table.c_str(), {Str("new"), Str("lines")}, &why)) << why;
  EXPECT_EQ(read_whole(table), "new\r\nlines\r\n");
  EXPECT_EQ(fs::status(utf8_path(table)).permissions() & fs::perms::owner_write, fs::perms::none);
  fs::permissions(utf8_path(table), fs::perms::owner_write, fs::perm_options::add);

  // The current directory by a name with the same letters, and relative names from there.
  const std::string before = os_cwd();
  ASSERT_EQ(os_set_cwd(folder), 0);
  EXPECT_TRUE(path_is_regular_file("Zoë.bin"));
  EXPECT_EQ(path_leaf(os_cwd(), style), "Spiele");
  ASSERT_EQ(os_set_cwd(before), 0);
  EXPECT_EQ(os_remove_file(file), 0);
  fs::remove_all(utf8_path(top));
}

}  // namespace
