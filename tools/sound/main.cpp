// brakka_sound <outdir> [--effects-only] [--music-wav <file>]: writes the game's sound
// effects and music into <outdir>. --effects-only leaves the music out; --music-wav also
// writes the music's loop as a WAV file.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "sound_set.h"

int main(int argc, char** argv) {
  std::string outdir;
  snd::SoundSetOptions options;
  bool usage_error = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--music-wav") == 0 && i + 1 < argc && argv[i + 1][0] != '\0')
      options.music_wav = argv[++i];
    else if (std::strcmp(argv[i], "--effects-only") == 0) options.music = false;
    else if (outdir.empty() && argv[i][0] != '\0' && argv[i][0] != '-') outdir = argv[i];
    else usage_error = true;
  }
  if (usage_error || outdir.empty() || (!options.music && !options.music_wav.empty())) {
    std::fprintf(stderr, "usage: brakka_sound <outdir> [--effects-only] [--music-wav <file>]\n");
    return 2;
  }
  std::vector<std::string> log;
  std::string error;
  const bool ok = snd::write_sound_set(outdir, options, log, error);
  for (const std::string& line : log) std::printf("brakka_sound: wrote %s\n", line.c_str());
  if (!ok) {
    std::fprintf(stderr, "brakka_sound: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
