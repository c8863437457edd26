// The win and lose screens: they leave on a left click in the continue box and nowhere else; the win
// screen cycles the landmarks and fades out with its music; the lose screen's stars fall and wrap,
// and its ambience starts again whenever it ends. The title animation of the win and welcome screens
// on its first frames.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "engine/core/random.h"
#include "engine/media/renderer.h"
#include "engine/media/sound.h"
#include "engine/media/sprites.h"
#include "engine/platform/headless_audio.h"
#include "game/game_test_helpers.h"
#include "game/screen_test_helpers.h"
#include "game/state/game_state.h"
#include "game/shell/lose_screen.h"
#include "game/shell/main_screen.h"
#include "game/shell/welcome_screen.h"
#include "game/shell/win_screen.h"
#include "support/app_test_helpers.h"

namespace {

class EndScreens : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(start_game_app()); }
  void TearDown() override {
    headless_set_swap_hook({});
    remove_private_temp_dir();
  }
};

// Clicks that must not leave a screen whose continue button is the box (x, y, 96, 32): just outside
// each edge, and the right button inside.
void script_near_misses(uint64_t f0, int x, int y) {
  click_at_frame(f0 + 10, x - 1, y + 10);
  click_at_frame(f0 + 16, x + 96, y + 10);
  click_at_frame(f0 + 22, x + 40, y - 1);
  click_at_frame(f0 + 28, x + 40, y + 32);
  move_at_frame(f0 + 34, x + 40, y + 10);
  headless_at_frame(f0 + 34, script_event(HeadlessEvent::ButtonDown, 1));
  headless_at_frame(f0 + 36, script_event(HeadlessEvent::ButtonUp, 1));
}

// The landmark shown on frame n (1-based) of the win screen: the first for 198 frames, then each for
// 199, going from 8 back to 1.
double landmark_on_frame(int n) {
  if (n <= 198) return 1;
  const int shown_before = 1 + (n - 199) / 199;  // landmarks completed before this one
  return 1 + shown_before % 8;
}

TEST_F(EndScreens, WinScreenCyclesTheLandmarksAndLeavesOnContinue) {
  draw_main_screen(1);       // as the game reaches it: font 5 current
  renderer_set_blind(true);  // only the counters are watched
  const uint64_t f0 = headless_frames();
  std::vector<double> shown;
  headless_set_swap_hook([&] { shown.push_back(scratch); });
  script_near_misses(f0, 352, 550);
  constexpr int kClickFrame = 1650;  // past landmark 8 and back to 1 (frame 1592)
  click_at_frame(f0 + kClickFrame, 352 + 95, 550 + 31);
  headless_audio_clear_log();
  win_screen();
  headless_set_swap_hook({});

  EXPECT_EQ(game_screen, GameScreen::win);
  // The click takes effect at the mouse read of the next frame, which is the last one; the fade
  // follows: 180 frames from volume 0.9 down by 0.005.
  const int loop_frames = kClickFrame + 1;
  ASSERT_EQ(shown.size(), size_t(loop_frames + 180));
  for (int n = 1; n <= loop_frames; ++n) {
    ASSERT_EQ(shown[n - 1], landmark_on_frame(n)) << "frame " << n;
  }
  EXPECT_EQ(shown[197], 1);
  EXPECT_EQ(shown[198], 2);
  EXPECT_EQ(shown[1591], 1);  // after landmark 8
  for (size_t n = loop_frames; n < shown.size(); ++n) EXPECT_EQ(shown[n], shown[loop_frames - 1]);

  // The click sound once; the music played looping, faded to nothing and stopped.
  EXPECT_EQ(headless_audio_plays().size(), 1u);
  const auto& music = headless_music_events();
  int plays = 0, last_volume = -1;
  bool stopped_after_fade = false;
  for (const HeadlessMusicEvent& e : music) {
    if (e.kind == HeadlessMusicEvent::Play) ++plays;
    if (e.kind == HeadlessMusicEvent::Volume) last_volume = e.value;
    if (e.kind == HeadlessMusicEvent::Stop || e.kind == HeadlessMusicEvent::Close) {
      stopped_after_fade = last_volume >= 0 && last_volume <= 5;
    }
  }
  EXPECT_GE(plays, 1);
  EXPECT_TRUE(stopped_after_fade) << "last volume " << last_volume;
}

TEST_F(EndScreens, LoseScreenStarsFallAndWrapAndTheAmbienceLoops) {
  constexpr int kSeed = 4242;
  rnd_seed(kSeed);
  const uint64_t f0 = headless_frames();
  // One frame is shown before the loop, so the stars have moved kSteps times on the frame presented
  // as number kSteps + 1 (the swap hook runs before the count goes up). Only that frame is drawn;
  // the others run blind.
  constexpr int kSteps = 400;
  ScreenRect at_steps;
  renderer_set_blind(true);
  headless_set_swap_hook([&] {
    if (headless_frames() == f0 + kSteps - 1) renderer_set_blind(false);
    if (headless_frames() == f0 + kSteps) {
      at_steps = read_whole_screen();
      renderer_set_blind(true);
    }
  });
  script_near_misses(f0, 352, 310);
  constexpr int kClickFrame = 1250;  // over 24 s: the 8 s ambience starts three times at least
  click_at_frame(f0 + kClickFrame, 352, 310);
  headless_audio_clear_log();
  const double t0 = headless_time_ms();
  lose_screen();
  headless_set_swap_hook({});

  EXPECT_EQ(game_screen, GameScreen::lose);
  EXPECT_EQ(headless_frames() - f0, uint64_t(1 + kClickFrame));

  // The ambience: started at once, then again on the first frame after each end.
  const auto& plays = headless_audio_plays();
  ASSERT_GE(plays.size(), 3u);
  const double length = headless_sample_duration_ms(plays[0].sample);
  EXPECT_NEAR(length, 8000, 1);
  EXPECT_LT(plays[0].at_ms - t0, 1);
  for (size_t k = 1; k < plays.size(); ++k) {
    EXPECT_EQ(plays[k].sample, plays[0].sample);
    EXPECT_GE(plays[k].at_ms - plays[k - 1].at_ms, length) << k;
    EXPECT_LE(plays[k].at_ms - plays[k - 1].at_ms, length + 21) << k;
  }
  EXPECT_EQ(snd_is_playing(6 * 256), 0) << "every sound stops as the screen ends";

  // The stars drawn on that frame, from the same random draws: x, y, speed, colour for each star.
  rnd_seed(kSeed);
  struct Star {
    int x, y, speed, colour;
  };
  std::vector<Star> stars(240);
  for (Star& s : stars) {
    s.x = rnd_int(799);
    s.y = rnd_int(599);
    s.speed = rnd_int(2) + 1;
    s.colour = rnd_int(15000000);
  }
  int wrapped = 0, checked = 0, matched = 0;
  for (Star& s : stars) {
    for (int k = 0; k < kSteps; ++k) {
      s.y += s.speed;
      if (s.y > 600) {
        s.y -= 600;
        ++wrapped;
      }
    }
  }
  ASSERT_FALSE(at_steps.rgb.empty());
  for (size_t i = 0; i < stars.size(); ++i) {
    const Star& s = stars[i];
    // Stars hidden under a later star, the text or the button, or partly off screen, are skipped.
    bool covered = s.y + 2 > 600 || s.x + 2 > 800 || (s.y + 2 > 250 && s.y < 345);
    for (size_t j = i + 1; j < stars.size() && !covered; ++j) {
      covered = std::abs(stars[j].x - s.x) < 2 && std::abs(stars[j].y - s.y) < 2;
    }
    if (covered) continue;
    ++checked;
    matched += at_steps.at(s.x, s.y) == rgb_of_game_colour(s.colour) &&
               at_steps.at(s.x + 1, s.y + 1) == rgb_of_game_colour(s.colour);
  }
  EXPECT_GT(wrapped, 240);  // every star passed the bottom at least once
  EXPECT_GT(checked, 150);
  EXPECT_EQ(matched, checked);
}

// For its first three frames the first copy of the title animation is still below its first frame:
// nothing of the slot under the frames (the last round's landmark in a game) may show then.
TEST_F(EndScreens, TitleAnimationShowsNothingOfTheSlotBelowItsFrames) {
  const ScreenRect black{0, 0, 800, 600, std::vector<uint8_t>(800 * 600 * 3)};
  struct Screen {
    void (*run)();
    int continue_x, continue_y;
  };
  for (const Screen& screen : {Screen{welcome_screen, 362, 507}, Screen{win_screen, 372, 560}}) {
    std::vector<ScreenRect> frames[2];  // with a landmark in the slot, then with the slot empty
    for (int run = 0; run < 2; ++run) {
      spr_load(run == 0 ? "1b.png" : "XXX", 100);
      double w = 0, h = 0;
      spr_get_size(100, &w, &h);
      ASSERT_EQ(w > 0, run == 0);
      renderer_set_blind(false);
      const uint64_t f0 = headless_frames();
      headless_set_swap_hook([&] {
        if (headless_frames() - f0 < 3) frames[run].push_back(read_whole_screen());
        renderer_set_blind(headless_frames() - f0 >= 3);  // the rest of the visit unread
      });
      click_at_frame(f0 + 5, screen.continue_x, screen.continue_y);
      screen.run();
      headless_set_swap_hook({});
    }
    ASSERT_EQ(frames[1].size(), 3u);
    for (int k = 0; k < 3; ++k) {
      EXPECT_GT(frames[1][k].differing(black), 10000) << "frame " << k + 1 << " is drawn";
      EXPECT_EQ(frames[0][k].differing(frames[1][k]), 0) << "frame " << k + 1;
    }
  }
}

}  // namespace
