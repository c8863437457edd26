#include <cstdlib>
#include "engine/platform/platform.h"

std::string platform_temp_dir() {
  const char* dir = std::getenv("TMPDIR");
  std::string path = (dir && *dir) ? dir : "/tmp";
  if (path.back() != '/') path += '/';
  return path;
}
