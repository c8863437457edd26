// A test fixture for sound and music tests: the headless platform and audio backend, a cleared play log
// and a started sound service.
#pragma once
#include <gtest/gtest.h>

#include "engine/media/sound.h"
#include "engine/platform/headless.h"
#include "engine/platform/headless_audio.h"
#include "engine/platform/platform.h"
#include "engine/platform/platform_audio.h"

class HeadlessAudioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform_select("headless"));
    ASSERT_TRUE(platform_audio_select("headless"));
    headless_reset();
    headless_audio_clear_log();
    snd_startup();
  }
  void TearDown() override { snd_shutdown(); }
};
