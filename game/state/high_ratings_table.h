// The high-ratings table in memory: entries 0..6 of a rating and a name. Entry 0 is the player's own
// (its name starts as the player's name) and is never shown, compared or shifted into; entries 1..6
// are the table, best first. The game keeps it in the globals high_ratings and high_names.
#pragma once
#include "engine/core/str.h"

constexpr int kHighEntries = 7;

struct HighTable {
  double ratings[kHighEntries] = {};
  Str names[kHighEntries];
};

// The table a fresh installation starts with: entry 0 rating 0 and name "EMPTY" (no name chosen yet,
// which makes the welcome screen show its hint), then six ratings for new players to beat. The media
// build writes it as the first high-ratings file; the game falls back on it when its file is missing
// or short.
const HighTable& starting_high_table();

// Copies between a table and the globals high_ratings / high_names (which must be sized).
HighTable high_table_from_globals();
void high_table_to_globals(const HighTable& table);

// Enters a game's rating into the globals' table: it takes the best place whose stored rating is
// strictly lower (a rating equal to a stored one goes below it), the entries from there down move one
// place down and the sixth drops out. A rating no better than all six leaves the table as it is.
// Entry 0 is never touched. Returns the place taken, 1..6, or 0.
int enter_high_rating(double rating, const Str& name);
