// Entering a game's rating into the table of six, and the table a fresh installation starts with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/high_ratings_helpers.h"
#include "game/state/high_ratings_table.h"
#include "game/state/game_state.h"

namespace {

TEST(HighRatingsTable, EnteringARating) {
  const Entries before = {{3.5, "OWN"}, {60, "A"}, {50, "B"}, {40, "C"}, {30, "D"}, {20, "E"}, {10, "F"}};
  struct Case {
    const char* what;
    double rating;
    int place;
    Entries after;
  };
  const Case cases[] = {
      {"higher than all",
       70,
       1,
       {{3.5, "OWN"}, {70, "NEW"}, {60, "A"}, {50, "B"}, {40, "C"}, {30, "D"}, {20, "E"}}},
      {"equal to the third: placed fourth, the old sixth drops out",
       40,
       4,
       {{3.5, "OWN"}, {60, "A"}, {50, "B"}, {40, "C"}, {40, "NEW"}, {30, "D"}, {20, "E"}}},
      {"between the second and the third",
       45.5,
       3,
       {{3.5, "OWN"}, {60, "A"}, {50, "B"}, {45.5, "NEW"}, {40, "C"}, {30, "D"}, {20, "E"}}},
      {"just above the sixth",
       10.01,
       6,
       {{3.5, "OWN"}, {60, "A"}, {50, "B"}, {40, "C"}, {30, "D"}, {20, "E"}, {10.01, "NEW"}}},
      {"equal to the sixth: stays out", 10, 0, before},
      {"lower than all", -8.2, 0, before},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    dim_game_arrays();
    high_table_to_globals(make_table(before));
    EXPECT_EQ(enter_high_rating(c.rating, "NEW"), c.place);
    EXPECT_EQ(globals_entries(), c.after);  // entry 0 is never touched
  }
}

TEST(HighRatingsTable, StartingTableHasAnEmptyOwnEntryAndSixRankedRatings) {
  const HighTable& t = starting_high_table();
  EXPECT_EQ(t.ratings[0], 0.0);
  EXPECT_STREQ(t.names[0].c_str(), "EMPTY");
  for (int k = 1; k < kHighEntries; ++k) {
    SCOPED_TRACE(k);
    EXPECT_GT(t.ratings[k], 0.0);
    if (k > 1) {
      EXPECT_LT(t.ratings[k], t.ratings[k - 1]);
    }
    EXPECT_GT(t.names[k].length, 0u);
  }
}

}  // namespace
