// The name keyboard driven by mouse clicks at its keys: what each sequence of clicks leaves in
// player_name and high_names(0), and the cursor bar that shows only while there is room.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "engine/media/sprites.h"
#include "engine/platform/headless.h"
#include "game/screen_driver_helpers.h"
#include "game/shell/name_keyboard.h"
#include "support/app_test_helpers.h"

namespace {

using namespace screen_driver;

// The welcome screen opens the keyboard with its key caps at (174, 246).
constexpr int kOx = 174, kOy = 246;

// A click inside the key for `key`: a letter, ' ' (space), '<' (delete) or '.' (done).
Click key_click(char key, double hold_ms = 60) {
  static const char* rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  int x = 289, y = 77;  // space
  if (key == '<') x = 361, y = 1;
  if (key == '.') x = 343, y = 39;
  for (int r = 0; r < 3; ++r)
    if (const char* at = key != ' ' ? std::strchr(rows[r], key) : nullptr)
      x = 1 + 18 * r + 36 * static_cast<int>(at - rows[r]), y = 1 + 38 * r;
  return Click{GameScreen::name_keyboard, kOx + x + 12, kOy + y + 14, hold_ms};
}

std::vector<Click> typed(const std::string& keys) {
  std::vector<Click> clicks;
  for (char k : keys) clicks.push_back(key_click(k));
  return clicks;
}

class NameKeyboard : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(start_game_app()); }
  void TearDown() override {
    headless_set_swap_hook({});
    remove_private_temp_dir();
  }
};

TEST_F(NameKeyboard, ClickSequencesGiveTheExpectedName) {
  // Between Q and W, between the rows, left of delete: no key there.
  std::vector<Click> gaps = typed("Q");
  for (const auto& [x, y] : {std::pair{32, 10}, {100, 34}, {358, 10}})
    gaps.push_back(Click{GameScreen::name_keyboard, kOx + x, kOy + y});
  gaps.push_back(key_click('.'));
  struct Case {
    const char* what;
    std::vector<Click> clicks;
    const char* expected;
  };
  const Case cases[] = {
      {"done at once", typed("."), "NAMELESS"},
      {"eleven letters keep ten", typed("ABCDEFGHIJK."), "ABCDEFGHIJ"},
      {"blanks only stay", typed("  ."), "  "},
      {"three deletes empty AB", typed("AB<<<."), "NAMELESS"},
      {"typing goes on after emptying", typed("AB<<<C."), "C"},
      {"delete takes the last", typed("ABC<D."), "ABD"},
      {"space counts to the ten", typed("A B C D E F."), "A B C D E "},
      {"top row", typed("QWERTYUIOP."), "QWERTYUIOP"},
      {"middle row", typed("ASDFGHJKL."), "ASDFGHJKL"},
      {"bottom row", typed("ZXCVBNM."), "ZXCVBNM"},
      {"clicks between keys type nothing", gaps, "Q"},
      {"a long hold types one letter", {key_click('Z', 1500), key_click('.')}, "Z"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    player_name = "OLD NAME";  // every visit starts from an empty name
    high_names(0) = "OLD NAME";
    MouseRobot robot(c.clicks);
    name_keyboard(kOx, kOy);
    EXPECT_TRUE(robot.finished()) << robot.done() << " of " << c.clicks.size() << " clicks";
    EXPECT_STREQ(player_name.c_str(), c.expected);
    EXPECT_STREQ(high_names(0).c_str(), c.expected);
    double w = -1, h = -1;
    spr_get_size(94, &w, &h);  // the key picture's slot is emptied
    EXPECT_EQ(w + h, 0);
  }
}

// The bar under the next free place flickers in colours of 40..100 per component while fewer than
// ten characters are typed, and is gone once the tenth is.
TEST_F(NameKeyboard, CursorBarShowsOnlyWhileThereIsRoom) {
  // Per name length: the bar's colours seen in frames drawn with that length, and how often it was off.
  std::set<std::vector<int>> colours[11];
  int off[11] = {};
  unsigned last_len = 99;
  headless_set_swap_hook([&] {
    const unsigned len = player_name.length;
    if (len == last_len) {  // the frame was drawn with this length
      const Rgb c = read_pixel(kOx + 110 + 24 * static_cast<int>(len) + 7, kOy - 21);
      if (c.black()) ++off[len];
      else colours[len].insert({c.r, c.g, c.b});
    }
    last_len = len;
  });
  std::vector<Click> clicks = typed("ABCDEFGHIJ<.");
  for (size_t i : {0, 9, 10, 11}) clicks[i].settle_frames = 12;
  MouseRobot robot(clicks);
  name_keyboard(kOx, kOy);
  ASSERT_TRUE(robot.finished());

  for (int len = 0; len <= 9; ++len) {
    EXPECT_EQ(off[len], 0) << len;
    for (const std::vector<int>& c : colours[len])
      for (int v : c) EXPECT_TRUE(v >= 40 && v <= 100) << "length " << len << ": " << v;
  }
  EXPECT_GE(colours[0].size(), 5u);  // flickering through the first settle
  EXPECT_GE(colours[9].size(), 10u);
  EXPECT_TRUE(colours[10].empty());
  EXPECT_GE(off[10], 10);
}

}  // namespace
