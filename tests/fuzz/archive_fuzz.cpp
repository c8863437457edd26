// Fuzz target: archive bytes -> look-ups through both slots.
// The data slot reads the archive from memory by its "mem://" name; the media slot reads the same bytes
// from a file and unpacks to temporary files. Names tried: a few fixed ones and the first entries listed.
#include <stdlib.h>
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include "engine/core/archive.h"
#include "engine/core/archive_reader.h"
#include "engine/core/file_channels.h"
#include "engine/core/files.h"
#include "engine/core/mem_name.h"

namespace {

std::string g_dir;

void setup_once() {
  if (!g_dir.empty()) return;
  char pattern[] = "/tmp/brakka_archive_fuzz_XXXXXX";
  if (!::mkdtemp(pattern)) std::abort();
  g_dir = pattern;
  // Temporary extractions land here.
  ::setenv("TMPDIR", g_dir.c_str(), 1);
}

void check_resolved(int slot, const char* name, int to_memory) {
  Str path;
  if (!archive_resolve(slot, name, path, to_memory)) return;
  std::vector<uint8_t> bytes;
  if (!file_read_all(path.data, bytes)) std::abort();  // a successful look-up must be readable
  if (bytes.size() > ARCHIVE_MAX_UNPACKED) std::abort();
  if (to_memory) {
    // Opening the same name on a channel looks it up again; the virtual file reads line by line.
    if (file_open(0, name, 1) != 1) std::abort();
    Str line;
    for (size_t n = 0; file_try_read_line(0, line); ++n)
      if (n > bytes.size()) std::abort();
    file_close(0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  setup_once();
  const std::string mem_name = mem_name_register(data, uint32_t(size));
  const std::string file_name = g_dir + "/archive.zaz";
  const bool use_file = size > 0 && (data[0] & 1);
  if (use_file) {
    FILE* f = std::fopen(file_name.c_str(), "wb");
    if (!f) std::abort();
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  archive_set_names(mem_name.c_str(), use_file ? file_name.c_str() : "");

  // Names under a folder that does not exist, so that no loose file can win the look-up.
  const std::string folder = "/nonexistent-brakka-fuzz/";
  std::vector<std::string> names = {folder + "a", folder + "green.bmp", folder + "Sub\\GREEN.BMP",
                                    folder + "song.mp3"};
  auto src = archive_source_memory(data, size);
  ArchiveDirectory dir;
  if (archive_read_directory(*src, dir)) {
    const auto entries = archive_list_entries(*src, dir);
    for (size_t i = 0; i < entries.size() && i < 4; ++i)
      if (entries[i].name.find('\0') == std::string::npos) names.push_back(folder + entries[i].name);
  }
  for (const std::string& name : names) check_resolved(ARCHIVE_DATA, name.c_str(), 1);
  if (use_file)
    for (size_t i = 0; i < names.size() && i < 2; ++i)
      check_resolved(ARCHIVE_MEDIA, names[names.size() - 1 - i].c_str(), 0);

  archive_slots_release();
  mem_name_release(data);
  if (mem_name_live_count() != 0) std::abort();
  return 0;
}
