// Whole rounds through the real input path: the automatic player answers on the headless backend with
// arrow keys and Enter, or with left-click walks and right clicks, against both computer levels.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "autoplay.h"
#include "engine/core/random.h"
#include "engine/media/renderer.h"
#include "engine/platform/headless.h"
#include "game/game_test_helpers.h"
#include "game/round/round_end.h"
#include "game/state/round_state.h"
#include "game/round/setup_round.h"
#include "game/round/turns.h"
#include "game/state/game_state.h"
#include "support/app_test_helpers.h"

namespace {

using autoplay::Input;

struct RoundCase {
  const char* what;
  int block;  // 3, 5 EASY; 4, 6 HARD
  bool human_first;
  bool horizontal;
  Input input;
  bool aim_win;
  uint32_t seed;
};

const RoundCase kCases[] = {
    {"EASY, keys, first, horizontal, playing to win", 3, true, true, Input::keys, true, 11},
    {"EASY, mouse, second, vertical, playing to lose", 5, false, false, Input::mouse, false, 12},
    {"HARD, mouse, first, vertical, playing to win", 4, true, false, Input::mouse, true, 13},
    {"HARD, keys, second, horizontal, playing to lose", 6, false, true, Input::keys, false, 14},
};

TEST(WholeRound, BothLevelsBothInputsThroughTheRealInputPath) {
  ASSERT_TRUE(start_game_app());
  renderer_set_blind(true);  // nobody looks at these frames; the screen tests read pixels
  autoplay::Plan plan;
  plan.round_plan = [](int n) {
    const RoundCase& c = kCases[n - 1];
    return autoplay::RoundPlan{c.human_first, c.horizontal, c.input, c.aim_win};
  };
  autoplay::Player player(plan);
  player.install();

  const auto wall0 = std::chrono::steady_clock::now();
  const double virtual0 = headless_time_ms();
  for (const RoundCase& c : kCases) {
    current_block = c.block;
    set_players(c.human_first, c.horizontal);
    rnd_seed(c.seed);
    setup_round();
    play_round();
    round_end_screen();
  }
  game_screen = GameScreen::none;
  player.finish_round();
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
  const double virt = (headless_time_ms() - virtual0) / 1000;
  std::printf("4 rounds: %.1f s of game time in %.2f s (%.0f x real time)\n", virt, wall, virt / wall);

  const auto& rounds = player.record().rounds;
  ASSERT_EQ(rounds.size(), std::size(kCases));
  for (size_t i = 0; i < rounds.size(); ++i) {
    const autoplay::RoundRecord& r = rounds[i];
    const RoundCase& c = kCases[i];
    SCOPED_TRACE(c.what);
    EXPECT_EQ(r.block, c.block);
    EXPECT_EQ(r.difficulty, c.block % 2 == 0 ? 2 : 1);
    EXPECT_GE(r.takes.size(), 4u);
    EXPECT_EQ(r.illegal_takes, 0);
    EXPECT_TRUE(r.sums_match()) << "totals " << r.totals[1] << " " << r.totals[2];
    EXPECT_TRUE(r.model_totals_match);
    EXPECT_TRUE(r.result_matches()) << "result " << r.result;
    EXPECT_TRUE(r.ended_on_empty_line);
    EXPECT_GT(r.computer_moves, 0);
    EXPECT_EQ(r.computer_mispredicted, 0);
    // Both sides moved in turn, player 1 first.
    for (size_t t = 0; t < r.takes.size(); ++t) EXPECT_EQ(r.takes[t].player, t % 2 == 0 ? 1 : 2) << t;
    // The player who moves first is the one the answers made it.
    EXPECT_EQ(r.kind[1], c.human_first ? 1 : 2);
    EXPECT_EQ(r.dir[c.human_first ? 1 : 2], c.horizontal ? 2 : 1);
    const int human = c.human_first ? 1 : 2;
    const int margin = r.totals[human] - r.totals[3 - human];
    if (c.aim_win) EXPECT_GT(margin, 0);
    else EXPECT_LT(margin, 0);
  }
  remove_private_temp_dir();
}

}  // namespace
