#include "engine/media/music.h"

#include <gtest/gtest.h>

#include "engine/app/app.h"
#include "engine/core/timer.h"
#include "engine/media/sound.h"
#include "engine/platform/headless.h"
#include "engine/platform/headless_audio.h"
#include "engine/platform/platform.h"
#include "engine/platform/platform_audio.h"
#include "media/audio_fixture.h"
#include "media/wav_builder.h"

namespace {

using namespace wavtest;
using Kind = HeadlessMusicEvent::Kind;

class Music : public HeadlessAudioTest {
 protected:
  void TearDown() override {
    music_shutdown();
    HeadlessAudioTest::TearDown();
  }

  std::vector<HeadlessMusicEvent> events(Kind kind) {
    std::vector<HeadlessMusicEvent> out;
    for (const auto& e : headless_music_events())
      if (e.kind == kind) out.push_back(e);
    return out;
  }
  // Runs 20 ms frames (the game's 50 per second) while the next one still falls before the given virtual
  // time, calling the music service as the frame does; checks that the music reports playing on every frame.
  void frames_until(double until_ms) {
    while (headless_time_ms() + 20 < until_ms) {
      headless_advance_ms(20);
      music_service();
      ASSERT_EQ(music_is_playing(), 1) << "at " << headless_time_ms() << " ms";
    }
  }

  TempFile song_{"song.mp3", std::vector<uint8_t>(16000, 0xAA)};  // 1 s at 128 kbit/s
};

TEST_F(Music, VolumeBeforePlayHasNoLastingEffect) {
  music_volume(0.9);
  music_play(song_.c_str(), 1);
  EXPECT_EQ(app_error_code(), 0);
  auto volumes = events(Kind::Volume);
  ASSERT_EQ(volumes.size(), 1u);
  EXPECT_EQ(volumes[0].value, 1000);
}

TEST_F(Music, SameVolumeTwiceIsSentOnce) {
  music_play(song_.c_str(), 0);
  music_volume(0.9);
  music_volume(0.9);
  music_volume(1.5);
  auto volumes = events(Kind::Volume);
  ASSERT_EQ(volumes.size(), 3u);
  EXPECT_EQ(volumes[1].value, 900);
  EXPECT_EQ(volumes[2].value, 1500);
}

TEST_F(Music, LoopRestartsOnTheFirstFrameAfterItsLength) {
  headless_music_set_next_length(3000);
  music_play(song_.c_str(), 1);
  ASSERT_EQ(events(Kind::Play).size(), 1u);
  double start = events(Kind::Play)[0].at_ms;
  frames_until(start + 2990);
  EXPECT_EQ(events(Kind::Play).size(), 1u) << "not before 3 s";
  frames_until(start + 3030);
  auto plays = events(Kind::Play);
  ASSERT_EQ(plays.size(), 2u);
  EXPECT_GE(plays[1].at_ms, start + 2999.9);
  EXPECT_LT(plays[1].at_ms - 20, start + 3000) << "on the first frame at or after 3 s";
  frames_until(plays[1].at_ms + 3030);
  EXPECT_EQ(events(Kind::Play).size(), 3u);
}

TEST_F(Music, PauseDoesNotCountTowardsTheLoop) {
  headless_music_set_next_length(3000);
  music_play(song_.c_str(), 1);
  double start = events(Kind::Play)[0].at_ms;
  frames_until(start + 1000);
  music_pause(1);
  headless_advance_ms(2000);
  music_service();
  EXPECT_EQ(music_is_playing(), 1) << "paused looping music still counts as playing";
  EXPECT_EQ(events(Kind::Play).size(), 1u);
  music_pause(0);
  frames_until(start + 4980);
  EXPECT_EQ(events(Kind::Play).size(), 1u) << "restart pushed 2 s later";
  frames_until(start + 5030);
  auto plays = events(Kind::Play);
  ASSERT_EQ(plays.size(), 2u);
  EXPECT_GE(plays[1].at_ms, start + 4999.9);
  EXPECT_LT(plays[1].at_ms - 20, start + 5000);
  EXPECT_EQ(events(Kind::Pause).size(), 1u);
  EXPECT_EQ(events(Kind::Resume).size(), 1u);
}

TEST_F(Music, ShortLengthCountsAsHalfASecond) {
  headless_music_set_next_length(120);
  music_play(song_.c_str(), 1);
  double start = events(Kind::Play)[0].at_ms;
  frames_until(start + 490);
  EXPECT_EQ(events(Kind::Play).size(), 1u);
  frames_until(start + 530);
  EXPECT_EQ(events(Kind::Play).size(), 2u);
}

TEST_F(Music, SinglePlayEnds) {
  headless_music_set_next_length(1000);
  music_play(song_.c_str(), 0);
  headless_advance_ms(500);
  music_service();
  EXPECT_EQ(music_is_playing(), 1);
  music_pause(1);
  headless_advance_ms(5000);
  EXPECT_EQ(music_is_playing(), 1) << "a paused piece with its end ahead";
  music_pause(0);
  headless_advance_ms(600);
  music_service();
  EXPECT_EQ(music_is_playing(), 0);
  EXPECT_EQ(events(Kind::Play).size(), 1u) << "no loop";
}

TEST_F(Music, LengthFromFileSizeWhenUnknown) {
  music_play(song_.c_str(), 0);  // 16000 bytes at 128 kbit/s
  headless_advance_ms(990);
  EXPECT_EQ(music_is_playing(), 1);
  headless_advance_ms(20);
  EXPECT_EQ(music_is_playing(), 0);
}

TEST_F(Music, StopAndStopWithoutMusic) {
  music_stop();
  music_pause(1);
  music_pause(0);
  music_service();
  music_volume(0.5);
  EXPECT_EQ(music_is_playing(), 0);
  EXPECT_TRUE(headless_music_events().empty());
  music_play(song_.c_str(), 1);
  music_stop();
  EXPECT_EQ(music_is_playing(), 0);
  EXPECT_EQ(events(Kind::Close).size(), 1u);
  music_stop();
  EXPECT_EQ(events(Kind::Close).size(), 1u);
}

TEST_F(Music, NewMusicReplacesTheOldAtNormalVolume) {
  TempFile other("other.mp3", std::vector<uint8_t>(8000, 0x55));
  music_play(song_.c_str(), 1);
  music_volume(0.3);
  music_play(other.c_str(), 0);
  auto opens = events(Kind::Open);
  ASSERT_EQ(opens.size(), 2u);
  EXPECT_EQ(opens[1].path, other.path);
  EXPECT_EQ(events(Kind::Close).size(), 1u);
  auto volumes = events(Kind::Volume);
  ASSERT_EQ(volumes.size(), 3u);
  EXPECT_EQ(volumes[2].value, 1000);
}

TEST_F(Music, MissingFileStopsTheOldAndFails) {
  music_play(song_.c_str(), 1);
  music_play("no_such_music.mp3", 1);
  EXPECT_EQ(app_error_code(), 3);
  EXPECT_EQ(music_is_playing(), 0);
  EXPECT_EQ(events(Kind::Close).size(), 1u);
}

}  // namespace
