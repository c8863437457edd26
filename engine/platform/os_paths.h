// Path spelling by the rules of a system: which characters separate folders, what makes a path
// absolute, where its root ends, joining and taking the parent. Paths are UTF-8 text; nothing here
// asks the file system. Both styles are available everywhere (so the Windows rules are testable on
// Linux); the runtime uses the style of the system it was built for (host_path_style).
//
// posix:   "/" separates; "\" is taken as "/" too (the runtime accepts both in every name). A path is
//          absolute when it starts with "/", whose root is "/".
// windows: "\" and "/" separate. Absolute paths: a drive ("C:\Users"), a UNC share
//          ("\\server\share\folder"), or a device path ("\\?\C:\..."). A drive without a separator
//          ("C:file") or a path from the current drive's top ("\folder") is not absolute.
#pragma once
#include <string>
#include <string_view>

enum class PathStyle { posix, windows };

PathStyle host_path_style();

bool path_is_separator(char c, PathStyle style);
// The style's own separator: '/' or '\'.
char path_separator(PathStyle style);
// Every separator spelt as the style's own.
std::string path_spelt_natively(std::string_view path, PathStyle style);
// Length of the root at the start of the path: "/" 1, "C:\" 3, "C:" 2, "\" 1, "\\server\share\" up to and
// with its separator; 0 for a relative path.
size_t path_root_length(std::string_view path, PathStyle style);
bool path_is_absolute(std::string_view path, PathStyle style);
// `name` below `folder`, with one separator between them; `name` alone when it is absolute or `folder` is
// empty.
std::string path_join(std::string_view folder, std::string_view name, PathStyle style);
// The folder that holds the path's last part, with separators at its end dropped (a root keeps its
// own): "a/b/c" -> "a/b", "/a" -> "/", "C:\a" -> "C:\", "\\srv\share\a" -> "\\srv\share\". The root's
// parent is the root itself; a bare name has no parent: "".
std::string path_parent(std::string_view path, PathStyle style);
// The last part: the characters after the last separator (after the root).
std::string path_leaf(std::string_view path, PathStyle style);
