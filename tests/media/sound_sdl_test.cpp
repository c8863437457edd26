// Real playback through the sdl audio backend, on SDL's dummy audio driver unless another is chosen.
#include <gtest/gtest.h>

#include "engine/app/app.h"
#include "engine/media/music.h"
#include "engine/media/sound.h"
#include "engine/platform/platform.h"
#include "engine/platform/platform_audio.h"
#include "media/wav_builder.h"
#include "portable.h"

namespace {

using namespace wavtest;

class SdlAudioSmoke : public ::testing::Test {
 protected:
  void SetUp() override {
    // No sound card needed unless the caller chose a driver.
    if (!portable::get_env("SDL_AUDIODRIVER")) portable::set_env("SDL_AUDIODRIVER", "dummy");
    // The platform comes first: choosing it also chooses its audio backend, which the real one replaces.
    ASSERT_TRUE(platform_select("headless"));
    ASSERT_TRUE(platform_audio_select("sdl"));
    snd_startup();
    if (!platform_audio().is_open()) GTEST_SKIP() << "no SDL audio device (set SDL_AUDIODRIVER=dummy)";
  }
  void TearDown() override {
    music_shutdown();
    snd_shutdown();
  }
};

TEST_F(SdlAudioSmoke, LoadPlayStop) {
  TempFile f("sdl_smoke.wav", pcm_wav(2000, 1, 22050, 16));
  snd_load(f.c_str(), 3, 2);
  ASSERT_EQ(app_error_code(), 0);
  int a = snd_play(3, -0.5, 0.8);
  int b = snd_play(3, 1, 1);
  EXPECT_EQ(a, 3 * 256);
  EXPECT_EQ(b, 3 * 256 + 1);
  EXPECT_EQ(snd_is_playing(a), 1);
  EXPECT_EQ(snd_is_playing(b), 1);
  snd_stop(a);
  EXPECT_EQ(snd_is_playing(a), 0);
  EXPECT_EQ(snd_is_playing(b), 1);
  snd_stop_all();
  EXPECT_EQ(snd_is_playing(b), 0);
}

TEST_F(SdlAudioSmoke, EightBitStereoAtAnotherRateConverts) {
  TempFile f("sdl_smoke8.wav", pcm_wav(1000, 2, 11025, 8));
  snd_load(f.c_str(), 4, 1);
  ASSERT_EQ(app_error_code(), 0);
  int ch = snd_play(4, 0, 1);
  EXPECT_EQ(ch, 4 * 256);
  EXPECT_EQ(snd_is_playing(ch), 1);
  EXPECT_EQ(snd_play(4, 0, 1), -1);
}

TEST_F(SdlAudioSmoke, MusicStreamPlaysPausesAndStops) {
  TempFile f("sdl_music.wav", pcm_wav(3000, 2, 44100, 16));
  music_play(f.c_str(), 1);
  ASSERT_EQ(app_error_code(), 0);
  EXPECT_EQ(music_is_playing(), 1);
  EXPECT_NEAR(platform_audio().music_length_ms(), 3000, 50);
  music_volume(0.5);
  music_pause(1);
  EXPECT_EQ(music_is_playing(), 1);
  music_pause(0);
  music_service();
  music_stop();
  EXPECT_EQ(music_is_playing(), 0);
}

}  // namespace
