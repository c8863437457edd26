// The welcome screen driven through its buttons: the hint under the greeting, each button's screen
// and the way back, the fade-out after play, and quitting.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/core/str.h"
#include "engine/media/font.h"
#include "engine/media/sprites.h"
#include "engine/platform/headless.h"
#include "engine/platform/headless_audio.h"
#include "game/screen_driver_helpers.h"
#include "game/shell/title_animation.h"
#include "game/shell/waits.h"
#include "game/shell/welcome_screen.h"
#include "support/app_test_helpers.h"

namespace {

using namespace screen_driver;

// A click well inside a button's box, given by the box's top-left.
Click button(int x, int y, double hold_ms = 60, int settle_frames = 3) {
  return Click{GameScreen::welcome, x + 20, y + 15, hold_ms, settle_frames};
}
constexpr int kChangeName[] = {37, 528}, kHighRatings[] = {189, 510}, kPlay[] = {342, 492},
              kInstructions[] = {496, 510}, kQuit[] = {651, 528};

// The band under the greeting where the hint goes (font 3 from y 380, below font 5's cells).
constexpr int kBandX = 100, kBandY = 382, kBandW = 600, kBandH = 14;

class Welcome : public ::testing::Test {
 protected:
  void SetUp() override {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ASSERT_TRUE(start_game_app());
  }
  void TearDown() override {
    headless_set_swap_hook({});
    remove_private_temp_dir();
  }
};

// The hint band of a visit with this name, on the frame that ends the visit's `frame`-th pass
// (from 0). The animation is the same in every visit on the same pass, so only the texts can make two
// bands differ.
std::vector<Rgb> hint_band(const char* name, uint64_t frame = 4, int y = kBandY, int h = kBandH) {
  player_name = name;
  const uint64_t start = headless_frames();
  std::vector<Rgb> band;
  headless_set_swap_hook([&] {
    if (headless_frames() == start + frame) band = read_screen(kBandX, y, kBandW, h);
  });
  MouseRobot robot({button(kPlay[0], kPlay[1], 60, static_cast<int>(frame) + 4)});
  welcome_screen();
  headless_set_swap_hook({});
  EXPECT_TRUE(robot.finished());
  return band;
}

TEST_F(Welcome, HintShowsForEmptyOrBlankNameOnly) {
  const std::vector<Rgb> empty_word = hint_band("EMPTY");
  const std::vector<Rgb> no_name = hint_band("");
  const std::vector<Rgb> zed = hint_band("ZED");
  const std::vector<Rgb> bob = hint_band("BOB");
  ASSERT_EQ(empty_word.size(), static_cast<size_t>(kBandW * kBandH));
  EXPECT_EQ(zed, bob);
  EXPECT_EQ(empty_word, no_name);
  EXPECT_NE(empty_word, zed);

  // Where the bands differ is the hint, centred on x 400 at its measured width.
  font_set(3);
  const int width = font_text_width("TAP CHANGE NAME TO MODIFY", 1);
  int lo = 800, hi = -1, differing = 0;
  for (int i = 0; i < kBandW * kBandH; ++i) {
    if (empty_word[i] == zed[i]) continue;
    ++differing;
    const int x = kBandX + i % kBandW;
    lo = std::min(lo, x);
    hi = std::max(hi, x);
  }
  EXPECT_GT(differing, 200);
  EXPECT_GE(lo, 400 - width / 2);
  EXPECT_LE(hi, 400 - width / 2 + width);
  EXPECT_LT(lo, 400 - width / 2 + 20);
  EXPECT_GT(hi, 400 + width / 2 - 20);
}

// The stored placeholder name is greeted as no name at all: "WELCOME" alone, centred; a real name
// follows the word.
TEST_F(Welcome, PlaceholderNameIsGreetedWithTheWordAlone) {
  constexpr int kGreetingY = 350, kGreetingH = 30;
  const std::vector<Rgb> empty_word = hint_band("EMPTY", 4, kGreetingY, kGreetingH);
  const std::vector<Rgb> no_name = hint_band("", 4, kGreetingY, kGreetingH);
  const std::vector<Rgb> zed = hint_band("ZED", 4, kGreetingY, kGreetingH);
  ASSERT_EQ(empty_word.size(), static_cast<size_t>(kBandW * kGreetingH));
  EXPECT_EQ(empty_word, no_name);
  EXPECT_NE(empty_word, zed);
}

// Every button in one visit: change name (typing "AL"), high ratings, instructions (a click beside its
// button first, which must not leave), then play held down through the fade-out.
TEST_F(Welcome, ButtonsOpenTheirScreensAndPlayLeavesAfterTheFade) {
  player_name = "EMPTY";
  std::vector<GameScreen> visited;
  // The hint band a few passes after the keyboard returned, and which pass of the screen that was.
  std::vector<Rgb> band_after;
  uint64_t passes = 0, passes_back = 0, pass_after = 0;
  headless_set_swap_hook([&] {
    if (visited.empty() || visited.back() != game_screen) visited.push_back(game_screen);
    if (game_screen != GameScreen::welcome) return;
    if (visited.size() == 3 && ++passes_back == 5) {
      pass_after = passes;
      band_after = read_screen(kBandX, kBandY, kBandW, kBandH);
    }
    ++passes;
  });
  auto key = [](int x, int y) { return Click{GameScreen::name_keyboard, 174 + x + 10, 246 + y + 12}; };
  MouseRobot robot({
      button(kChangeName[0], kChangeName[1]), key(19, 39),  // A
      key(307, 39),                                         // L
      key(343, 39),                                         // done
      button(kHighRatings[0], kHighRatings[1], 60, 8),      // after a few frames with the new name
      Click{GameScreen::stats, 372, 555}, button(kInstructions[0], kInstructions[1]),
      Click{GameScreen::instructions, 200, 300}, Click{GameScreen::instructions, 351, 570},
      Click{GameScreen::instructions, 372, 570},
      button(kPlay[0], kPlay[1], 5000),  // held past the 3.6 s of the fade
  });
  headless_audio_clear_log();
  welcome_screen();
  const uint64_t end_frames = headless_frames();

  ASSERT_EQ(robot.done(), 10u) << "the play click is still held when the screen returns";
  wait_mouse_release(false);
  EXPECT_TRUE(robot.finished());
  const std::vector<GameScreen> expected = {
      GameScreen::welcome, GameScreen::name_keyboard, GameScreen::welcome, GameScreen::stats,
      GameScreen::welcome, GameScreen::instructions,  GameScreen::welcome};
  EXPECT_EQ(visited, expected);
  EXPECT_STREQ(player_name.c_str(), "AL");
  EXPECT_STREQ(high_names(0).c_str(), "AL");

  // The frame that sees the play button presents once more, then 180 frames of fade-out.
  ASSERT_EQ(robot.press_frames().size(), 11u);
  EXPECT_EQ(end_frames - robot.press_frames().back(), 181u);

  // The music starts (at the runtime's normal level, then the game's volume) and fades with the
  // pictures, a step every frame (the first step repeats the start value, which is not sent again),
  // then stops.
  std::vector<int> volumes;
  bool stopped = false;
  for (const HeadlessMusicEvent& e : headless_music_events()) {
    if (e.kind == HeadlessMusicEvent::Volume) volumes.push_back(e.value);
    if (e.kind == HeadlessMusicEvent::Stop) stopped = true;
  }
  EXPECT_TRUE(stopped);
  ASSERT_EQ(volumes.size(), 181u);
  EXPECT_EQ(volumes[0], 1000);
  EXPECT_EQ(volumes[1], 900);
  EXPECT_EQ(volumes[2], 895);
  EXPECT_TRUE(volumes.back() > 0 && volumes.back() <= 5) << volumes.back();
  for (size_t i = 2; i < volumes.size(); ++i) EXPECT_LT(volumes[i], volumes[i - 1]);

  // Back from the keyboard, the greeting shows the new name at once and the hint is gone: the band
  // is the one of a visit with that name on the same pass, not the one with the hint.
  ASSERT_FALSE(band_after.empty());
  EXPECT_EQ(band_after, hint_band("AL", pass_after));
  EXPECT_NE(band_after, hint_band("EMPTY", pass_after));

  // The screen's own pictures are emptied.
  for (int id = 90; id <= 93; ++id) {
    double w = -1, h = -1;
    spr_get_size(id, &w, &h);
    EXPECT_EQ(w, 0) << "sprite " << id;
  }
}

// A new click or Enter during the fade-out after PLAY ends it at once, in the fade's final state: the
// music at its last level and stopped, the screen's pictures emptied.
TEST_F(Welcome, AClickOrEnterDuringTheFadeEndsItAtOnce) {
  for (const bool click : {true, false}) {
    SCOPED_TRACE(click ? "click" : "Enter");
    headless_audio_clear_log();
    MouseRobot robot({button(kPlay[0], kPlay[1], 40)});
    int fade_frames = 0;
    headless_set_swap_hook([&] {
      if (robot.done() < 1 || ++fade_frames != 30) return;
      const double now = headless_time_ms();
      const HeadlessEvent::Kind down = click ? HeadlessEvent::ButtonDown : HeadlessEvent::KeyDown;
      const HeadlessEvent::Kind up = click ? HeadlessEvent::ButtonUp : HeadlessEvent::KeyUp;
      headless_at_ms(0, script_event(down, click ? 0 : 28));
      headless_at_ms(now + 40, script_event(up, click ? 0 : 28));
    });
    welcome_screen();
    headless_set_swap_hook({});
    wait_mouse_release(false);
    EXPECT_GE(fade_frames, 30);
    EXPECT_LE(fade_frames, 34) << "the fade ended at the press, not after 180 frames";
    int last_volume = -1;
    bool stopped = false;
    for (const HeadlessMusicEvent& e : headless_music_events()) {
      if (e.kind == HeadlessMusicEvent::Volume) last_volume = e.value;
      if (e.kind == HeadlessMusicEvent::Stop) stopped = true;
    }
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(last_volume > 0 && last_volume <= 5) << last_volume;
    for (int id = 90; id <= 93; ++id) {
      double w = -1, h = -1;
      spr_get_size(id, &w, &h);
      EXPECT_EQ(w, 0) << "sprite " << id;
    }
  }
}

TEST_F(Welcome, QuitEndsTheProgramThroughTheGoodbyeScreen) {
  EXPECT_EXIT(
      {
        static uint64_t goodbye_from = 0;
        static bool goodbye_seen = false;
        static MouseRobot robot({button(kQuit[0], kQuit[1])});
        headless_set_swap_hook([] {
          if (!goodbye_seen && game_screen == GameScreen::goodbye) {
            goodbye_seen = true;
            goodbye_from = headless_frames();
          }
        });
        std::atexit([] {
          std::fprintf(stderr, "goodbye frames %llu\n",
                       static_cast<unsigned long long>(headless_frames() - goodbye_from));
        });
        welcome_screen();
        std::exit(42);  // the welcome screen returned
      },
      ::testing::ExitedWithCode(0), "goodbye frames 230\n");
}

}  // namespace

namespace {

// The title animation's two copies, as the welcome and win screens start them: once both show, every
// frame shows for four steps (the last frame too) and the copies stay their whole number of frames
// apart, changing on the same steps, through many turns of the animation.
TEST(TitleAnimationCounters, EveryFrameShowsFourStepsAndTheCopiesKeepTheirDistance) {
  for (const auto& [a, b] : {std::pair{100.0, 110.0}, std::pair{100.0, 108.0}}) {
    SCOPED_TRACE("a " + std::to_string(a) + ", b " + std::to_string(b));
    TitleAnimation animation{a, b};
    const int distance = static_cast<int>(b - a);
    int shown = 0, run = 0, last = -1;
    for (int step = 1; step <= 2000; ++step) {
      animation.step();
      const int fa = static_cast<int>(animation.a), fb = static_cast<int>(animation.b);
      ASSERT_LE(fa, 120);
      ASSERT_LE(fb, 120);
      if (fa < 101) continue;  // the first copy before its first frame
      ASSERT_GE(fb, 101);
      EXPECT_EQ(((fb - fa) % 20 + 20) % 20, distance) << "step " << step;
      if (fa == last) {
        ++run;
        continue;
      }
      if (last >= 0) {
        EXPECT_EQ(run, 4) << "frame " << last << " before step " << step;
      }
      last = fa, run = 1, ++shown;
    }
    EXPECT_GT(shown, 400);
  }
}

}  // namespace
