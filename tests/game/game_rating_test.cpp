// The game rating: round points by result and difficulty, the counts and runs, and the rating itself,
// as the stats screen shows it.
#include <gtest/gtest.h>

#include <string>

#include "game/high_ratings_helpers.h"
#include "game/round/game_rating.h"
#include "game/state/game_state.h"

namespace {

constexpr double kDraw = 0, kWon = 12, kLost = 13;
constexpr double kEasy = 1, kHard = 2;

struct Round {
  double result, difficulty, margin;  // margin: the human's total minus the computer's
};

// Plays rounds into fresh statistics, each with its margin in game_stats(7) as the round end leaves it.
void play(std::initializer_list<Round> rounds) {
  dim_game_arrays();
  for (const Round& r : rounds) {
    game_stats(7) = r.margin;
    rate_round(r.result, r.difficulty);
  }
}

struct FirstRoundCase {
  const char* what;
  Round round;
  double points;       // game_stats(6)
  const char* rating;  // as the screen prints it
  double won, lost, drawn, run, best;
};

TEST(GameRating, FirstRoundOfAGame) {
  const FirstRoundCase cases[] = {
      {"EASY win by 10", {kWon, kEasy, 10}, 6, "8.2", 1, 0, 0, 1, 1},
      {"EASY loss by 5", {kLost, kEasy, -5}, -2.5, "-3.6", 0, 1, 0, 0, 0},
      {"HARD win by 10", {kWon, kHard, 10}, 12, "14.2", 1, 0, 0, 1, 1},
      {"HARD loss by 7", {kLost, kHard, -7}, -0.7, "-1.8", 0, 1, 0, 0, 0},
      {"HARD draw", {kDraw, kHard, 0}, 2, "2", 0, 0, 1, 0, 0},
      {"EASY draw", {kDraw, kEasy, 0}, 0, "0", 0, 0, 1, 0, 0},
  };
  for (const FirstRoundCase& c : cases) {
    SCOPED_TRACE(c.what);
    play({c.round});
    EXPECT_DOUBLE_EQ(game_stats(6), c.points);
    EXPECT_EQ(number_text(game_stats(0)), c.rating);
    EXPECT_DOUBLE_EQ(game_stats(0), std::stod(c.rating));
    EXPECT_EQ(game_stats(1), c.won);
    EXPECT_EQ(game_stats(2), c.lost);
    EXPECT_EQ(game_stats(3), c.drawn);
    EXPECT_EQ(game_stats(4), c.run);
    EXPECT_EQ(game_stats(5), c.best);
    EXPECT_EQ(game_stats(7), c.won - c.lost);
  }
}

TEST(GameRating, WorkedExamplesComeOutExactly) {
  // Not just nearly: the doubles are exactly those of the texts.
  play({{kWon, kEasy, 10}});
  EXPECT_EQ(game_stats(6), 6.0);
  EXPECT_EQ(game_stats(0), 8.2);
  play({{kLost, kEasy, -5}});
  EXPECT_EQ(game_stats(6), -2.5);
  EXPECT_EQ(game_stats(0), -3.6);
}

TEST(GameRating, ASequenceOfRoundsAccumulates) {
  struct Step {
    Round round;
    double points;  // accumulated
    double run, best;
  };
  const Step steps[] = {
      {{kWon, kEasy, 10}, 6, 1, 1},      {{kWon, kHard, 5}, 12, 2, 2},
      {{kLost, kEasy, -3}, 9.7, 0, 2},  // a loss resets the run, not the best run
      {{kWon, kEasy, 4}, 12.1, 1, 2},    {{kDraw, kHard, 0}, 14.1, 1, 2},  // a draw leaves the run as it is
      {{kLost, kHard, -10}, 13.1, 0, 2}, {{kDraw, kEasy, 0}, 13.1, 0, 2},
  };
  dim_game_arrays();
  double won = 0, lost = 0, drawn = 0;
  for (const Step& s : steps) {
    SCOPED_TRACE(s.points);
    game_stats(7) = s.round.margin;
    rate_round(s.round.result, s.round.difficulty);
    won += s.round.result == kWon;
    lost += s.round.result == kLost;
    drawn += s.round.result == kDraw;
    EXPECT_NEAR(game_stats(6), s.points, 1e-9);
    EXPECT_EQ(game_stats(4), s.run);
    EXPECT_EQ(game_stats(5), s.best);
    EXPECT_EQ(game_stats(1), won);
    EXPECT_EQ(game_stats(2), lost);
    EXPECT_EQ(game_stats(3), drawn);
    EXPECT_EQ(game_stats(7), won - lost);
    EXPECT_NEAR(game_stats(0), 1.1 * (won - lost) + s.points + 1.1 * s.best, 1e-9);
  }
  // 1.1 x (3 - 2) + 13.1 + 1.1 x 2
  EXPECT_EQ(number_text(game_stats(0)), "16.4");
}

}  // namespace
