#include "sound_set.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "ambience.h"
#include "file_bytes.h"
#include "mp3_encode.h"
#include "music_render.h"
#include "music_score.h"
#include "sound_effects.h"
#include "wav_file.h"

namespace snd {

namespace {

std::string describe(const std::string& name, const Audio& a) {
  char line[160];
  std::snprintf(line, sizeof line, "%s: %.3f s, %d Hz, %s, peak %.1f dBFS", name.c_str(), a.seconds(), a.rate,
                a.channels == 2 ? "stereo" : "mono", to_dbfs(peak(a)));
  return line;
}

}  // namespace

const std::vector<EffectFile>& effect_files() {
  static const std::vector<EffectFile> files = {
      {"add.wav", make_add},    {"move.wav", make_move},   {"click.wav", make_click},
      {"win.wav", make_appear}, {"lose.wav", make_vanish}, {"amb.wav", make_ambience},
  };
  return files;
}

bool write_sound_set(const std::string& dir, const SoundSetOptions& options, std::vector<std::string>& log,
                     std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) {
    error = "cannot create " + dir + ": " + ec.message();
    return false;
  }
  const std::filesystem::path base(dir);

  for (const EffectFile& f : effect_files()) {
    const Audio audio = f.make();
    if (!write_wav((base / f.name).string(), audio, error)) return false;
    log.push_back(describe(f.name, audio));
  }

  if (!options.music) return true;
  const Audio music = render_loop(brakka_theme(), kMusicPeakDbfs);
  if (!options.music_wav.empty()) {
    if (!write_wav(options.music_wav, music, error)) return false;
    log.push_back(describe(options.music_wav, music));
  }
  const Mp3Settings settings;
  std::vector<uint8_t> mp3;
  if (!encode_mp3(music, settings, mp3, error)) return false;
  if (!write_file_bytes((base / kMusicFile).string(), mp3, error)) return false;
  log.push_back(describe(kMusicFile, music) + ", " + std::to_string(settings.bitrate_kbps) + " kbit/s, " +
                std::to_string(mp3.size()) + " bytes");
  return true;
}

}  // namespace snd
