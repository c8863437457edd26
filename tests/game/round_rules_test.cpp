// The round's rules on the game state alone: board generation, the end-of-round test, the computer's
// choice on both levels and the reply margin. No window is needed.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "engine/core/random.h"
#include "game/round/board_rules.h"
#include "game/round/computer_player.h"
#include "game/state/round_state.h"
#include "game/state/game_state.h"

namespace {

void clear_board() {
  dim_game_arrays();
  for (int c = 1; c <= 8; ++c)
    for (int r = 1; r <= 8; ++r) board(c, r) = 0;
}

TEST(RoundRules, ReplyMarginCountsOneStepBeyondTheDifference) {
  const std::tuple<double, double, double> cases[] = {
      {3, 3, 0}, {4, 3, 2}, {2, 3, -2}, {-5, 7, -13}, {12, -12, 25}, {-12, 12, -25}, {1, 2, -2}, {12, 9, 4},
  };
  for (const auto& [w, v, margin] : cases) EXPECT_EQ(reply_margin(w, v), margin) << w << " vs " << v;
}

struct ChoiceCase {
  const char* what;
  double difficulty;
  double dir;                                    // the computer's direction
  int col, row;                                  // the cursor
  std::vector<std::tuple<int, int, int>> cells;  // column, row, value; every other cell empty
  int expected;                                  // position on the computer's line
};

TEST(RoundRules, ComputerChoiceOnBothLevels) {
  const ChoiceCase cases[] = {
      {"EASY takes the largest value; of equal ones the lowest position",
       1,
       1,
       5,
       4,
       {{5, 1, 5}, {5, 2, -3}, {5, 3, 5}},
       1},
      {"EASY with only negative values takes the least negative",
       1,
       2,
       1,
       1,
       {{3, 1, -7}, {5, 1, -2}, {8, 1, -9}},
       5},
      {"EASY looks only at its own line", 1, 2, 4, 6, {{4, 1, 12}, {2, 6, 3}, {7, 6, 1}}, 2},
      {"HARD compares margins, not values", 2, 1, 4, 1, {{4, 2, 2}, {1, 2, 1}, {4, 5, 9}, {7, 5, 12}}, 2},
      {"HARD prefers leaving the human no reply, even to a large value",
       2,
       1,
       4,
       1,
       {{4, 3, 1}, {4, 6, 12}, {2, 6, -12}},
       3},
      {"HARD takes the highest of equally good positions",
       2,
       2,
       2,
       8,
       {{3, 8, 5}, {3, 1, 5}, {6, 8, 7}, {6, 2, 7}},
       6},
      {"HARD leaves the candidate itself out of the human's reply line",
       2,
       2,
       1,
       3,
       {{5, 3, 4}, {5, 7, 1}, {8, 3, 2}, {8, 6, 1}},
       5},
  };
  for (const ChoiceCase& c : cases) {
    SCOPED_TRACE(c.what);
    clear_board();
    for (const auto& [col, row, value] : c.cells) board(col, row) = value;
    cursor_col = c.col;
    cursor_row = c.row;
    turn = 2;
    player_kind(2) = 2;
    player_dir(2) = c.dir;
    player_dir(1) = 3 - c.dir;
    round_difficulty = c.difficulty;
    EXPECT_EQ(computer_choice(), c.expected);
  }
}

TEST(RoundRules, OnlyTheMoversLineDecidesTheRoundsEnd) {
  struct Case {
    const char* what;
    double dir;
    std::vector<std::tuple<int, int, int>> cells;
    double expected;
  } const cases[] = {
      {"empty line, the other line full", 1, {{1, 3, 4}, {2, 3, 5}, {8, 3, -1}}, 0},
      {"a single red value must still be played", 1, {{3, 8, -6}}, 1},
      {"horizontal mover with a value in its row", 2, {{7, 3, 2}}, 1},
      {"horizontal mover, values only in its column", 2, {{3, 1, 2}, {3, 8, 9}}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    clear_board();
    for (const auto& [col, row, value] : c.cells) board(col, row) = value;
    cursor_col = 3;
    cursor_row = 3;
    turn = 1;
    player_dir(1) = c.dir;
    EXPECT_EQ(test_moves_remain(), c.expected);
    EXPECT_EQ(moves_remain, c.expected);
  }
}

TEST(RoundRules, GenerationDrawsTwicePerCellColumnByColumnThenTheCursor) {
  dim_game_arrays();
  for (uint32_t seed : {1u, 99u, 4242u}) {
    rnd_seed(seed);
    int expected[9][9] = {};
    for (int c = 1; c <= 8; ++c)
      for (int r = 1; r <= 8; ++r) {
        const int magnitude = rnd_int(11) + 1;
        expected[c][r] = rnd_int(1) == 1 ? -magnitude : magnitude;
      }
    const int col = rnd_int(7) + 1, row = rnd_int(7) + 1;
    const uint32_t after = rnd_next();

    rnd_seed(seed);
    generate_board();
    EXPECT_EQ(cursor_col, col);
    EXPECT_EQ(cursor_row, row);
    EXPECT_EQ(rnd_next(), after) << "draws used: 130 exactly";
    int empty = 0;
    for (int c = 1; c <= 8; ++c)
      for (int r = 1; r <= 8; ++r) {
        EXPECT_EQ(cell_x(c, r), 25 + 60 * (c - 1));
        EXPECT_EQ(cell_y(c, r), 60 + 60 * (r - 1));
        if (c == col && r == row) {
          EXPECT_EQ(board(c, r), 0);
        } else {
          EXPECT_EQ(board(c, r), expected[c][r]) << c << "," << r;
          EXPECT_GE(std::abs(board(c, r)), 1);
          EXPECT_LE(std::abs(board(c, r)), 12);
        }
        empty += board(c, r) == 0;
      }
    EXPECT_EQ(empty, 1);
  }
}

TEST(RoundRules, RoundResultFollowsTheHumansTotal) {
  dim_game_arrays();
  struct Case {
    double human_kind_of_1;
    double t1, t2;
    double result, margin;
  } const cases[] = {
      {1, 20, 13, 12, 7}, {1, -4, 3, 13, -7}, {2, 20, 13, 13, -7}, {2, -4, 3, 12, 7}, {1, 5, 5, 0, 0},
  };
  for (const Case& c : cases) {
    player_kind(1) = c.human_kind_of_1;
    player_kind(2) = 3 - c.human_kind_of_1;
    totals(1) = c.t1;
    totals(2) = c.t2;
    double margin = 99;
    EXPECT_EQ(round_result_of(margin), c.result);
    EXPECT_EQ(margin, c.margin);
  }
}

}  // namespace
