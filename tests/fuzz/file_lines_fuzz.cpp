// Fuzz target: bytes -> lines, read once as a virtual ("mem://") file and once as a disk file.
// Both readers must hand out the same lines, each at most 1024 bytes and free of line feeds.
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "engine/core/file_channels.h"
#include "engine/core/files.h"
#include "engine/core/mem_name.h"

namespace {

std::string g_file;

void setup_once() {
  if (!g_file.empty()) return;
  char pattern[] = "/tmp/brakka_lines_fuzz_XXXXXX";
  if (!::mkdtemp(pattern)) std::abort();
  g_file = std::string(pattern) + "/lines.txt";
}

std::vector<std::string> read_all_lines(int channel, size_t input_size) {
  std::vector<std::string> lines;
  Str line;
  while (file_try_read_line(channel, line)) {
    if (line.length > 1024 || std::strchr(line.data, '\n')) std::abort();
    lines.emplace_back(line.data);
    if (lines.size() > input_size) std::abort();  // every line consumes at least one byte
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  setup_once();
  const std::string name = mem_name_register(data, uint32_t(size));
  if (file_open(0, name.c_str(), 1) != 1) std::abort();
  const std::vector<std::string> virtual_lines = read_all_lines(0, size);
  file_close(0);
  mem_name_release(data);

  FILE* f = std::fopen(g_file.c_str(), "wb");
  if (!f) std::abort();
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  if (file_open(1, g_file.c_str(), 1) != 1) std::abort();
  const std::vector<std::string> disk_lines = read_all_lines(1, size);
  file_close(1);

  if (virtual_lines != disk_lines) std::abort();
  return 0;
}
