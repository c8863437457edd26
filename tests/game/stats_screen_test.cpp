// The stats screen run headless on the game's own media: how its button is taken, what it draws, the
// rating entered and saved on Quit, and the round's update that leads to it.
#include "engine/platform/gl_headers.h"
#include <gtest/gtest.h>

#include <cstdio>
#include <gmock/gmock.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "engine/app/app.h"
#include "engine/core/input.h"
#include "engine/core/random.h"
#include "engine/core/timer.h"
#include "engine/media/font.h"
#include "engine/media/music.h"
#include "engine/media/sound.h"
#include "engine/media/sprites.h"
#include "game/high_ratings_helpers.h"
#include "game/round/game_rating.h"
#include "game/state/high_ratings_file.h"
#include "game/state/high_ratings_table.h"
#include "game/state/round_state.h"
#include "game/shell/stats_screen.h"
#include "game/state/game_state.h"
#include "game/shell/media_slots.h"
#include "support/app_test_helpers.h"

namespace {

const Entries kTable = {{0, "EMPTY"},    {96.8, "ELLIE"},  {74.2, "ARTHUR"}, {55.6, "PRIYA"},
                        {38.9, "TOMMY"}, {21.3, "MAGGIE"}, {9.5, "SAM"}};

// Set while a screen that must return runs: an ending program then fails the test instead of passing
// it with exit status 0.
bool g_must_return = false;

struct Pixel {
  uint8_t r, g, b;
  bool operator==(const Pixel&) const = default;
};

// One presented frame as read back from the back buffer.
struct Frame {
  std::vector<uint8_t> rgba;  // bottom row first
  Pixel at(int x, int y) const {
    const uint8_t* p = &rgba[(size_t(599 - y) * 800 + size_t(x)) * 4];
    return {p[0], p[1], p[2]};
  }
  // Pixels of the rectangle [x0, x1) x [y0, y1) for which differs(x, y) holds.
  template <typename Differs>
  int count(int x0, int y0, int x1, int y1, Differs differs) const {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += differs(x, y);
    return n;
  }
  int count_not(int x0, int y0, int x1, int y1, Pixel c) const {
    return count(x0, y0, x1, y1, [&](int x, int y) { return !(at(x, y) == c); });
  }
  int count_differing(const Frame& other, int x0, int y0, int x1, int y1) const {
    return count(x0, y0, x1, y1, [&](int x, int y) { return !(at(x, y) == other.at(x, y)); });
  }
};

Frame grab_back_buffer() {
  Frame f;
  f.rgba.resize(800 * 600 * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, f.rgba.data());
  return f;
}

// Script events due a number of frames or milliseconds from now.
void at_frame(uint64_t frames_from_now, HeadlessEvent::Kind kind, int a = 0, int b = 0) {
  headless_at_frame(headless_frames() + frames_from_now, script_event(kind, a, b));
}
void at_ms(double ms_from_now, HeadlessEvent::Kind kind, int a = 0) {
  headless_at_ms(headless_time_ms() + ms_from_now, script_event(kind, a));
}

class StatsScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    static const bool guard = [] {
      std::atexit([] {
        if (g_must_return) {
          std::fputs("the program ended inside a screen that should have returned\n", stderr);
          std::_Exit(99);
        }
      });
      return true;
    }();
    (void)guard;
    ASSERT_TRUE(start_headless_app());
    folder_ = enter_test_folder("Media");
    link_media_files();
    dim_game_arrays();
    load_media();
    inp_mouse_show(1);
    high_table_to_globals(make_table(kTable));
    player_name = "NAMELESS";
    game_stats(0) = 8.2;
    game_stats(1) = 1;
    game_stats(5) = 1;
    rnd_seed(7);
  }
  void TearDown() override {
    g_must_return = false;
    headless_set_swap_hook({});
    leave_test_folder();
    remove_private_temp_dir();
  }
  // Runs a screen that must return.
  template <typename F>
  void run_returning(F screen) {
    g_must_return = true;
    screen();
    g_must_return = false;
  }
  void expect_quit_saves(const std::function<void()>& quit);
  std::string highs_path() const { return folder_ + high_ratings_file_name().c_str(); }
  std::string folder_;
};

TEST_F(StatsScreen, ContinueIsTakenByALeftClickInItsBoxOrByEnter) {
  struct Case {
    const char* what;
    std::function<void()> script;
    int first_frame;  // the frame from the start whose input takes the button
    double first_ms;  // ... and the virtual time before which it must not return
  };
  const Case cases[] = {
      // Clicks just right of the box, just below it, and the right button inside it do nothing; the
      // left button on the box's last pixel takes it.
      {"clicks",
       [] {
         at_frame(2, HeadlessEvent::Mouse, 448, 560);
         at_frame(3, HeadlessEvent::ButtonDown, 0);
         at_frame(4, HeadlessEvent::ButtonUp, 0);
         at_frame(5, HeadlessEvent::Mouse, 400, 577);
         at_frame(6, HeadlessEvent::ButtonDown, 0);
         at_frame(7, HeadlessEvent::ButtonUp, 0);
         at_frame(8, HeadlessEvent::Mouse, 400, 560);
         at_frame(9, HeadlessEvent::ButtonDown, 1);
         at_frame(10, HeadlessEvent::ButtonUp, 1);
         at_frame(12, HeadlessEvent::Mouse, 447, 576);
         at_frame(13, HeadlessEvent::ButtonDown, 0);
       },
       13, 0},
      // Enter still held from the screen before is waited out; pressed again it takes the button.
      {"Enter",
       [] {
         at_ms(0, HeadlessEvent::KeyDown, 28);
         at_ms(200, HeadlessEvent::KeyUp, 28);
         at_ms(400, HeadlessEvent::KeyDown, 28);
       },
       10, 400},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    game_screen = GameScreen::none;
    const uint64_t frames0 = headless_frames();
    const double ms0 = headless_time_ms();
    c.script();
    run_returning([] { stats_screen(1); });
    EXPECT_GE(headless_frames() - frames0, uint64_t(c.first_frame));
    EXPECT_LE(headless_frames() - frames0, uint64_t(c.first_frame + 3));
    EXPECT_GE(headless_time_ms() - ms0, c.first_ms);
    EXPECT_EQ(game_screen, GameScreen::stats);
    double w = -1, h = -1;
    spr_get_size(sprite::stats_title, &w, &h);
    EXPECT_EQ(w, 0) << "the title picture's slot is emptied";
    EXPECT_EQ(snd_is_playing(sound::click * 256), 1) << "the click sounds";
    EXPECT_EQ(globals_entries(), kTable);  // the continue screen enters nothing
    EXPECT_EQ(game_stats(0), 8.2);
    EXPECT_FALSE(file_exists(highs_path()));
    // Everything up again for the next case.
    headless_clear_script();
    at_ms(0, HeadlessEvent::ButtonUp, 0);
    at_ms(0, HeadlessEvent::KeyUp, 28);
    frame_idle();
  }
}

TEST_F(StatsScreen, AmbiencePlaysOnlyWithoutMusicAndStopsWhenTheButtonIsTaken) {
  sound_channel = 77;
  at_frame(5, HeadlessEvent::KeyDown, 28);
  run_returning([] { stats_screen(1); });
  EXPECT_EQ(sound_channel, sound::ambience * 256);
  EXPECT_EQ(snd_is_playing(sound::ambience * 256), 0) << "stopped with every other sound";

  music_play("brakka.mp3", 1);
  ASSERT_EQ(music_is_playing(), 1);
  sound_channel = 77;
  at_ms(0, HeadlessEvent::KeyUp, 28);
  at_frame(5, HeadlessEvent::KeyDown, 28);
  run_returning([] { stats_screen(1); });
  EXPECT_EQ(sound_channel, 77) << "the music plays on, no ambience";
  EXPECT_EQ(music_is_playing(), 1);
}

// The frame as drawn: the lines and the rating frame in their colours, the rating line inside the
// frame, the counts beside their labels and the six table rows in their rows.
TEST_F(StatsScreen, DrawsTheStatsTheRatingLineAndTheTableRows) {
  // Two runs on the same star field: the second with an empty table, so that the table's rows are
  // exactly where the two frames differ.
  Frame frames[2];
  for (int run = 0; run < 2; ++run) {
    if (run == 1) {
      for (int k = 1; k <= 6; ++k) {
        high_names(k) = "";
        high_ratings(k) = 0;
      }
    }
    rnd_seed(7);
    int swaps = 0;
    headless_set_swap_hook([&] {
      if (++swaps == 3) frames[run] = grab_back_buffer();
    });
    at_ms(0, HeadlessEvent::KeyUp, 28);
    at_frame(5, HeadlessEvent::KeyDown, 28);
    run_returning([] { stats_screen(1); });
    headless_set_swap_hook({});
    ASSERT_EQ(frames[run].rgba.size(), 800u * 600u * 4);
  }
  const Frame& f = frames[0];

  const Pixel line{140, 90, 100}, frame_colour{100, 200, 200}, inside{4, 4, 4}, black{0, 0, 0};
  EXPECT_EQ(f.count_not(258, 363, 532, 364, line), 0);
  EXPECT_EQ(f.count_not(258, 365, 532, 366, line), 0);
  EXPECT_EQ(f.count_not(330, 168, 472, 169, line), 0);

  font_set(font::hint);
  const int half = font_text_width("NAMELESS THIS GAME RATING IS: 8.2", 1) / 2 + 10;
  ASSERT_GT(half, 100);
  EXPECT_EQ(f.count_not(400 - half, 264, 400 + half, 265, frame_colour), 0) << "top edge";
  EXPECT_EQ(f.count_not(400 - half, 295, 400 + half, 296, frame_colour), 0) << "bottom edge";
  EXPECT_EQ(f.count_not(400 - half, 264, 401 - half, 296, frame_colour), 0) << "left edge";
  EXPECT_EQ(f.count_not(399 + half, 264, 400 + half, 296, frame_colour), 0) << "right edge";
  // The rating line lies inside the frame, centred: ink on both halves, a clear margin at both ends.
  EXPECT_EQ(f.count_not(401 - half, 265, 403 - half, 295, inside), 0);
  EXPECT_EQ(f.count_not(397 + half, 265, 399 + half, 295, inside), 0);
  EXPECT_GT(f.count_not(403 - half, 265, 400, 295, inside), 300);
  EXPECT_GT(f.count_not(400, 265, 397 + half, 295, inside), 100);

  // The counts and their labels (stars are a few pixels; text is hundreds).
  EXPECT_GT(f.count_not(365, 175, 425, 235, black), 150) << "labels";
  for (int i = 0; i < 4; ++i) EXPECT_GT(f.count_not(430, 175 + 15 * i, 446, 190 + 15 * i, black), 12) << i;

  // Rows: every one differs between the two runs in its name column and its rating column, and
  // nothing outside the rows differs.
  for (int k = 1; k <= 6; ++k) {
    SCOPED_TRACE(k);
    const int y = 22 * k + 360;
    EXPECT_GT(f.count_differing(frames[1], 300, y, 460, y + 22), 80) << "name";
    EXPECT_GT(f.count_differing(frames[1], 460, y, 560, y + 22), 40) << "rating";
  }
  EXPECT_EQ(f.count_differing(frames[1], 0, 0, 800, 382), 0);
  EXPECT_EQ(f.count_differing(frames[1], 0, 382 + 22 * 6 + 2, 800, 600), 0);
  EXPECT_EQ(f.count_differing(frames[1], 0, 382, 300, 600), 0);
}

// The quit screen enters the game's rating under the player's name and, when Quit is taken, saves
// the table and goes on to the goodbye screen, which ends the program.
void StatsScreen::expect_quit_saves(const std::function<void()>& quit) {
  ::unlink(highs_path().c_str());
  EXPECT_EXIT(
      {
        game_stats(0) = 50.5;
        player_name = "NEWBIE";
        quit();
        headless_set_swap_hook([] {
          static bool said = false;
          if (said || game_screen != GameScreen::goodbye) return;
          said = true;
          std::fprintf(stderr, "goodbye screen reached\n");
        });
        stats_screen(2);
        std::exit(42);
      },
      ::testing::ExitedWithCode(0), "goodbye screen reached");
  HighTable saved = starting_high_table();
  ASSERT_EQ(read_high_ratings(Str(highs_path().c_str()), saved), kHighEntries);
  const Entries expected = {{0, "EMPTY"},     {96.8, "ELLIE"}, {74.2, "ARTHUR"}, {55.6, "PRIYA"},
                            {50.5, "NEWBIE"}, {38.9, "TOMMY"}, {21.3, "MAGGIE"}};
  EXPECT_EQ(entries_of(saved), expected);
}

TEST_F(StatsScreen, QuitByEnterEntersTheRatingSavesTheTableAndSaysGoodbye) {
  expect_quit_saves([] { at_ms(300, HeadlessEvent::KeyDown, 28); });
}

TEST_F(StatsScreen, QuitByClickEntersTheRatingSavesTheTableAndSaysGoodbye) {
  expect_quit_saves([] {
    at_frame(4, HeadlessEvent::Mouse, 360, 550);
    at_frame(5, HeadlessEvent::ButtonDown, 0);
  });
}

TEST_F(StatsScreen, ClosingTheWindowOnTheQuitScreenWritesNothing) {
  EXPECT_EXIT(
      {
        game_stats(0) = 500;
        at_frame(5, HeadlessEvent::Close);
        stats_screen(2);
        std::exit(42);
      },
      ::testing::ExitedWithCode(0), ::testing::Not(::testing::HasSubstr("goodbye")));
  EXPECT_FALSE(file_exists(highs_path()));
}

TEST_F(StatsScreen, UpdateAfterARoundRatesItAndShowsTheStats) {
  dim_game_arrays();
  high_table_to_globals(make_table(kTable));
  game_stats(7) = 10;  // won by 10
  round_result = sprite::you_win;
  round_difficulty = 1;
  GameScreen shown = GameScreen::none;
  double rating_shown = 0;
  headless_set_swap_hook([&] {
    shown = game_screen;
    rating_shown = game_stats(0);
  });
  at_frame(3, HeadlessEvent::KeyDown, 28);
  run_returning([] { update_game_stats(); });
  EXPECT_EQ(shown, GameScreen::stats);
  EXPECT_EQ(rating_shown, 8.2) << "rated before the screen is shown";
  EXPECT_EQ(game_stats(6), 6);
  EXPECT_EQ(game_stats(7), 1);
}

}  // namespace
