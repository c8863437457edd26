// The sound generator: the WAV effects it writes, their loudness and lengths, the ambience
// loop, and that it writes the same bytes every time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "media/media_tool_helpers.h"

using media_tools::parse_wav;
using media_tools::read_bytes;
using media_tools::run_tool;
using media_tools::ScratchDir;
using media_tools::Wav;

namespace {

const char* const kEffects[] = {"add.wav", "move.wav", "click.wav", "win.wav", "lose.wav", "amb.wav"};

// Runs the generator (effects only: the music has tests of its own) and keeps what it wrote.
class SoundFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    ASSERT_EQ(run_tool("brakka_sound", {dir_.path(), "--effects-only"}), 0) << "brakka_sound failed";
    for (const char* name : kEffects) {
      wavs_[name] = parse_wav(read_bytes(dir_.file(name)));
      ASSERT_EQ(wavs_[name].problem, "") << name;
    }
  }
  const Wav& wav(const char* name) { return wavs_[name]; }

  ScratchDir dir_;
  std::map<std::string, Wav> wavs_;
};

int peak_of(const Wav& w) {
  int p = 0;
  for (int16_t s : w.samples) p = std::max(p, std::abs(static_cast<int>(s)));
  return p;
}

}  // namespace

TEST_F(SoundFiles, EffectsOnlyRunLeavesTheMusicOut) {
  EXPECT_TRUE(read_bytes(dir_.file("brakka.mp3")).empty());
}

TEST_F(SoundFiles, EveryEffectIsPlainSixteenBitPcm) {
  for (const char* name : kEffects) {
    SCOPED_TRACE(name);
    const Wav& w = wav(name);
    const std::size_t file_size = read_bytes(dir_.file(name)).size();
    EXPECT_EQ(w.format, 1);
    EXPECT_EQ(w.bits, 16);
    EXPECT_EQ(w.fmt_size, 16u);
    EXPECT_TRUE(w.channels == 1 || w.channels == 2);
    EXPECT_TRUE(w.rate == 22050 || w.rate == 44100);
    EXPECT_EQ(w.block_align, w.channels * 2);
    EXPECT_EQ(w.byte_rate, w.rate * w.block_align);
    EXPECT_EQ(w.riff_size, file_size - 8);
    EXPECT_EQ(w.data_size % w.block_align, 0u);
    EXPECT_EQ(w.data_size, w.samples.size() * 2);
  }
}

TEST_F(SoundFiles, LengthsSuitWhereEachSoundPlays) {
  EXPECT_LE(wav("click.wav").seconds(), 0.08);
  EXPECT_LE(wav("move.wav").seconds(), 0.08);
  // One add.wav per unit counted.
  EXPECT_GE(wav("add.wav").seconds(), 0.060);
  EXPECT_LE(wav("add.wav").seconds(), 0.090);
  // The block fades take 98 frames of 20 ms; the game waits for the sound to end.
  for (const char* name : {"win.wav", "lose.wav"}) {
    SCOPED_TRACE(name);
    EXPECT_GE(wav(name).seconds(), 1.9);
    EXPECT_LE(wav(name).seconds(), 2.5);
  }
  EXPECT_GE(wav("amb.wav").seconds(), 4.0);
}

TEST_F(SoundFiles, PeaksStayAtOrBelowMinusOneDbfsButAreAudible) {
  const int ceiling = media_tools::max_sample_at_minus_one_dbfs();
  const int audible = static_cast<int>(32767 * std::pow(10.0, -20.0 / 20.0));
  for (const char* name : kEffects) {
    SCOPED_TRACE(name);
    const int p = peak_of(wav(name));
    EXPECT_LE(p, ceiling);
    EXPECT_GE(p, audible);
  }
}

TEST_F(SoundFiles, OneShotSoundsStartAndStopSilently) {
  // Anything but a near-zero first and last sample clicks when the sound starts or stops.
  const int quiet = 328;  // 1 % of full scale
  for (const char* name : {"add.wav", "move.wav", "click.wav", "win.wav", "lose.wav"}) {
    SCOPED_TRACE(name);
    const Wav& w = wav(name);
    for (int c = 0; c < w.channels; ++c) {
      const std::vector<int> x = w.channel(c);
      EXPECT_LE(std::abs(x.front()), quiet);
      EXPECT_LE(std::abs(x.back()), quiet);
    }
  }
}

TEST_F(SoundFiles, AmbienceLoopsWithoutASeam) {
  const Wav& amb = wav("amb.wav");
  for (int c = 0; c < amb.channels; ++c) {
    SCOPED_TRACE(c);
    const std::vector<int> x = amb.channel(c);
    const media_tools::SeamMeasure m = media_tools::loop_seam(x);
    EXPECT_GT(m.typical, 0.0);
    EXPECT_LE(m.seam, m.typical);
    // The step across the join is no bigger than the steps on either side of it.
    const int step = std::abs(x.front() - x.back());
    const int around = std::max({std::abs(x[1] - x[0]), std::abs(x[x.size() - 1] - x[x.size() - 2]), 1});
    EXPECT_LE(step, 2 * around);
  }
}

TEST(SoundGenerator, SameSourceWritesSameBytes) {
  ScratchDir first, second;
  ASSERT_EQ(run_tool("brakka_sound", {first.path()}), 0);
  ASSERT_EQ(run_tool("brakka_sound", {second.path()}), 0);
  std::vector<std::string> names(std::begin(kEffects), std::end(kEffects));
  names.push_back("brakka.mp3");
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const std::vector<uint8_t> a = read_bytes(first.file(name));
    EXPECT_FALSE(a.empty());
    EXPECT_EQ(a, read_bytes(second.file(name)));
  }
}

TEST(SoundGenerator, ReportsMisuseAndUnwritableFolders) {
  EXPECT_EQ(run_tool("brakka_sound", {}), 2);
  EXPECT_EQ(run_tool("brakka_sound", {"--music-wav"}), 2);
  EXPECT_EQ(run_tool("brakka_sound", {"/tmp", "--effects-only", "--music-wav", "/tmp/x.wav"}), 2);
  ScratchDir dir;
  // A folder cannot be made below a plain file.
  ASSERT_EQ(std::system(("touch '" + dir.file("plain") + "'").c_str()), 0);
  EXPECT_EQ(run_tool("brakka_sound", {dir.file("plain") + "/Media"}), 1);
}
