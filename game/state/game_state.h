// The game's global state: every value the screens share, named as the screens use them. Numbers are
// doubles, as everywhere in the game; where one goes to the runtime as a slot, coordinate or index it
// is truncated toward zero. The puzzle round's own state is in game/state/round_state.h.
#pragma once
#include "engine/core/dim_array.h"
#include "engine/core/str.h"
#include "game/state/block_record.h"

// Volume of every sound and of the music; also where the welcome screen's fade-out starts. 0.9.
extern double volume;
// The mouse as the last screen read it: position in screen pixels, left and right button (0/1).
extern double mouse_x, mouse_y, mouse_b1, mouse_b2;
// The current player's name; starts as the name of high-ratings entry 0.
extern Str player_name;
// 0 while a game runs, 1 won (all eight blocks taken off), 2 lost.
extern double game_over;
// The main-screen menu's choice: 0 none yet, 1 continue, 2 quit.
extern double menu_choice;
// The lowest block still standing (1..9; 0 after the losing round); blocks current_block..8 stand.
extern double current_block;
// Short-lived working value: a sound channel waited on, a text width, a pulsing opacity.
extern double scratch;
// Per-frame change of the pulsing opacity kept in scratch.
extern double pulse_step;

// Whether start-up entered the "Media" folder. Without it the current directory stays the program's own
// folder, where the game reads its media but writes nothing.
extern bool media_folder_entered;

// The eight landmark blocks at indexes 1..8 (index 0 is never set up).
extern DimArray<BlockRecord> blocks;
// The board and its cells' screen positions, 9 x 9, used [1..8][1..8]: [column][row].
extern DimArray<double> cell_x, cell_y, board;
// Round captions of players 1 and 2; entries 1 and 2 also serve as line buffers for the ratings file.
extern DimArray<Str> total_labels;
// Per player (1, 2): direction (1 within the cursor's column, 2 within its row), kind (1 human,
// 2 computer), round total.
extern DimArray<double> player_dir, player_kind, totals;
// Statistics and rating of the running game (indexes 0..7, see game/round/game_rating.h).
extern DimArray<double> game_stats;
// The high-ratings table, entries 0..6: entry 0 is the player's own, 1..6 the table, best first.
extern DimArray<double> high_ratings;
extern DimArray<Str> high_names;

// Which screen routine is running. No screen reads it; it is there for the log, tests and screenshots.
enum class GameScreen {
  none,
  welcome,
  name_keyboard,
  instructions,
  goodbye,
  main_screen,
  main_menu,
  round_setup,
  round,
  round_end,
  stats,
  win,
  lose
};
extern GameScreen game_screen;
const char* game_screen_name(GameScreen screen);
// The running screen's keyboard focus, for the same observers: the focused button's index in the
// screen's table (on the name keyboard, the focused key's number) and whether its ring is shown.
struct ScreenFocus {
  int button = -1;
  bool shown = false;
};
extern ScreenFocus screen_focus;

// Sizes every array as the main program does at start-up (every element 0 or empty).
void dim_game_arrays();
