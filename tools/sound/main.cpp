// brakka_sound <outdir>: writes the game's sound effects and music into <outdir>.
#include <cstdio>
#include <string>
#include <vector>

#include "sound_set.h"

int main(int argc, char** argv) {
  if (argc != 2 || argv[1][0] == '\0') {
    std::fprintf(stderr, "usage: brakka_sound <outdir>\n");
    return 2;
  }
  std::vector<std::string> log;
  std::string error;
  const bool ok = snd::write_sound_set(argv[1], log, error);
  for (const std::string& line : log) std::printf("brakka_sound: wrote %s\n", line.c_str());
  if (!ok) {
    std::fprintf(stderr, "brakka_sound: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
