// Helpers for tests of the game's screens and rounds on the headless backend.
#pragma once
#include <string>
#include <vector>

// The generated media folder of the build.
std::string media_dir();
// Starts the headless app (a private temporary folder for its log), makes the media folder current,
// sizes the game's arrays, loads its media and resets the blocks. False when the start-up failed.
bool start_game_app();
// Sets the round's players as the round set-up screen would: the human first or second, moving
// horizontally or vertically; the captions follow.
void set_players(bool human_first, bool human_horizontal);

// Pixels of the back buffer, screen coordinates (origin top-left).
struct Pixel {
  int r = 0, g = 0, b = 0;
  bool operator==(const Pixel&) const = default;
};
Pixel screen_at(int x, int y);
// The rectangle [x0, x1) x [y0, y1), row by row from the top.
std::vector<Pixel> screen_rect(int x0, int y0, int x1, int y1);
// How many pixels of the rectangle satisfy the test.
int count_pixels(int x0, int y0, int x1, int y1, bool (*test)(const Pixel&));
bool reddish(const Pixel& p);   // red well above green
bool greenish(const Pixel& p);  // green well above red
bool whitish(const Pixel& p);   // near white
