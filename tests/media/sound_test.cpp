#include "engine/media/sound.h"

#include <gtest/gtest.h>

#include "engine/app/app.h"
#include "engine/core/mem_name.h"
#include "engine/platform/headless.h"
#include "engine/platform/headless_audio.h"
#include "engine/platform/platform.h"
#include "engine/platform/platform_audio.h"
#include "media/audio_fixture.h"
#include "media/wav_builder.h"

namespace {

using namespace wavtest;

class Sound : public HeadlessAudioTest {
 protected:
  // Loads a sound of the given length into slot id and expects success.
  void load(int id, int buffers, int ms = 1000) {
    files_.emplace_back(
        std::make_unique<TempFile>("s" + std::to_string(files_.size()) + ".wav", pcm_wav(ms)));
    snd_load(files_.back()->c_str(), id, buffers);
    ASSERT_EQ(app_error_code(), 0);
  }
  const HeadlessSoundPlay& last_play() { return headless_audio_plays().back(); }

  std::vector<std::unique_ptr<TempFile>> files_;
};

TEST_F(Sound, SingleBufferIsNotRestartedWhilePlaying) {
  load(5, 1);
  int first = snd_play(5, 0, 1);
  EXPECT_EQ(first, 5 * 256);
  EXPECT_EQ(snd_play(5, 0, 1), -1);
  EXPECT_EQ(snd_is_playing(first), 1);
  EXPECT_EQ(headless_audio_plays().size(), 1u);
}

TEST_F(Sound, ThreeBuffersRotateAndCutTheOldestPlay) {
  load(7, 3);
  EXPECT_EQ(snd_play(7, 0, 1), 7 * 256 + 0);
  EXPECT_EQ(snd_play(7, 0, 1), 7 * 256 + 1);
  EXPECT_EQ(snd_play(7, 0, 1), 7 * 256 + 2);
  double before_fourth = headless_time_ms();
  EXPECT_EQ(snd_play(7, 0, 1), 7 * 256 + 0);
  const auto& plays = headless_audio_plays();
  ASSERT_EQ(plays.size(), 4u);
  EXPECT_EQ(plays[3].voice, plays[0].voice);
  EXPECT_EQ(plays[0].sample, plays[2].sample) << "duplicates share one sample";
  EXPECT_GE(plays[3].at_ms, before_fourth) << "buffer 0 restarted from the start";
  for (int n = 0; n < 3; n++) EXPECT_EQ(snd_is_playing(7 * 256 + n), 1);
}

TEST_F(Sound, FinishedBufferIsReusedFirst) {
  load(3, 2, 100);
  int ch = snd_play(3, 0, 1);
  headless_advance_ms(150);
  EXPECT_EQ(snd_is_playing(ch), 0);
  EXPECT_EQ(snd_play(3, 0, 1), ch);
}

TEST_F(Sound, VolumeAndPanMapping) {
  load(1, 4, 100);
  snd_play(1, 2, 1.5);
  EXPECT_EQ(last_play().volume_db100, 0);
  EXPECT_EQ(last_play().pan, 10000);
  snd_play(1, -1, -0.2);
  EXPECT_EQ(last_play().volume_db100, -10000);
  EXPECT_EQ(last_play().pan, -10000);
  snd_play(1, 0.25, 0.9);
  EXPECT_EQ(last_play().volume_db100, -1000);
  EXPECT_EQ(last_play().pan, 2500);
  snd_play(1, -0.5, 0.5);
  EXPECT_EQ(last_play().volume_db100, -5000);
  EXPECT_EQ(last_play().pan, -5000);
}

TEST(SoundMapping, TruncatesTowardZero) {
  EXPECT_EQ(snd_volume_db100(0.999), -100);
  EXPECT_EQ(snd_volume_db100(0.0), -10000);
  EXPECT_EQ(snd_volume_db100(0.0 / 0.0), -10000);
  EXPECT_EQ(snd_pan(0.00019), 1);
  EXPECT_EQ(snd_pan(-0.00019), -1);
  EXPECT_EQ(snd_pan(-7), -10000);
}

TEST_F(Sound, BufferCountIsClamped) {
  load(9, 9);
  for (int n = 0; n < 4; n++) EXPECT_EQ(snd_play(9, 0, 1), 9 * 256 + n);
  EXPECT_EQ(snd_play(9, 0, 1), 9 * 256 + 0) << "nine buffers make four";
  load(10, 0);
  EXPECT_EQ(snd_play(10, 0, 1), 10 * 256);
  EXPECT_EQ(snd_play(10, 0, 1), -1) << "zero buffers make one";
}

TEST_F(Sound, WaitingForASoundEndsInVirtualTime) {
  load(2, 1, 500);
  double start = headless_time_ms();
  int ch = snd_play(2, 0, 1);
  int polls = 0;
  while (snd_is_playing(ch)) polls++;
  double waited = headless_time_ms() - start;
  EXPECT_GE(waited, 500.0);
  EXPECT_LT(waited, 510.0);
  EXPECT_GE(polls, 400) << "each poll that reports playing sleeps about 1 ms";
  EXPECT_LE(polls, 510);
}

TEST_F(Sound, StopOneBufferOrTheWholeSlot) {
  load(4, 3);
  int a = snd_play(4, 0, 1), b = snd_play(4, 0, 1), c = snd_play(4, 0, 1);
  snd_stop(b);
  EXPECT_EQ(snd_is_playing(a), 1);
  EXPECT_EQ(snd_is_playing(b), 0);
  snd_stop(4 * 256 + 200);  // out-of-range buffer: every buffer of slot 4
  EXPECT_EQ(snd_is_playing(a), 0);
  EXPECT_EQ(snd_is_playing(c), 0);
  snd_stop(-1);
  snd_stop(4096 * 256);
}

TEST_F(Sound, StopAllStopsEverySlot) {
  load(0, 1);
  load(4095, 2);
  int a = snd_play(0, 0, 1), b = snd_play(4095, 0, 1);
  EXPECT_EQ(b, 4095 * 256);
  snd_stop_all();
  EXPECT_EQ(snd_is_playing(a), 0);
  EXPECT_EQ(snd_is_playing(b), 0);
}

TEST_F(Sound, BadChannelsAndIds) {
  app_set_error(0);
  EXPECT_EQ(snd_is_playing(-1), 0);
  EXPECT_EQ(app_error_code(), 7);
  app_set_error(0);
  EXPECT_EQ(snd_is_playing(4096 * 256), 0);
  EXPECT_EQ(app_error_code(), 7);
  app_set_error(0);
  EXPECT_EQ(snd_play(4096, 0, 1), -1);
  EXPECT_EQ(app_error_code(), 7);
  snd_load("whatever.wav", -3, 1);
  EXPECT_EQ(app_error_code(), 7);
  app_set_error(0);
  EXPECT_EQ(snd_play(12, 0, 1), -1) << "empty slot";
  EXPECT_EQ(snd_is_playing(12 * 256), 0);
  EXPECT_EQ(app_error_code(), 0);
}

TEST_F(Sound, EighteenByteFormatLoadsAndMissingDataFails) {
  TempFile good("fmt18.wav", riff({fmt_chunk(18, 1, 22050, 16), data_chunk(2000)}));
  snd_load(good.c_str(), 20, 1);
  EXPECT_EQ(app_error_code(), 0);
  EXPECT_GE(snd_play(20, 0, 1), 0);

  TempFile bad("nodata.wav", riff({fmt_chunk(16, 1, 22050, 16), chunk("LIST", 8)}));
  snd_load(bad.c_str(), 20, 1);
  EXPECT_EQ(app_error_code(), 3);
  EXPECT_EQ(snd_play(20, 0, 1), -1) << "a failed load leaves the slot empty";
}

TEST_F(Sound, MalformedSizesFailTheLoad) {
  std::vector<uint8_t> cut = pcm_wav(100);
  cut.erase(cut.end() - 10, cut.end());
  TempFile truncated("cut.wav", cut);
  snd_load(truncated.c_str(), 21, 1);
  EXPECT_EQ(app_error_code(), 3);
  TempFile short_fmt("short.wav", riff({fmt_chunk(12, 1, 22050, 16), data_chunk(100)}));
  snd_load(short_fmt.c_str(), 21, 1);
  EXPECT_EQ(app_error_code(), 3);
  EXPECT_EQ(snd_play(21, 0, 1), -1);
}

TEST_F(Sound, LoadsFromALiveMemoryName) {
  std::vector<uint8_t> bytes = pcm_wav(300, 2, 22050, 16);
  std::string name = mem_name_register(bytes.data(), uint32_t(bytes.size()));
  snd_load(name.c_str(), 40, 1);
  EXPECT_EQ(app_error_code(), 0);
  EXPECT_EQ(snd_play(40, 0, 1), 40 * 256);
  EXPECT_NEAR(headless_sample_duration_ms(last_play().sample), 300.0, 0.1);
  mem_name_release(bytes.data());
  snd_load(name.c_str(), 41, 1);
  EXPECT_EQ(app_error_code(), 3) << "a released memory name no longer resolves";
}

TEST_F(Sound, MissingFileFails) {
  snd_load("no_such_sound.wav", 30, 1);
  EXPECT_EQ(app_error_code(), 3);
  EXPECT_EQ(snd_play(30, 0, 1), -1);
}

TEST_F(Sound, SampleDurationFollowsTheFormat) {
  load(6, 1, 250);
  snd_play(6, 0, 1);
  EXPECT_NEAR(headless_sample_duration_ms(last_play().sample), 250.0, 0.1);
}

TEST(SoundNoDevice, EverythingQuietlyDoesNothing) {
  ASSERT_TRUE(platform_select("headless"));
  ASSERT_TRUE(platform_audio_select("headless"));
  headless_audio_set_device(false);
  snd_startup();
  TempFile f("nodev.wav", pcm_wav(100));
  snd_load(f.c_str(), 1, 2);
  EXPECT_EQ(app_error_code(), 3);
  EXPECT_EQ(snd_play(1, 0, 1), -1);
  EXPECT_EQ(snd_is_playing(256), 0);
  snd_stop(256);
  snd_stop_all();
  EXPECT_TRUE(headless_audio_plays().empty());
  snd_shutdown();
}

TEST(SoundNotStarted, LoadFailsCleanly) {
  TempFile f("nostart.wav", pcm_wav(100));
  snd_load(f.c_str(), 1, 1);
  EXPECT_EQ(app_error_code(), 3);
  EXPECT_EQ(snd_play(1, 0, 1), -1);
  EXPECT_EQ(snd_is_playing(256), 0);
}

}  // namespace
