// Every screen's buttons by keyboard and game pad: the focus's start, its order and ends, the keys and
// pad buttons that press, the ring's showing; the name typed or picked with the pad.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/platform/platform.h"
#include "game/round/round_end.h"
#include "game/screen_driver_helpers.h"
#include "game/shell/game_keys.h"
#include "game/shell/instructions_screen.h"
#include "game/shell/lose_screen.h"
#include "game/shell/main_menu.h"
#include "game/shell/name_keyboard.h"
#include "game/shell/round_setup_screen.h"
#include "game/shell/welcome_screen.h"
#include "support/app_test_helpers.h"

namespace {

using namespace screen_driver;
using S = GameScreen;

Click key(S screen, int code, bool shift = false) { return tap(screen, code, 0, shift); }
// A character typed on the name keyboard ('<' is Backspace).
Click typed(char c) { return tap(S::name_keyboard, c == '<' ? 14 : 30, c == '<' ? 8 : c); }

class KeyboardFocus : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(start_game_app()); }
  void TearDown() override {
    headless_set_swap_hook({});
    remove_private_temp_dir();
  }
};

// The screens entered while `run` ran, in order.
std::string visits_while(const std::function<void()>& run) {
  std::string visited;
  GameScreen last = GameScreen::none;
  headless_set_swap_hook([&] {
    if (game_screen != last)
      visited += std::string(visited.empty() ? "" : ",") + game_screen_name(game_screen);
    last = game_screen;
  });
  run();
  headless_set_swap_hook({});
  return visited;
}

TEST_F(KeyboardFocus, EveryScreensButtonsByKeysAndPad) {
  Click held_enter = key(S::round_setup, kKeyEnter);
  held_enter.hold_ms = 600;  // still down when the second question comes up
  const auto menu = [] {
    main_menu();
    return std::string(menu_choice == 1 ? "continue" : "quit");
  };
  const auto setup = [] {
    round_setup_screen();
    const int human = player_kind(1) == 1 ? 1 : 2;
    return std::string(human == 1 ? "first" : "second") +
           (player_dir(human) == 2 ? " horizontal" : " vertical");
  };
  // The menu's choice after the ring's changes: shown from a key, hidden once the mouse moves.
  const auto menu_ring = [] {
    std::string seen = "hidden";
    headless_set_swap_hook([&] {
      const char* now = screen_focus.shown ? "shown" : "hidden";
      if (seen.substr(seen.rfind(',') + 1) != now) seen += std::string(",") + now;
    });
    main_menu();
    headless_set_swap_hook({});
    return seen + (menu_choice == 2 ? ": quit" : ": continue");
  };
  const auto welcome = [] { return visits_while(welcome_screen); };
  const auto left = [](const std::function<void()>& screen) {
    return [screen] { return visits_while(screen); };
  };
  struct Case {
    const char* what;
    std::function<std::string()> run;
    std::vector<Click> clicks;
    std::string expected;
  };
  const Case cases[] = {
      {"menu: the ring shows from a key until the mouse moves; the focus stays",
       menu_ring,
       {key(S::main_menu, kKeyRight), Click{S::main_menu, 100, 100}, key(S::main_menu, kKeyEnter)},
       "hidden,shown,hidden,shown: quit"},
      {"menu: the focus stops at both ends",
       menu,
       {key(S::main_menu, kKeyDown), key(S::main_menu, kKeyRight), key(S::main_menu, kKeyLeft),
        key(S::main_menu, kKeyUp), key(S::main_menu, kKeyLeft), key(S::main_menu, kKeySpace)},
       "continue"},
      {"menu: Tab, Shift+Tab, Tab",
       menu,
       {key(S::main_menu, kKeyTab), key(S::main_menu, kKeyTab, true), key(S::main_menu, kKeyTab),
        key(S::main_menu, kKeyPadEnter)},
       "quit"},
      {"menu: the stick within its dead zone and Start do nothing; past it, it moves",
       menu,
       {stick(S::main_menu, PadLeftX, 12000), pad(S::main_menu, PadStart),
        stick(S::main_menu, PadLeftX, 30000), pad(S::main_menu, PadA)},
       "quit"},
      {"set-up: Enter twice",
       setup,
       {key(S::round_setup, kKeyEnter), key(S::round_setup, kKeyEnter)},
       "first horizontal"},
      {"set-up: an Enter held into the second question answers only the first; each starts on the left",
       setup,
       {held_enter, pad(S::round_setup, PadDpRight, 20), pad(S::round_setup, PadA)},
       "first vertical"},
      {"welcome: the focus stays on a sub-screen's button",
       welcome,
       {key(S::welcome, kKeyLeft), key(S::welcome, kKeyEnter), key(S::stats, kKeySpace),
        key(S::welcome, kKeyRight), key(S::welcome, kKeyEnter)},
       "welcome,stats,welcome"},
      {"welcome: Shift+Tab twice to CHANGE NAME; Tab twice back to PLAY",
       welcome,
       {key(S::welcome, kKeyTab, true), key(S::welcome, kKeyTab, true), key(S::welcome, kKeySpace),
        typed('z'), key(S::name_keyboard, kKeyEnter), key(S::welcome, kKeyTab), key(S::welcome, kKeyTab),
        pad(S::welcome, PadA)},
       "welcome,name keyboard,welcome"},
      {"instructions: Tab and Right stay; Space",
       left(instructions_screen),
       {key(S::instructions, kKeyTab), key(S::instructions, kKeyRight), key(S::instructions, kKeySpace)},
       "instructions"},
      {"lose: A", left(lose_screen), {pad(S::lose, PadA)}, "lose"},
      {"round end: presses before CONTINUE shows take nothing; Start then does",
       [] {
         const uint64_t f0 = headless_frames();
         round_end_screen();
         return std::string(headless_frames() - f0 > 190 ? "after the fade" : "too early");
       },
       {pad(S::round_end, PadA), key(S::round_end, kKeySpace), pad(S::round_end, PadStart, 200)},
       "after the fade"},
  };
  set_players(true, true);
  totals(1) = 7;  // a won round: its end fades for about 200 frames before CONTINUE shows
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MouseRobot robot(c.clicks);
    EXPECT_EQ(c.run(), c.expected);
    EXPECT_TRUE(robot.finished()) << robot.done() << " of " << c.clicks.size();
  }
  EXPECT_STREQ(player_name.c_str(), "Z");
}

// Typed letters enter the name upper-cased, Backspace deletes, Enter presses the focused key (done
// until the focus moves; typing does not move it); the D-pad walks the offset rows, A presses.
TEST_F(KeyboardFocus, NameTypedOrPicked) {
  auto typing = [](const std::string& text, Click last) {
    std::vector<Click> clicks;
    for (char c : text) clicks.push_back(typed(c));
    clicks.push_back(last);
    return clicks;
  };
  const Click enter = key(S::name_keyboard, kKeyEnter), a = pad(S::name_keyboard, PadA);
  auto dpad = [](int button) { return pad(S::name_keyboard, button); };
  struct Case {
    std::vector<Click> clicks;
    const char* expected;
  };
  const Case cases[] = {
      {typing("ann B", enter), "ANN B"},
      {typing("AB<<<C5!", a), "C"},  // digits and signs type nothing
      {{dpad(PadDpLeft), a, dpad(PadDpUp), a, dpad(PadDpDown), dpad(PadDpRight), a}, "LO"},
      {{key(S::name_keyboard, kKeyTab), enter, key(S::name_keyboard, kKeyTab, true), enter}, "Z"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    MouseRobot robot(c.clicks);
    name_keyboard(kNameKeyboardX, kNameKeyboardY);
    EXPECT_TRUE(robot.finished()) << robot.done() << " of " << c.clicks.size();
    EXPECT_STREQ(high_names(0).c_str(), c.expected);
  }
}

}  // namespace
