// The round screen by reading pixels back: tiles and their numbers, the players' rows, the cursor
// frame, the round-end state.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "engine/app/app.h"
#include "engine/core/random.h"
#include "engine/core/timer.h"
#include "engine/media/font.h"
#include "engine/media/sprites.h"
#include "engine/platform/headless.h"
#include "engine/platform/platform.h"
#include "game/game_test_helpers.h"
#include "game/round/board_screen.h"
#include "game/round/computer_move.h"
#include "game/round/computer_player.h"
#include "game/round/round_end.h"
#include "game/state/round_state.h"
#include "game/round/setup_round.h"
#include "game/round/turns.h"
#include "game/state/game_state.h"
#include "support/app_test_helpers.h"

namespace {

void wait_ms_for_test(double ms) {
  const double until = timer_ms() + ms;
  while (timer_ms() < until) frame_show();
}

class RoundScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(start_game_app());
    current_block = 3;
    set_players(true, true);  // the human moves first, along the cursor's row
    rnd_seed(5);
    setup_round();
    moves_remain = 1;
  }
  void TearDown() override { remove_private_temp_dir(); }

  // One frame of the round screen left in the back buffer, animations at a fixed point.
  void draw(double show_info = 1) {
    frame_show();  // a fresh background
    cursor_anim = 0;
    rock_angle = 0;
    draw_board(show_info, 0);
  }
  static int tile_x(int col) { return 25 + 60 * (col - 1); }
  static int tile_y(int row) { return 60 + 60 * (row - 1); }
  static int count_in_tile(int col, int row, bool (*test)(const Pixel&)) {
    return count_pixels(tile_x(col), tile_y(row), tile_x(col) + 60, tile_y(row) + 60, test);
  }
};

TEST_F(RoundScreen, TilesShowTheirNumberInTheFontOfTheirSign) {
  board(1, 1) = 7;
  board(2, 1) = -7;
  draw();
  // Green tile, green outlined white digits; red tile, red outlined white digits.
  EXPECT_GT(count_in_tile(1, 1, greenish), 1500);
  EXPECT_LT(count_in_tile(1, 1, reddish), 10);
  EXPECT_GT(count_in_tile(1, 1, whitish), 40);
  EXPECT_GT(count_in_tile(2, 1, reddish), 1500);
  EXPECT_LT(count_in_tile(2, 1, greenish), 10);
  EXPECT_GT(count_in_tile(2, 1, whitish), 40);
  // The check tells the fonts apart: red digits on the green tile show up.
  font_load("redfont.png", 1);
  draw();
  EXPECT_GT(count_in_tile(1, 1, reddish), 20);
}

TEST_F(RoundScreen, SignsQuestionMarkAndLastValueFollowTheTurn) {
  auto sign_is = [](int y, bool (*test)(const Pixel&)) {
    return count_pixels(546, y, 606, y + 60, test) > 600;
  };
  draw();
  EXPECT_TRUE(sign_is(230, greenish)) << "player 1 to move: go";
  EXPECT_TRUE(sign_is(320, reddish)) << "player 2 waits: stop";
  // The human takes a red 9 on its row; the turn passes to the computer.
  const int col = static_cast<int>(cursor_col) == 8 ? 1 : 8;
  board(col, static_cast<int>(cursor_row)) = -9;
  cursor_col = col;
  take_cell();
  EXPECT_EQ(turn, 2);
  EXPECT_EQ(totals(1), -9);
  EXPECT_EQ(last_taken, -9);
  draw();
  EXPECT_TRUE(sign_is(230, reddish)) << "player 1 waits: stop";
  EXPECT_TRUE(sign_is(320, greenish)) << "player 2 to move: go";
  // The last value, red with its number, in the row of the player who took it; none in the other.
  EXPECT_GT(count_pixels(608, 230, 668, 290, reddish), 1500);
  EXPECT_GT(count_pixels(608, 230, 668, 290, whitish), 40);
  EXPECT_LT(count_pixels(608, 320, 668, 380, reddish), 200);  // the question mark only
}

TEST_F(RoundScreen, CursorFrameSurroundsTheCursorCell) {
  auto ring = [](int col, int row) {
    // The frame's band just outside the cell, 4 pixels wide on each side.
    std::vector<Pixel> out;
    for (auto [x0, y0, x1, y1] :
         {std::array<int, 4>{tile_x(col) - 4, tile_y(row) - 4, tile_x(col) + 64, tile_y(row)},
          std::array<int, 4>{tile_x(col) - 4, tile_y(row) + 60, tile_x(col) + 64, tile_y(row) + 64},
          std::array<int, 4>{tile_x(col) - 4, tile_y(row), tile_x(col), tile_y(row) + 60},
          std::array<int, 4>{tile_x(col) + 60, tile_y(row), tile_x(col) + 64, tile_y(row) + 60}}) {
      auto part = screen_rect(x0, y0, x1, y1);
      out.insert(out.end(), part.begin(), part.end());
    }
    return out;
  };
  cursor_col = 3;
  cursor_row = 3;
  draw();
  const auto at_3_3 = ring(3, 3), away_5_6 = ring(5, 6);
  cursor_col = 5;
  cursor_row = 6;
  draw();
  EXPECT_NE(ring(3, 3), at_3_3) << "the frame left (3, 3)";
  EXPECT_NE(ring(5, 6), away_5_6) << "the frame came to (5, 6)";
  // Without the frame's picture the band is as if no cursor were there.
  spr_load("xxx", 3);
  draw();
  EXPECT_EQ(ring(5, 6), away_5_6);
}

TEST_F(RoundScreen, RoundEndEmptiesTheBoardAndMovesTheCursorOffScreen) {
  // A drawn round: the Continue button shows from the second frame; click it then.
  totals(1) = 15;
  totals(2) = 15;
  last_taken = 4;
  turn = 2;
  moves_remain = 0;
  int frames_to_button = -1;
  const uint64_t frames0 = headless_frames();
  headless_set_poll_hook([&] {
    if (game_screen != GameScreen::round_end || move_confirmed < 1 || frames_to_button >= 0) return;
    frames_to_button = static_cast<int>(headless_frames() - frames0);
    headless_at_ms(0, script_event(HeadlessEvent::Mouse, 265, 575));
    headless_at_ms(0, script_event(HeadlessEvent::ButtonDown, 0));
    headless_at_ms(headless_time_ms() + 60, script_event(HeadlessEvent::ButtonUp, 0));
  });
  round_end_screen();
  headless_set_poll_hook(nullptr);
  EXPECT_LE(frames_to_button, 2);
  EXPECT_EQ(round_result, 0);
  EXPECT_EQ(game_stats(7), 0);
  for (int c = 1; c <= 8; ++c)
    for (int r = 1; r <= 8; ++r) EXPECT_EQ(board(c, r), 0);
  EXPECT_EQ(cursor_col, 2);
  EXPECT_EQ(cell_x(2, static_cast<int>(cursor_row)), 1000);

  draw(0);
  const auto screen = screen_rect(0, 0, 800, 600);
  // No cursor frame anywhere: the same picture without the frame's sprite.
  spr_load("xxx", 3);
  draw(0);
  EXPECT_EQ(screen_rect(0, 0, 800, 600), screen);
  // No tiles on the board: the same board area without the tile sprites.
  auto board_area = [](const std::vector<Pixel>& full) {
    std::vector<Pixel> out;
    for (int y = 0; y < 600; ++y) out.insert(out.end(), full.begin() + y * 800, full.begin() + y * 800 + 540);
    return out;
  };
  spr_load("xxx", 1);
  spr_load("xxx", 2);
  draw(0);
  EXPECT_EQ(board_area(screen_rect(0, 0, 800, 600)), board_area(screen));
  // The last value's tile stays in player 1's row, without its number.
  int green = 0, white = 0;
  for (int y = 230; y < 290; ++y)
    for (int x = 608; x < 668; ++x) {
      green += greenish(screen[y * 800 + x]);
      white += whitish(screen[y * 800 + x]);
    }
  EXPECT_GT(green, 1500);
  EXPECT_LT(white, 10);
}

// The human's keys step once per 250 ms along its own axis only and wrap at the edges; a right click
// or Enter confirms only a non-empty cursor cell; counting a taken value shows every unit.
TEST_F(RoundScreen, HumanInputAndCounting) {
  auto key = [](int code) {
    headless_at_ms(0, script_event(HeadlessEvent::KeyDown, code));
    frame_show();
    headless_at_ms(0, script_event(HeadlessEvent::KeyUp, code));
  };
  cursor_col = 4;
  cursor_row = 1;
  next_key_time = 0;
  key(200);  // up: a horizontal mover ignores it
  keyboard_cursor(2);
  EXPECT_EQ(cursor_row, 1);
  key(203);  // left
  keyboard_cursor(2);
  EXPECT_EQ(cursor_col, 3);
  headless_at_ms(0, script_event(HeadlessEvent::KeyDown, 203));
  frame_show();
  keyboard_cursor(2);
  EXPECT_EQ(cursor_col, 3) << "within 250 ms of the last step";
  wait_ms_for_test(260);
  keyboard_cursor(2);
  EXPECT_EQ(cursor_col, 2);
  headless_at_ms(0, script_event(HeadlessEvent::KeyUp, 203));
  key(200);  // a vertical mover at row 1 wraps to row 8
  next_key_time = 0;
  keyboard_cursor(1);
  EXPECT_EQ(cursor_row, 8) << "up from row 1";

  // A right click on the cursor cell confirms only when it holds a value.
  const int x = static_cast<int>(cell_x(2, 8)) + 30, y = static_cast<int>(cell_y(2, 8)) + 30;
  headless_at_ms(0, script_event(HeadlessEvent::Mouse, x, y));
  headless_at_ms(0, script_event(HeadlessEvent::ButtonDown, 1));
  board(2, 8) = 0;
  mouse_cursor(2);
  EXPECT_EQ(move_confirmed, 0);
  board(2, 8) = -12;
  mouse_cursor(2);
  EXPECT_EQ(move_confirmed, 1);
  headless_at_ms(0, script_event(HeadlessEvent::ButtonUp, 1));

  // Player 2 (the computer here) takes the -12: twelve frames, the total falling one by one; the
  // human is next, so no pulse follows.
  turn = 2;
  std::vector<double> shown;
  headless_set_swap_hook([&] { shown.push_back(totals(2)); });
  take_cell();
  headless_set_swap_hook(nullptr);
  ASSERT_EQ(shown.size(), 12u);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(shown[i], -(i + 1));
  EXPECT_EQ(board(2, 8), 0);
  EXPECT_EQ(turn, 1);
}

// Every press of an arrow (or the pad's D-pad, or its stick) steps the cursor once: presses quicker than
// the 250 ms between steps follow in turn, a press held a little past 250 ms steps once, a key held down
// repeats from 500 ms on, a tap between two frames counts. Three quick Left presses from column 4 end
// on column 1, never on column 8 nor one short.
TEST_F(RoundScreen, EveryPressStepsOnceAndAHeldKeyRepeats) {
  struct Press {
    double at, hold;
    HeadlessEvent::Kind down = HeadlessEvent::KeyDown, up = HeadlessEvent::KeyUp;
    int code = 203, value = 0;  // Left; the stick's value
  };
  auto lefts = [](int n, double apart, double hold) {
    std::vector<Press> out;
    for (int i = 0; i < n; ++i) out.push_back({i * apart, hold});
    return out;
  };
  const Press dpad{0, 60, HeadlessEvent::PadDown, HeadlessEvent::PadUp, PadDpLeft};
  const Press stick{150, 60, HeadlessEvent::PadMove, HeadlessEvent::PadMove, PadLeftX, -30000};
  const struct {
    std::vector<Press> presses;
    std::vector<double> steps;  // each step's time from the first press, to a frame or two
    double column;
  } cases[] = {
      {lefts(3, 100, 50), {0, 250, 500}, 1},
      {lefts(3, 200, 120), {0, 250, 500}, 1},
      {lefts(3, 300, 280), {0, 300, 600}, 1},
      {lefts(1, 0, 3), {0}, 3},
      {lefts(1, 0, 1100), {0, 500, 750, 1000}, 8},
      {{{0, 50}, {150, 50, HeadlessEvent::KeyDown, HeadlessEvent::KeyUp, 205}}, {0, 250}, 4},
      {{dpad, stick}, {0, 250}, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.presses.size() * 10000 + c.presses.back().at * 10 + c.presses.back().hold);
    cursor_col = 4;
    wait_ms_for_test(600);  // the case before is over
    const double t0 = headless_time_ms() + 100;
    for (const Press& p : c.presses) {
      headless_at_ms(t0 + p.at, script_event(p.down, p.code, p.value));
      headless_at_ms(t0 + p.at + p.hold, script_event(p.up, p.code, 0));
    }
    std::vector<double> steps;
    while (headless_time_ms() < t0 + c.presses.back().at + c.presses.back().hold + 1000) {
      const double column = cursor_col;
      draw_board(1, 1);
      keyboard_cursor(2);
      if (cursor_col != column) steps.push_back(headless_time_ms() - t0);
    }
    EXPECT_EQ(cursor_col, c.column);
    ASSERT_EQ(steps.size(), c.steps.size());
    for (size_t i = 0; i < steps.size(); ++i) EXPECT_NEAR(steps[i], c.steps[i], 45) << "step " << i;
  }
}

// The computer walks one cell per 250 ms, the board shown after every step, and confirms its move.
TEST_F(RoundScreen, ComputerWalksOneCellPerQuarterSecond) {
  for (int c = 1; c <= 8; ++c)
    for (int r = 1; r <= 8; ++r) board(c, r) = 0;
  set_players(false, false);  // the computer is player 1 and moves along the cursor's row
  turn = 1;
  round_difficulty = 1;
  cursor_col = 7;
  cursor_row = 4;
  board(2, 4) = 11;
  board(8, 4) = 3;
  std::vector<double> columns;
  headless_set_swap_hook([&] { columns.push_back(cursor_col); });
  const double t0 = timer_ms();
  computer_move();
  headless_set_swap_hook(nullptr);
  EXPECT_EQ(move_confirmed, 1);
  EXPECT_EQ(columns, (std::vector<double>{6, 5, 4, 3, 2}));
  EXPECT_GE(timer_ms() - t0, 5 * 250.0);
  EXPECT_LT(timer_ms() - t0, 5 * 250.0 + 5 * 25);
}

}  // namespace
