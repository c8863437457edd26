// The program's arguments and environment where the C library gives them as they are (Linux and the
// browser build): arguments and values in UTF-8 already.
#include <cstdlib>

#include "engine/platform/system_info.h"

std::vector<std::string> system_arguments(int argc, char** argv) {
  std::vector<std::string> out;
  for (int i = 0; i < argc; ++i) out.push_back(argv[i] ? argv[i] : "");
  return out;
}

bool system_env(const char* name, std::string& value) {
  const char* found = name ? std::getenv(name) : nullptr;
  value = found ? found : "";
  return found != nullptr;
}

bool system_set_env(const char* name, const char* value) {
  if (!name || !*name) return false;
  return (value ? ::setenv(name, value, 1) : ::unsetenv(name)) == 0;
}
