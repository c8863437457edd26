#include "game/state/high_ratings_table.h"

#include "game/state/game_state.h"

const HighTable& starting_high_table() {
  // A winning game scores roughly 0.6 to 1.2 points per unit of winning margin, plus 1.1 per net round
  // won and per round of the best winning run: a clean sweep of six rounds lands near 100. The table
  // leaves room for a first good game to get in.
  static const HighTable table = [] {
    static const struct {
      double rating;
      const char* name;
    } kEntries[kHighEntries] = {
        {0.0, "EMPTY"},  {96.8, "ELLIE"},  {74.2, "ARTHUR"}, {55.6, "PRIYA"},
        {38.9, "TOMMY"}, {21.3, "MAGGIE"}, {9.5, "SAM"},
    };
    HighTable t;
    for (int k = 0; k < kHighEntries; ++k) {
      t.ratings[k] = kEntries[k].rating;
      t.names[k] = kEntries[k].name;
    }
    return t;
  }();
  return table;
}

HighTable high_table_from_globals() {
  HighTable table;
  for (int k = 0; k < kHighEntries; ++k) {
    table.ratings[k] = high_ratings(k);
    table.names[k] = high_names(k);
  }
  return table;
}

void high_table_to_globals(const HighTable& table) {
  for (int k = 0; k < kHighEntries; ++k) {
    high_ratings(k) = table.ratings[k];
    high_names(k) = table.names[k];
  }
}

int enter_high_rating(double rating, const Str& name) {
  int position = 0;
  for (int k = 6; k >= 1; --k) {
    if (high_ratings(k) < rating) position = k;
  }
  if (position > 0) {
    for (int k = 6; k > position; --k) {
      high_ratings(k) = high_ratings(k - 1);
      high_names(k) = high_names(k - 1);
    }
    high_ratings(position) = rating;
    high_names(position) = name;
  }
  return position;
}
