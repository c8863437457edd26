// Path spelling by the rules of each system, both checked on any host: roots, absolute paths, joining,
// parents and last parts.
#include <gtest/gtest.h>

#include <string>

#include "engine/platform/os_paths.h"

namespace {

struct PathCase {
  PathStyle style;
  std::string path;
  size_t root;
  bool absolute;
  std::string parent, leaf;
};

TEST(OsPaths, RootsParentsAndLeavesByEachSystemsRules) {
  const PathStyle posix = PathStyle::posix, windows = PathStyle::windows;
  const PathCase cases[] = {
      {posix, "/home/ellie/.local/share", 1, true, "/home/ellie/.local", "share"},
      {posix, "/brakka", 1, true, "/", "brakka"},
      {posix, "/", 1, true, "/", ""},
      {posix, "Media/data.zaz", 0, false, "Media", "data.zaz"},
      {posix, "a//b/", 0, false, "a", ""},
      {posix, "name", 0, false, "", "name"},
      {posix, "", 0, false, "", ""},
      {posix, "C:\\Users", 0, false, "C:", "Users"},  // "\" separates on Linux too; a drive is a name
      {windows, "C:\\Users\\Zoë\\AppData\\Roaming", 3, true, "C:\\Users\\Zoë\\AppData", "Roaming"},
      {windows, "c:/games/Brakka/", 3, true, "c:/games", ""},
      {windows, "C:\\brakka.exe", 3, true, "C:\\", "brakka.exe"},
      {windows, "C:\\", 3, true, "C:\\", ""},
      {windows, "C:file", 2, false, "C:", "file"},
      {windows, "\\folder\\file", 1, false, "\\folder", "file"},
      {windows, "\\\\server\\share\\Brakka\\Media", 15, true, "\\\\server\\share\\Brakka", "Media"},
      {windows, "\\\\server\\share", 14, true, "\\\\server\\share", ""},
      {windows, "\\\\?\\C:\\Games\\x", 7, true, "\\\\?\\C:\\Games", "x"},
      {windows, "Media\\data.zaz", 0, false, "Media", "data.zaz"},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE((c.style == posix ? "posix " : "windows ") + c.path);
    EXPECT_EQ(path_root_length(c.path, c.style), c.root);
    EXPECT_EQ(path_is_absolute(c.path, c.style), c.absolute);
    EXPECT_EQ(path_parent(c.path, c.style), c.parent);
    EXPECT_EQ(path_leaf(c.path, c.style), c.leaf);
  }
}

TEST(OsPaths, JoinAndSpellingFollowTheSystem) {
  const PathStyle posix = PathStyle::posix, windows = PathStyle::windows;
  EXPECT_EQ(path_join("/home/ellie/.local/share", "brakka", posix), "/home/ellie/.local/share/brakka");
  EXPECT_EQ(path_join("/", "x", posix), "/x");
  EXPECT_EQ(path_join("", "x", posix), "x");
  EXPECT_EQ(path_join("/a", "/b", posix), "/b");
  EXPECT_EQ(path_join("C:\\Users\\Zoë\\AppData\\Roaming", "Brakka", windows),
            "C:\\Users\\Zoë\\AppData\\Roaming\\Brakka");
  EXPECT_EQ(path_join("C:/games/", "Brakka", windows), "C:/games/Brakka");
  EXPECT_EQ(path_join("C:", "x", windows), "C:x");
  EXPECT_EQ(path_join("C:\\a", "\\\\srv\\share\\x", windows), "\\\\srv\\share\\x");
  EXPECT_EQ(path_spelt_natively("a\\b/c", posix), "a/b/c");
  EXPECT_EQ(path_spelt_natively("a\\b/c", windows), "a\\b\\c");
}

}  // namespace
