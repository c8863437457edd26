#include "engine/platform/system_info.h"
#include <unistd.h>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

std::string system_program_path() {
  char buf[PATH_MAX + 1];
  ssize_t n = readlink("/proc/self/exe", buf, PATH_MAX);
  if (n <= 0) return std::string();
  buf[n] = '\0';
  return std::string(buf);
}

bool system_tracer_attached() {
  FILE* f = std::fopen("/proc/self/status", "r");
  if (!f) return false;
  char line[256];
  bool traced = false;
  while (std::fgets(line, sizeof line, f)) {
    if (std::strncmp(line, "TracerPid:", 10) == 0) {
      traced = std::strtol(line + 10, nullptr, 10) != 0;
      break;
    }
  }
  std::fclose(f);
  return traced;
}
