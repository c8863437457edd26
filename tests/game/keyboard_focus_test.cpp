// Every screen's buttons by keyboard and game pad: the focus's start, its order and ends, the keys
// and pad buttons that press; the name typed on the real keyboard or picked with the pad; the focus
// ring and the lit key as they are drawn.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/platform/headless.h"
#include "engine/platform/headless_audio.h"
#include "engine/platform/platform.h"
#include "game/round/round_end.h"
#include "game/round/round_state.h"
#include "game/round/stats_screen.h"
#include "game/screen_driver_helpers.h"
#include "game/shell/focus_ring.h"
#include "game/shell/game_keys.h"
#include "game/shell/instructions_screen.h"
#include "game/shell/lose_screen.h"
#include "game/shell/main_menu.h"
#include "game/shell/main_screen.h"
#include "game/shell/name_keyboard.h"
#include "game/shell/round_setup_screen.h"
#include "game/shell/welcome_screen.h"
#include "game/shell/win_screen.h"
#include "support/app_test_helpers.h"

namespace {

using namespace screen_driver;
using S = GameScreen;

constexpr int kShift = 1;  // marks Shift+Tab in the lists below

// A key tapped on a screen; a letter (or blank, or '<' for Backspace) typed on it.
Click key(S screen, int code, int shift = 0) { return tap(screen, code, 0, shift == kShift); }
Click typed(char c) {
  static const char* const rows[3] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  static const int first[3] = {16, 30, 44};
  int code = c == ' ' ? kKeySpace : c == '<' ? 14 : 2;  // 2: a digit's key
  for (int r = 0; r < 3; ++r)
    for (int i = 0; rows[r][i]; ++i)
      if (rows[r][i] == (c & ~0x20)) code = first[r] + i;
  return tap(S::name_keyboard, code, c == '<' ? 8 : c);
}
std::vector<Click> typing(const std::string& text) {
  std::vector<Click> clicks;
  for (char c : text) clicks.push_back(typed(c));
  return clicks;
}

class KeyboardFocus : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(start_game_app()); }
  void TearDown() override {
    headless_set_swap_hook({});
    remove_private_temp_dir();
  }
};

// The screens visited while a screen ran (each screen entered, in order).
std::string visits_while(const std::function<void()>& run) {
  std::string visited;
  GameScreen last = GameScreen::none;
  headless_set_swap_hook([&] {
    if (game_screen == last) return;
    last = game_screen;
    visited += std::string(visited.empty() ? "" : ",") + game_screen_name(game_screen);
  });
  run();
  headless_set_swap_hook({});
  return visited;
}

std::string setup_answers() {
  round_setup_screen();
  const int human = player_kind(1) == 1 ? 1 : 2;
  return std::string(human == 1 ? "first" : "second") + (player_dir(human) == 2 ? " horizontal" : " vertical");
}

TEST_F(KeyboardFocus, EveryScreensButtonsByKeysAndPad) {
  Click held_enter = key(S::round_setup, kKeyEnter);
  held_enter.hold_ms = 600;  // still down when the second question comes up
  struct Case {
    const char* what;
    std::function<std::string()> run;
    std::vector<Click> clicks;
    std::string expected;
  };
  const auto menu = [] {
    main_menu();
    return std::string(menu_choice == 1 ? "continue" : "quit");
  };
  const auto welcome = [] { return visits_while(welcome_screen); };
  const auto left = [](void (*screen)()) {
    return [screen] {
      screen();
      return std::string("left");
    };
  };
  const Case cases[] = {
      {"menu: Enter takes CONTINUE", menu, {key(S::main_menu, kKeyEnter)}, "continue"},
      {"menu: Right, Enter", menu, {key(S::main_menu, kKeyRight), key(S::main_menu, kKeyEnter)}, "quit"},
      {"menu: the focus stops at both ends",
       menu,
       {key(S::main_menu, kKeyDown), key(S::main_menu, kKeyRight), key(S::main_menu, kKeyLeft),
        key(S::main_menu, kKeyUp), key(S::main_menu, kKeyLeft), key(S::main_menu, kKeySpace)},
       "continue"},
      {"menu: Tab, Shift+Tab, Tab", menu,
       {key(S::main_menu, kKeyTab), key(S::main_menu, kKeyTab, kShift), key(S::main_menu, kKeyTab),
        key(S::main_menu, kKeyPadEnter)},
       "quit"},
      {"menu: D-pad and A", menu, {pad(S::main_menu, PadDpRight), pad(S::main_menu, PadA)}, "quit"},
      {"menu: the stick past its dead zone", menu,
       {stick(S::main_menu, PadLeftX, 30000), pad(S::main_menu, PadA)}, "quit"},
      {"menu: the stick within its dead zone, and Start, do nothing", menu,
       {stick(S::main_menu, PadLeftX, 12000), pad(S::main_menu, PadStart), pad(S::main_menu, PadA)},
       "continue"},
      {"set-up: Enter twice walks the default answers", setup_answers,
       {key(S::round_setup, kKeyEnter), key(S::round_setup, kKeyEnter)}, "first horizontal"},
      {"set-up: each question starts on its left button", setup_answers,
       {key(S::round_setup, kKeyRight), key(S::round_setup, kKeyEnter), key(S::round_setup, kKeySpace)},
       "second horizontal"},
      {"set-up: an Enter held into the second question answers only the first", setup_answers,
       {held_enter, pad(S::round_setup, PadDpRight, 20), pad(S::round_setup, PadA)}, "first vertical"},
      {"welcome: Enter plays", welcome, {key(S::welcome, kKeyEnter)}, "welcome"},
      {"welcome: the focus stays on a sub-screen's button",
       welcome,
       {key(S::welcome, kKeyLeft), key(S::welcome, kKeyEnter), key(S::stats, kKeySpace),
        key(S::welcome, kKeyRight), key(S::welcome, kKeyEnter)},
       "welcome,stats,welcome"},
      {"welcome: Shift+Tab to CHANGE NAME, a name, Tab back to PLAY",
       welcome,
       {key(S::welcome, kKeyTab, kShift), key(S::welcome, kKeyTab, kShift), key(S::welcome, kKeySpace),
        typed('Z'), key(S::name_keyboard, kKeyEnter), key(S::welcome, kKeyTab), key(S::welcome, kKeyTab),
        pad(S::welcome, PadA)},
       "welcome,name keyboard,welcome"},
      {"instructions: Tab and Right stay, Space takes CONTINUE", left(instructions_screen),
       {key(S::instructions, kKeyTab), key(S::instructions, kKeyRight), key(S::instructions, kKeySpace)},
       "left"},
      {"lose: A", left(lose_screen), {pad(S::lose, PadA)}, "left"},
      {"win: Enter", left(win_screen), {key(S::win, kKeyEnter)}, "left"},
      {"stats: Start", [] { stats_screen(1); return std::string("left"); }, {pad(S::stats, PadStart)}, "left"},
      {"round end: a press before CONTINUE shows takes nothing; Start then does",
       [] {
         const uint64_t f0 = headless_frames();
         round_end_screen();
         return std::string(headless_frames() - f0 > 190 ? "after the fade" : "too early");
       },
       {pad(S::round_end, PadA), key(S::round_end, kKeySpace), pad(S::round_end, PadStart, 200)},
       "after the fade"},
  };
  draw_main_screen(1);  // the win screen prints in the font the main screen leaves
  set_players(true, true);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    player_name = "";
    totals(1) = 7;
    totals(2) = 3;
    MouseRobot robot(c.clicks);
    EXPECT_EQ(c.run(), c.expected);
    EXPECT_TRUE(robot.finished()) << robot.done() << " of " << c.clicks.size();
  }
  EXPECT_STREQ(player_name.c_str(), "") << "the last case typed no name";
}

// Typed letters enter the name upper-cased, Backspace deletes, Enter presses the focused key (done
// until the focus moves; typing does not move it); the pad's D-pad walks the keys, A presses.
TEST_F(KeyboardFocus, NameTypedOrPicked) {
  auto with = [](std::vector<Click> clicks, std::initializer_list<Click> more) {
    clicks.insert(clicks.end(), more);
    return clicks;
  };
  const Click enter = key(S::name_keyboard, kKeyEnter);
  const Click a = pad(S::name_keyboard, PadA);
  auto dpad = [](int button) { return pad(S::name_keyboard, button); };
  struct Case {
    const char* what;
    std::vector<Click> clicks;
    const char* expected;
  };
  const Case cases[] = {
      {"letters of either case, then Enter", with(typing("ann B"), {enter}), "ANN B"},
      {"ten letters at most", with(typing("ABCDEFGHIJK"), {enter}), "ABCDEFGHIJ"},
      {"Backspace deletes", with(typing("AB<<<C"), {enter}), "C"},
      {"digits and signs type nothing", with(typing("5Q!"), {enter}), "Q"},
      {"Enter at once", {enter}, "NAMELESS"},
      {"the pad's A after typing presses done", with(typing("XY"), {a}), "XY"},
      {"D-pad: left, up and down between the offset rows",
       {dpad(PadDpLeft), a, dpad(PadDpUp), a, dpad(PadDpDown), dpad(PadDpRight), a},
       "LO"},
      {"Tab and Shift+Tab through the rows",
       {key(S::name_keyboard, kKeyTab), enter, key(S::name_keyboard, kKeyTab, kShift), enter}, "Z"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    headless_audio_clear_log();
    MouseRobot robot(c.clicks);
    name_keyboard(kNameKeyboardX, kNameKeyboardY);
    EXPECT_TRUE(robot.finished()) << robot.done() << " of " << c.clicks.size();
    EXPECT_STREQ(player_name.c_str(), c.expected);
    EXPECT_STREQ(high_names(0).c_str(), c.expected);
  }
  // One click sound per key pressed, as for a click on it: Z and DONE in the last case.
  EXPECT_EQ(headless_audio_plays().size(), 2u);
}

// No ring before a key; the ring round the focused button from the first key until the mouse moves;
// a typed key lit for a few frames.
TEST_F(KeyboardFocus, RingAndLitKeyAsDrawn) {
  auto gold = [](const Button& b) {
    int n = 0;
    const int out = kFocusRingGap + kFocusRingWidth;
    for (const Rgb& p : read_screen(b.x - out, b.y - out, b.w + 2 * out, b.h + 2 * out))
      n += p.r == 255 && p.g == 204 && p.b == 51;
    return n;
  };
  const Button& go_on = kMenuButtons[0];
  const Button& quit = kMenuButtons[1];
  // Per frame: gold pixels round CONTINUE and round QUIT.
  std::vector<std::pair<int, int>> rings;
  headless_set_swap_hook([&] { rings.push_back({gold(go_on), gold(quit)}); });
  Click away{S::main_menu, 100, 100, 40, 10};  // the mouse moves (and clicks the map, which is nothing)
  MouseRobot robot({key(S::main_menu, kKeyRight, 0), away, key(S::main_menu, kKeyLeft), key(S::main_menu, kKeyEnter)});
  main_menu();
  headless_set_swap_hook({});
  ASSERT_TRUE(robot.finished());
  const int ring = 2 * (go_on.w + go_on.h + 4 * (kFocusRingGap + kFocusRingWidth)) * kFocusRingWidth -
                   4 * kFocusRingWidth * kFocusRingWidth;  // the gold frame's pixels
  const std::vector<uint64_t>& at = robot.press_frames();
  const size_t f0 = rings.size() - (headless_frames() - at[0]);  // the frame the Right key went down
  auto frame = [&](uint64_t absolute) { return rings[f0 + (absolute - at[0])]; };
  EXPECT_EQ(frame(at[0] - 1), std::make_pair(0, 0)) << "no ring before a key";
  EXPECT_EQ(frame(at[0] + 2), std::make_pair(0, ring)) << "round QUIT after Right";
  EXPECT_EQ(frame(at[1] + 2), std::make_pair(0, 0)) << "gone when the mouse moved";
  EXPECT_EQ(frame(at[2] + 2), std::make_pair(ring, 0)) << "back, round CONTINUE, with Left";

  // The typed Q is lit, then as before.
  const Button q = name_key(1, kNameKeyboardX, kNameKeyboardY);
  std::vector<int> light;
  headless_set_swap_hook([&] {
    int sum = 0;
    for (const Rgb& p : read_screen(q.x, q.y, q.w, q.h)) sum += p.r + p.g + p.b;
    light.push_back(sum);
  });
  MouseRobot typing_robot({typed('q'), tap(S::name_keyboard, kKeyEnter, 0, false, 15)});
  name_keyboard(kNameKeyboardX, kNameKeyboardY);
  headless_set_swap_hook({});
  ASSERT_GE(light.size(), 12u);
  const size_t typed_at = light.size() - (headless_frames() - typing_robot.press_frames()[0]);
  EXPECT_GT(light[typed_at + 1], light[typed_at - 1] + 10000) << "lit";
  EXPECT_EQ(light[typed_at + 10], light[typed_at - 1]) << "no longer lit";
  EXPECT_STREQ(player_name.c_str(), "Q");
}

}  // namespace
