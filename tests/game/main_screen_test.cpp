// The main screen: the blocks standing from current_block up, the blinking highlight of the current
// block, the difficulty texts, and the removal and return animations with the ends of the game.
#include <gtest/gtest.h>

#include <vector>

#include "engine/app/app.h"
#include "engine/core/str.h"
#include "engine/media/draw.h"
#include "engine/media/font.h"
#include "engine/media/renderer.h"
#include "engine/media/sprites.h"
#include "game/game_test_helpers.h"
#include "game/screen_test_helpers.h"
#include "game/state/game_state.h"
#include "game/shell/main_screen.h"
#include "game/shell/media_slots.h"
#include "support/app_test_helpers.h"

namespace {

class MainScreen : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(start_game_app()); }
  void TearDown() override {
    headless_set_swap_hook({});
    remove_private_temp_dir();
  }
};

// Runs one animation mode and returns the frames it presented.
uint64_t animate(double mode) {
  const uint64_t before = headless_frames();
  draw_main_screen(mode);
  return headless_frames() - before;
}

// The whole screen after a mode-1 draw (the frame is left unpresented).
ScreenRect drawn_map() {
  frame_show();
  draw_main_screen(1);
  return read_whole_screen();
}

// The map picture alone: any mode other than 1, 2 and 3 draws nothing more.
ScreenRect map_alone() {
  frame_show();
  draw_main_screen(0);
  return read_whole_screen();
}

// The rectangle the blinking highlight fills: the block picture and its one-pixel border.
ScreenRect highlight_area(int i) {
  return read_screen(static_cast<int>(blocks(i).x) + 29, static_cast<int>(blocks(i).y) + 61, 102, 102);
}

bool inside(int px, int py, int x, int y, int w, int h) {
  return px >= x && px < x + w && py >= y && py < y + h;
}

TEST_F(MainScreen, BlocksGoAndComeBackInNinetyEightFramesAndTheGameEnds) {
  renderer_set_blind(true);  // only the counts matter until the end
  // The game's intro takes blocks 1 and 2 off.
  EXPECT_EQ(animate(2), 98u);
  EXPECT_EQ(animate(2), 98u);
  EXPECT_EQ(game_screen, GameScreen::main_screen);
  EXPECT_EQ(current_block, 3);
  for (int i = 1; i <= 8; ++i) EXPECT_EQ(blocks(i).standing, i >= 3 ? 1 : 0) << "block " << i;
  EXPECT_EQ(game_over, 0);

  // A lost round brings block 2 back.
  EXPECT_EQ(animate(3), 98u);
  EXPECT_EQ(current_block, 2);
  EXPECT_EQ(blocks(2).standing, 1);
  EXPECT_EQ(blocks(1).standing, 0);
  EXPECT_EQ(game_over, 0);

  // Winning through to block 8: its removal ends the game won.
  while (current_block < 8) animate(2);
  EXPECT_EQ(game_over, 0);
  EXPECT_EQ(animate(2), 98u);
  EXPECT_EQ(current_block, 9);
  EXPECT_EQ(game_over, 1);
  for (int i = 1; i <= 8; ++i) EXPECT_EQ(blocks(i).standing, 0) << "block " << i;

  // With every block gone, mode 1 draws nothing over the map.
  renderer_set_blind(false);
  const ScreenRect map = map_alone();
  EXPECT_EQ(drawn_map(), map);
}

TEST_F(MainScreen, ReturnBelowBlockOneLosesWithoutAPhantomBlock) {
  // All eight stand, block 1 highlighted. Its highlight rectangle is left out of the comparison.
  const BlockRecord& b1 = blocks(1);
  const int hx = static_cast<int>(b1.x) + 29, hy = static_cast<int>(b1.y) + 61;
  const ScreenRect all_standing = drawn_map();
  const ScreenRect map = map_alone();

  ScreenRect first;
  int frames = 0, changed_frames = 0, mismatches = 0, covered_corner = 0;
  // Every seventh frame and the last: a phantom would show at least on the late, nearly opaque ones.
  headless_set_swap_hook([&] {
    const int frame = frames++;
    if (frame % 7 != 0 && frame != 97) return;
    const ScreenRect now = read_whole_screen();
    if (frame == 0) first = now;
    changed_frames += now.differing(first) != 0;
    for (int y = 0; y < 600; ++y) {
      for (int x = 0; x < 800; ++x) {
        if (inside(x, y, hx, hy, 102, 102)) continue;
        mismatches += now.at(x, y) != all_standing.at(x, y);
        // No block stands in the top-left corner; a plate drawn at (0, 0) would cover it.
        if (inside(x, y, 0, 0, 80, 130)) covered_corner += now.at(x, y) != map.at(x, y);
      }
    }
  });
  draw_main_screen(3);
  headless_set_swap_hook({});

  EXPECT_EQ(frames, 98);
  EXPECT_EQ(game_over, 2);
  EXPECT_EQ(current_block, 0);
  EXPECT_EQ(blocks(0).standing, 0);
  EXPECT_EQ(changed_frames, 0) << "something faded";
  EXPECT_EQ(covered_corner, 0);
  EXPECT_EQ(mismatches, 0) << "the eight blocks should stand as before";
}

// Block i's plate, frame and picture alone over the map at opacity |alpha|, no texts: what a fade
// shows of the block it animates. The area covers the plate and the frame.
constexpr int kAreaW = 160, kAreaH = 175;
ScreenRect block_alone(int i, double alpha) {
  const int x = static_cast<int>(blocks(i).x), y = static_cast<int>(blocks(i).y);
  frame_show();
  draw_load_background("map.png");
  draw_alpha_mode(alpha);
  spr_draw(sprite::map_plate, x, y);
  spr_draw(sprite::map_bevel, x + 25, y + 57);
  spr_draw(sprite::block_picture_0 + i, x + 30, y + 62);
  draw_alpha_mode(0);
  return read_screen(x, y, kAreaW, kAreaH);
}

// Runs a fade and checks its first and last frames: block `faded` as block_alone shows it at the
// two opacities, everything else as `others` (the standing blocks, none highlighted).
void check_fade(double mode, int faded, double first_alpha, double last_alpha, const ScreenRect& others) {
  const ScreenRect expect_first = block_alone(faded, first_alpha);
  const ScreenRect expect_last = block_alone(faded, last_alpha);
  const int bx = static_cast<int>(blocks(faded).x), by = static_cast<int>(blocks(faded).y);
  ScreenRect first, last;
  const uint64_t start = headless_frames();
  // Only the first and the last frame are drawn; the ones between run blind.
  headless_set_swap_hook([&] {
    const uint64_t frame = headless_frames() - start;
    if (frame == 0) first = read_whole_screen();
    if (frame == 97) last = read_whole_screen();
    renderer_set_blind(frame < 96);
  });
  EXPECT_EQ(animate(mode), 98u);
  headless_set_swap_hook({});
  renderer_set_blind(false);
  int first_outside = 0, last_outside = 0;
  for (int y = 0; y < 600; ++y) {
    for (int x = 0; x < 800; ++x) {
      if (inside(x, y, bx, by, kAreaW, kAreaH)) continue;
      first_outside += first.at(x, y) != others.at(x, y);
      last_outside += last.at(x, y) != others.at(x, y);
    }
  }
  EXPECT_EQ(first_outside, 0) << "the other blocks should stand unchanged, none highlighted";
  EXPECT_EQ(last_outside, 0);
  EXPECT_EQ(first.cut(bx, by, kAreaW, kAreaH), expect_first)
      << "plate, frame and picture only, at " << first_alpha;
  EXPECT_EQ(last.cut(bx, by, kAreaW, kAreaH), expect_last) << "at " << last_alpha;
}

TEST_F(MainScreen, FadesShowTheBlockAloneOverTheStandingOnes) {
  blocks(1).standing = blocks(2).standing = 0;
  current_block = 3;
  // While block 3 is being fought the others stand as mode 1 draws them with block 3 absent (no
  // highlight at all: only block 3 could blink).
  blocks(3).standing = 0;
  const ScreenRect others = drawn_map();
  blocks(3).standing = 1;
  // The block is there to fade: at 98 % it hides most of the map under it.
  const ScreenRect map = map_alone().cut(560, 130, kAreaW, kAreaH);
  EXPECT_GT(block_alone(3, -0.98).differing(map), kAreaW * kAreaH / 2);

  // Removal: from 98 % down to 1 %.
  check_fade(2, 3, -0.99 + 0.01, -0.99 + 0.01 * 98, others);
  EXPECT_EQ(blocks(3).standing, 0);
  EXPECT_EQ(current_block, 4);
  // Return: from 2 % up to 99 %, over the same standing blocks.
  check_fade(3, 3, -0.02, -(0.02 + 0.01 * 97), others);
  EXPECT_EQ(blocks(3).standing, 1);
  EXPECT_EQ(current_block, 3);
}

// Each block's number and difficulty, against the same texts printed over a plate by hand: blocks
// 4, 6 and 8 read ": Hard", the others ": Easy".
TEST_F(MainScreen, DifficultyTextsReadHardForBlocksFourSixAndEight) {
  current_block = 1;
  const ScreenRect screen = drawn_map();
  for (int i = 1; i <= 8; ++i) {
    const int x = static_cast<int>(blocks(i).x), y = static_cast<int>(blocks(i).y);
    ScreenRect printed[2];  // [0] ": Easy", [1] ": Hard"
    for (int hard = 0; hard <= 1; ++hard) {
      frame_show();
      draw_load_background("map.png");
      font_set(font::options);
      spr_draw(sprite::map_plate, x, y);
      draw_alpha_mode(-0.8);
      Str number;
      str_from_num(number, i);
      font_print(number, x + 30, y + 20, 0);
      font_print(hard ? ": Hard" : ": Easy", x + 50, y + 20, 1);
      draw_alpha_mode(0);
      printed[hard] = read_screen(x, y, 160, 57);  // above the picture's frame
    }
    ASSERT_NE(printed[0], printed[1]);
    const bool hard = i == 4 || i == 6 || i == 8;
    EXPECT_EQ(screen.cut(x, y, 160, 57), printed[hard ? 1 : 0]) << "block " << i;
  }
}

TEST_F(MainScreen, OnlyTheCurrentBlockBlinks) {
  blocks(1).standing = blocks(2).standing = 0;
  current_block = 3;
  scratch = 0.5;
  std::vector<ScreenRect> current, other;
  std::vector<double> blink;
  for (int frame = 0; frame < 4; ++frame) {
    drawn_map();
    blink.push_back(scratch);
    current.push_back(highlight_area(3));
    other.push_back(highlight_area(5));
  }
  // 0.5 + 0.9 passes 1.0 and wraps to 0.1; from there the value alternates 1.0, 0.1, ...
  EXPECT_DOUBLE_EQ(blink[0], 0.1);
  EXPECT_DOUBLE_EQ(blink[1], 1.0);
  EXPECT_DOUBLE_EQ(blink[2], 0.1);
  EXPECT_DOUBLE_EQ(blink[3], 1.0);
  for (int frame = 1; frame < 4; ++frame) {
    EXPECT_GT(current[frame].differing(current[frame - 1]), 0) << frame;
    EXPECT_EQ(other[frame], other[frame - 1]) << frame;
  }
  EXPECT_EQ(current[2], current[0]);
  EXPECT_EQ(current[3], current[1]);
  // The highlight's border pixel itself changes, not only the picture under it.
  const int x = static_cast<int>(blocks(3).x) + 29, y = static_cast<int>(blocks(3).y) + 61;
  EXPECT_NE(current[0].at(x, y), current[1].at(x, y));

  // A single draw is the main screen unless the menu it is drawn under says otherwise.
  EXPECT_EQ(game_screen, GameScreen::main_screen);
  game_screen = GameScreen::main_menu;
  drawn_map();
  EXPECT_EQ(game_screen, GameScreen::main_menu);
}

}  // namespace
