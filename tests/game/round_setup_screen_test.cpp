// The round set-up screen, driven by scripted mouse events: both answers, what they set, the held
// click that must not answer the second question, the right button that answers nothing, the title
// pulse and the texts of the first question.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/core/str.h"
#include "engine/media/draw.h"
#include "engine/media/font.h"
#include "engine/platform/headless_audio.h"
#include "game/game_test_helpers.h"
#include "game/screen_test_helpers.h"
#include "game/state/game_state.h"
#include "game/shell/round_setup_screen.h"
#include "support/app_test_helpers.h"

namespace {

class RoundSetupScreen : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(start_game_app()); }
  void TearDown() override {
    headless_set_swap_hook({});
    remove_private_temp_dir();
  }
};

// Points inside the two buttons (x 256 and 448, y 410, 96 x 36 each).
constexpr int kLeftX = 300, kRightX = 492, kButtonY = 428;
const char* const kYourTotal = " Previous          Your total";
const char* const kMyTotal = " Previous            My total";

struct Case {
  const char* what;
  int order_x;      // first (left) or second (right)
  int direction_x;  // horizontal (left) or vertical (right)
  double kind1, kind2, dir1, dir2;
  const char* label1;
  const char* label2;
};

const Case kCases[] = {
    {"first, horizontal", kLeftX, kLeftX, 1, 2, 2, 1, kYourTotal, kMyTotal},
    {"first, vertical", kLeftX, kRightX, 1, 2, 1, 2, kYourTotal, kMyTotal},
    {"second, horizontal", kRightX, kLeftX, 2, 1, 1, 2, kMyTotal, kYourTotal},
    {"second, vertical", kRightX, kRightX, 2, 1, 2, 1, kMyTotal, kYourTotal},
};

struct PulseSample {
  double at_ms, value, step;
};

TEST_F(RoundSetupScreen, AnswersSetKindsDirectionsAndCaptions) {
  // One blank in front; 10 blanks before "Your", 12 before "My"; 29 characters each.
  EXPECT_EQ(std::string(kYourTotal), " Previous" + std::string(10, ' ') + "Your total");
  EXPECT_EQ(std::string(kMyTotal), " Previous" + std::string(12, ' ') + "My total");
  EXPECT_EQ(std::strlen(kYourTotal), 29u);
  EXPECT_EQ(std::strlen(kMyTotal), 29u);
  current_block = 3;
  std::vector<PulseSample> pulse;
  headless_set_swap_hook([&] { pulse.push_back({headless_time_ms(), scratch, pulse_step}); });

  double first_release = 0;
  for (size_t n = 0; n < std::size(kCases); ++n) {
    const Case& c = kCases[n];
    SCOPED_TRACE(c.what);
    // Stale answers from the case before must be overwritten.
    player_kind(1) = player_kind(2) = player_dir(1) = player_dir(2) = 9;
    const double t0 = headless_time_ms();
    // The first case keeps the first question open for 4 s, long enough for the title to pulse.
    const double wait = n == 0 ? 4000 : 0;
    // The right button alone, pressed over either button, answers nothing.
    move_at_ms(t0 + 100, kLeftX, kButtonY);
    button_at_ms(t0 + 120, 1, true);
    button_at_ms(t0 + 160, 1, false);
    move_at_ms(t0 + 200, kRightX, kButtonY);
    button_at_ms(t0 + 220, 1, true);
    button_at_ms(t0 + 260, 1, false);
    // The first answer, its button held for 600 ms: the pointer stays over the same side, where
    // the second question has a button too.
    const double answer1 = t0 + wait + 400;
    move_at_ms(answer1 - 20, c.order_x, kButtonY);
    button_at_ms(answer1, 0, true);
    const double release1 = answer1 + 600;
    button_at_ms(release1, 0, false);
    // The second answer, a second after the release.
    const double answer2 = release1 + 1000;
    move_at_ms(answer2 - 20, c.direction_x, kButtonY);
    button_at_ms(answer2, 0, true);
    const double release2 = answer2 + 80;
    button_at_ms(release2, 0, false);
    if (n == 0) first_release = release1;

    headless_audio_clear_log();
    round_setup_screen();

    EXPECT_EQ(game_screen, GameScreen::round_setup);
    EXPECT_GE(headless_time_ms(), release2) << "left before both buttons were up";
    EXPECT_EQ(player_kind(1), c.kind1);
    EXPECT_EQ(player_kind(2), c.kind2);
    EXPECT_EQ(player_dir(1), c.dir1);
    EXPECT_EQ(player_dir(2), c.dir2);
    EXPECT_STREQ(total_labels(1).c_str(), c.label1);
    EXPECT_STREQ(total_labels(2).c_str(), c.label2);
    // One click sound per answer, each within two frames of its click (the press is read on the next
    // frame, the sound follows that frame): none for the right button, none for the held click in the
    // second question.
    const auto& plays = headless_audio_plays();
    ASSERT_EQ(plays.size(), 2u);
    EXPECT_GE(plays[0].at_ms, answer1);
    EXPECT_LT(plays[0].at_ms, answer1 + 45);
    EXPECT_GE(plays[1].at_ms, answer2);
    EXPECT_LT(plays[1].at_ms, answer2 + 45);
  }
  headless_set_swap_hook({});

  // The title pulse of the first question of the first case: within 0.3..1.0 but for the one frame
  // that crosses a limit, on which the step turns; steps of 0.015 either way.
  double low = 1, high = 0;
  int frames = 0;
  for (size_t k = 1; k < pulse.size() && pulse[k].at_ms < first_release; ++k) {
    const PulseSample& was = pulse[k - 1];
    const PulseSample& now = pulse[k];
    ++frames;
    low = std::min(low, now.value);
    high = std::max(high, now.value);
    EXPECT_NEAR(now.value - was.value, was.step, 1e-9) << "frame " << k;
    EXPECT_DOUBLE_EQ(std::abs(now.step), 0.015);
    const bool outside = now.value < 0.3 || now.value > 1.0;
    EXPECT_EQ(now.step == -was.step, outside) << "frame " << k << " value " << now.value;
    if (outside) {
      EXPECT_FALSE(was.value < 0.3 || was.value > 1.0) << "two frames outside, frame " << k;
      EXPECT_GE(now.value, 0.3 - 0.015 - 1e-9);
      EXPECT_LE(now.value, 1.0 + 0.015 + 1e-9);
    }
  }
  EXPECT_GT(frames, 150);
  EXPECT_GT(high, 1.0);  // both limits were reached
  EXPECT_LT(low, 0.3);
}

// The three lines about the block, centred with proportional spacing in font 5, against the same
// texts printed by hand: block 4 is HARD, block 5 EASY.
TEST_F(RoundSetupScreen, FirstQuestionNamesTheBlockAndItsDifficulty) {
  struct Block {
    int number;
    const char* lines[3];
    const char* wrong_difficulty;
  };
  const Block cases[] = {
      {4, {"BLOCK: 4", "THE SWISS RE BUILDING", "DIFFICULTY: HARD"}, "DIFFICULTY: EASY"},
      {5, {"BLOCK: 5", "TRAFALGAR SQUARE", "DIFFICULTY: EASY"}, "DIFFICULTY: HARD"},
  };
  for (const Block& b : cases) {
    SCOPED_TRACE(b.number);
    current_block = b.number;
    const uint64_t f0 = headless_frames();
    ScreenRect band;
    headless_set_swap_hook([&] {
      if (headless_frames() == f0 + 1) band = read_screen(0, 70, 800, 130);  // first full frame
    });
    // Releases are timed: the release waits present no frames.
    const double t = headless_time_ms();
    move_at_ms(t + 50, kLeftX, kButtonY);
    button_at_ms(t + 60, 0, true);
    button_at_ms(t + 100, 0, false);
    move_at_ms(t + 1000, kRightX, kButtonY);
    button_at_ms(t + 1010, 0, true);
    button_at_ms(t + 1050, 0, false);
    round_setup_screen();
    headless_set_swap_hook({});

    auto printed = [&](const char* difficulty) {
      draw_clear_screen(0);
      font_set(5);
      draw_alpha_mode(0);
      const double ys[3] = {80, 120, 160};
      for (int k = 0; k < 3; ++k) {
        const Str text = k == 2 ? difficulty : b.lines[k];
        font_print(text, 400 - font_text_width(text, 1) / 2, ys[k], 1);
      }
      return read_screen(0, 70, 800, 130);
    };
    const ScreenRect right = printed(b.lines[2]);
    const ScreenRect wrong = printed(b.wrong_difficulty);
    ASSERT_NE(right, wrong);
    EXPECT_EQ(band, right);
  }
}

}  // namespace
