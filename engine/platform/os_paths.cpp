#include "engine/platform/os_paths.h"

PathStyle host_path_style() {
#ifdef _WIN32
  return PathStyle::windows;
#else
  return PathStyle::posix;
#endif
}

bool path_is_separator(char c, PathStyle) { return c == '/' || c == '\\'; }

char path_separator(PathStyle style) { return style == PathStyle::windows ? '\\' : '/'; }

std::string path_spelt_natively(std::string_view path, PathStyle style) {
  std::string out(path);
  for (char& c : out)
    if (path_is_separator(c, style)) c = path_separator(style);
  return out;
}

namespace {

bool drive_letter(std::string_view p) {
  return p.size() >= 2 && p[1] == ':' && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z'));
}

// After `from`, the end of the next part and its separator (or the end of the path).
size_t past_part(std::string_view p, size_t from, PathStyle style) {
  while (from < p.size() && !path_is_separator(p[from], style)) ++from;
  return from < p.size() ? from + 1 : from;
}

}  // namespace

size_t path_root_length(std::string_view p, PathStyle style) {
  if (style == PathStyle::posix) return !p.empty() && path_is_separator(p[0], style) ? 1 : 0;
  if (drive_letter(p)) return p.size() > 2 && path_is_separator(p[2], style) ? 3 : 2;
  if (p.size() >= 2 && path_is_separator(p[0], style) && path_is_separator(p[1], style)) {
    // "\\?\C:\..." and "\\.\device\": the prefix, then a drive or one name.
    if (p.size() >= 4 && (p[2] == '?' || p[2] == '.') && path_is_separator(p[3], style)) {
      const std::string_view rest = p.substr(4);
      if (drive_letter(rest)) return 4 + (rest.size() > 2 && path_is_separator(rest[2], style) ? 3 : 2);
      return past_part(p, 4, style);
    }
    // "\\server\share\": both names belong to the root.
    return past_part(p, past_part(p, 2, style), style);
  }
  return !p.empty() && path_is_separator(p[0], style) ? 1 : 0;
}

bool path_is_absolute(std::string_view p, PathStyle style) {
  const size_t root = path_root_length(p, style);
  if (style == PathStyle::posix) return root > 0;
  // "C:" alone and "\folder" depend on the current drive's folder or the current drive.
  return root >= 2 && (path_is_separator(p[0], style) || path_is_separator(p[root - 1], style));
}

std::string path_join(std::string_view folder, std::string_view name, PathStyle style) {
  if (folder.empty() || path_is_absolute(name, style)) return std::string(name);
  std::string out(folder);
  if (!path_is_separator(out.back(), style) &&
      !(style == PathStyle::windows && out.size() == 2 && out[1] == ':'))
    out += path_separator(style);
  out += name;
  return out;
}

std::string path_parent(std::string_view p, PathStyle style) {
  const size_t root = path_root_length(p, style);
  size_t end = p.size();
  while (end > root && path_is_separator(p[end - 1], style)) --end;   // separators at the end
  while (end > root && !path_is_separator(p[end - 1], style)) --end;  // the last part
  while (end > root && path_is_separator(p[end - 1], style)) --end;   // the separators before it
  return std::string(p.substr(0, end));
}

std::string path_leaf(std::string_view p, PathStyle style) {
  const size_t root = path_root_length(p, style);
  size_t start = p.size();
  while (start > root && !path_is_separator(p[start - 1], style)) --start;
  return std::string(p.substr(start));
}
