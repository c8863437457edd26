// The game's main routine: start-up (media folder, archives, arrays, high ratings, media), then the
// welcome screen and one game: the intro, the rounds fought for the blocks, the end of the game.
#include "engine/app/app.h"
#include "engine/core/files.h"
#include "engine/media/sound.h"
#include "game/round/game_rating.h"
#include "game/state/high_ratings_file.h"
#include "game/round/round_end.h"
#include "game/state/round_state.h"
#include "game/round/setup_round.h"
#include "game/shell/stats_screen.h"
#include "game/round/turns.h"
#include "game/state/blocks.h"
#include "game/state/game_state.h"
#include "game/shell/lose_screen.h"
#include "game/shell/main_menu.h"
#include "game/shell/main_screen.h"
#include "game/shell/media_slots.h"
#include "game/shell/round_setup_screen.h"
#include "game/shell/waits.h"
#include "game/shell/welcome_screen.h"
#include "game/shell/win_screen.h"

namespace {

// A block leaves the map (won round) or comes back (lost round) with its sound, which is waited for.
void change_block(int sound_slot, double mode) {
  scratch = snd_play(sound_slot, 0, volume);
  draw_main_screen(mode);
  wait_sound(scratch);
}

// One pass of the game loop: the menu, then a round for the lowest standing block and its outcome on
// the map. Quitting from the menu ends the game through the final stats screen.
void game_round() {
  game_over = 0;
  main_menu();
  if (menu_choice == 2) stats_screen(2);
  round_setup_screen();
  setup_round();
  play_round();
  round_end_screen();
  update_game_stats();
  if (round_result == kRoundWon) change_block(sound::lose, 2);
  if (round_result == kRoundLost) change_block(sound::win, 3);
}

}  // namespace

void game_main() {
  volume = 0.9;
  media_folder_entered = file_set_cwd("Media") != 0;
  if (!media_folder_entered)
    log_line(
        "The \"Media\" folder is missing or cannot be entered: media are looked for in the program's "
        "folder\n");
  file_set_archives("data.zaz", "media.zaz");
  volume = 0.9;
  dim_game_arrays();
  load_high_ratings();
  player_name = high_names(0);
  load_media();

  for (;;) {
    welcome_screen();
    load_media();  // the welcome screen's animation frames took the block pictures' slots
    reset_blocks();
    game_screen = GameScreen::main_screen;
    for (int frame = 0; frame < 15; ++frame) {
      draw_main_screen(1);
      frame_show();
    }
    // Every game starts with blocks 1 and 2 taken off.
    for (int intro = 0; intro < 2; ++intro) change_block(sound::lose, 2);
    do {
      game_round();
    } while (game_over == 0);
    if (game_over == 1) win_screen();
    if (game_over == 2) lose_screen();
    stats_screen(2);  // its quit button saves the high ratings and ends the program
  }
}
