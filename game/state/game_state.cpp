#include "game/state/game_state.h"

double volume = 0.9;
double mouse_x = 0, mouse_y = 0, mouse_b1 = 0, mouse_b2 = 0;
Str player_name;
double game_over = 0;
double menu_choice = 0;
double current_block = 0;
double scratch = 0;
double pulse_step = 0;
bool media_folder_entered = true;

DimArray<BlockRecord> blocks;
DimArray<double> cell_x, cell_y, board;
DimArray<Str> total_labels;
DimArray<double> player_dir, player_kind, totals;
DimArray<double> game_stats;
DimArray<double> high_ratings;
DimArray<Str> high_names;

GameScreen game_screen = GameScreen::none;
ScreenFocus screen_focus;

const char* game_screen_name(GameScreen screen) {
  switch (screen) {
    case GameScreen::none: return "none";
    case GameScreen::welcome: return "welcome";
    case GameScreen::name_keyboard: return "name keyboard";
    case GameScreen::instructions: return "instructions";
    case GameScreen::goodbye: return "goodbye";
    case GameScreen::main_screen: return "main screen";
    case GameScreen::main_menu: return "main menu";
    case GameScreen::round_setup: return "round set-up";
    case GameScreen::round: return "round";
    case GameScreen::round_end: return "round end";
    case GameScreen::stats: return "stats";
    case GameScreen::win: return "win";
    case GameScreen::lose: return "lose";
  }
  return "?";
}

void dim_game_arrays() {
  arr_dim(blocks, 9);
  arr_dim_num(cell_x, 9, 9);
  arr_dim_num(cell_y, 9, 9);
  arr_dim_num(board, 9, 9);
  arr_dim(total_labels, 3);
  arr_dim_num(player_dir, 3);
  arr_dim_num(player_kind, 3);
  arr_dim_num(totals, 3);
  arr_dim_num(game_stats, 8);
  arr_dim_num(high_ratings, 7);
  arr_dim(high_names, 7);
}
