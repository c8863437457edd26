#include "game/round/setup_round.h"

#include "engine/media/draw.h"
#include "engine/media/sprites.h"
#include "game/round/board_rules.h"
#include "game/round/board_screen.h"
#include "game/state/round_state.h"
#include "game/state/game_state.h"
#include "game/shell/media_slots.h"

void setup_round() {
  generate_board();
  draw_load_background("backdrop.png");
  totals(1) = 0;
  totals(2) = 0;
  const BlockRecord& block = blocks(static_cast<int>(current_block));
  round_difficulty = block.difficulty;
  spr_load(block.image_a, sprite::round_picture_a);
  spr_load(block.image_b, sprite::round_picture_b);
  rock_step = -1;
  turn = 1;
  last_taken = 0;
  move_confirmed = 0;
  round_result = 0;
  cursor_anim = 0;
  rock_angle = 0;
  game_screen = GameScreen::round;
  if (player_kind(1) == 2) pulse_my_turn();
}
