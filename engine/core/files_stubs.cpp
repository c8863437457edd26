// Placeholder files and archives until the real ones land.
#include <cstdio>
#include "engine/core/archive.h"
#include "engine/core/files.h"
#include "engine/core/mem_name.h"
std::string path_to_native(const char* path) {
  std::string s = path ? path : "";
  for (char& c : s) if (c == '\\') c = '/';
  return s;
}
bool file_read_all(const char* path, std::vector<uint8_t>& out) {
  FILE* f = std::fopen(path_to_native(path).c_str(), "rb");
  if (!f) return false;
  out.clear();
  uint8_t buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + n);
  std::fclose(f);
  return true;
}
void file_close_all() {}
void archive_slots_create() {}
void archive_slots_release() {}
int archive_resolve(int, const char* name, Str& out_path, int) {
  out_path = name ? name : "";
  FILE* f = std::fopen(path_to_native(out_path.data).c_str(), "rb");
  if (f) std::fclose(f);
  return f != nullptr;
}
bool mem_name_is(const char* name) { return name && std::string(name).rfind("mem://", 0) == 0; }
bool mem_name_lookup(const char*, const uint8_t**, uint32_t*) { return false; }
