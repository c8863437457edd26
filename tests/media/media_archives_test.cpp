// The generated sounds as the runtime sees them: read by its own WAV reader, and packed with
// zazpack into the game's archives, from which they come back byte for byte.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "engine/core/archive.h"
#include "engine/core/files.h"
#include "engine/media/wav_reader.h"
#include "media/media_tool_helpers.h"

using media_tools::parse_wav;
using media_tools::read_bytes;
using media_tools::run_tool;
using media_tools::ScratchDir;

namespace {

const std::vector<std::string> kEffects = {"add.wav", "move.wav", "click.wav",
                                           "win.wav", "lose.wav", "amb.wav"};

// Packs `names` from `dir`/Media into `dir`/`archive`.
int pack(const ScratchDir& dir, const std::string& archive, const std::vector<std::string>& names) {
  std::vector<std::string> args = {dir.file(archive)};
  for (const std::string& n : names) args.push_back(dir.file("Media/" + n));
  return run_tool("zazpack", args);
}

// Works in an empty folder, so no loose file can stand in for an archive entry.
class MediaArchives : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    ASSERT_EQ(mkdir(dir_.file("empty").c_str(), 0755), 0);
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    old_cwd_ = cwd;
    archive_slots_create();
  }
  void TearDown() override {
    archive_slots_release();
    if (!old_cwd_.empty()) {
      EXPECT_EQ(chdir(old_cwd_.c_str()), 0);
    }
  }
  void enter_empty_folder() { ASSERT_EQ(chdir(dir_.file("empty").c_str()), 0); }

  ScratchDir dir_;
  std::string old_cwd_;
};

}  // namespace

TEST(RuntimeWavReader, ReadsEveryGeneratedEffect) {
  ScratchDir dir;
  ASSERT_EQ(run_tool("brakka_sound", {dir.path(), "--effects-only"}), 0);
  for (const std::string& name : kEffects) {
    SCOPED_TRACE(name);
    const media_tools::Wav mine = parse_wav(read_bytes(dir.file(name)));
    WavSound sound;
    ASSERT_TRUE(wav_read(dir.file(name).c_str(), sound));
    EXPECT_EQ(sound.format_tag, 1);
    EXPECT_EQ(sound.format.channels, mine.channels);
    EXPECT_EQ(sound.format.sample_rate, static_cast<int>(mine.rate));
    EXPECT_EQ(sound.format.bits, 16);
    EXPECT_EQ(sound.samples.size(), mine.data_size);
  }
}

TEST_F(MediaArchives, SoundsComeBackByteForByteFromTheDataArchive) {
  ASSERT_EQ(run_tool("brakka_sound", {dir_.file("Media"), "--effects-only"}), 0);
  ASSERT_EQ(pack(dir_, "data.zaz", kEffects), 0);
  enter_empty_folder();
  archive_set_names(Str(dir_.file("data.zaz").c_str()), Str(""));
  for (const std::string& name : kEffects) {
    SCOPED_TRACE(name);
    Str path;
    ASSERT_EQ(archive_resolve(ARCHIVE_DATA, name.c_str(), path, 1), 1);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(file_read_all(path.data, bytes));
    EXPECT_EQ(bytes, read_bytes(dir_.file("Media/" + name)));
    WavSound sound;
    EXPECT_TRUE(wav_read(path.data, sound));
  }
}

TEST_F(MediaArchives, MusicComesBackByteForByteFromTheMediaArchive) {
  ASSERT_EQ(run_tool("brakka_sound", {dir_.file("Media")}), 0);
  ASSERT_EQ(pack(dir_, "media.zaz", {"brakka.mp3"}), 0);
  enter_empty_folder();
  archive_set_names(Str(""), Str(dir_.file("media.zaz").c_str()));
  Str path;
  ASSERT_EQ(archive_resolve(ARCHIVE_MEDIA, "brakka.mp3", path, 0), 1);
  const std::vector<uint8_t> original = read_bytes(dir_.file("Media/brakka.mp3"));
  EXPECT_FALSE(original.empty());
  EXPECT_EQ(read_bytes(path.data), original);
}
