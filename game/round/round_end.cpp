#include "game/round/round_end.h"

#include "engine/app/app.h"
#include "engine/core/input.h"
#include "engine/media/draw.h"
#include "engine/media/sound.h"
#include "game/round/board_rules.h"
#include "game/round/board_screen.h"
#include "game/state/round_state.h"
#include "game/shell/button_focus.h"
#include "game/shell/controls.h"
#include "game/state/game_state.h"
#include "game/shell/media_slots.h"
#include "game/shell/waits.h"

namespace {

bool totals_differ() { return totals(1) != totals(2); }

}  // namespace

void round_end_screen() {
  game_screen = GameScreen::round_end;
  bool sound_due = true;
  double watched = -1;  // no channel watched yet
  fade_alpha = 0;
  move_confirmed = 0;
  for (int column = 1; column <= 8; ++column)
    for (int row = 1; row <= 8; ++row) board(column, row) = 0;
  cursor_col = 2;
  cell_x(2, static_cast<int>(cursor_row)) = 1000;

  wait_control_release(Control::enter);
  // Read every frame, so that a control pressed before the button shows does not take it.
  ButtonFocus focus({&kRoundEndContinue, 1}, 0);

  for (;;) {
    inp_mouse_state(&mouse_x, &mouse_y, &mouse_b1, &mouse_b2);
    const bool pressed = focus.update(mouse_x, mouse_y, true) >= 0;
    double margin = 0;
    const double result = round_result_of(margin);
    game_stats(7) = margin;
    round_result = result;
    if (result == kRoundDraw) spr_draw(sprite::its_a_draw, 579, 443);
    else if (result == kRoundWon) spr_draw(sprite::you_win, 591, 430);
    else spr_draw(sprite::you_lose, 586, 439);
    spr_draw(sprite::level_over, 584, 77);
    draw_board(0, 0);
    if (sound_due && (watched < 0 || !snd_is_playing(static_cast<int>(watched)))) {
      if (result == 12) {
        watched = snd_play(sound::win, 0, volume);
        sound_due = false;
      } else if (result == 13) {
        watched = snd_play(sound::lose, 0, volume);
        sound_due = false;
      }
    }
    fade_result_picture();
    if (move_confirmed > 0) {
      spr_draw(sprite::continue_button, kRoundEndContinue.x, kRoundEndContinue.y);
      focus.draw();
      if (pressed || button_clicked(kRoundEndContinue, mouse_x, mouse_y, mouse_b1) ||
          control_down(Control::enter))
        move_confirmed = 2;
    }
    frame_show();
    if (move_confirmed == 2) return;
  }
}

void fade_result_picture() {
  if (fade_alpha <= -0.99) move_confirmed = 1;
  else fade_alpha -= 0.005;
  if (fade_alpha > -1) {
    if (totals_differ()) {
      draw_alpha_mode(fade_alpha);
      if (round_result == kRoundWon) spr_draw(sprite::round_picture_a, 55, 90);
      else if (round_result == kRoundLost) draw_rect(55, 90, 420, 420, 0);
    } else {
      fade_alpha = -1;
    }
  }
  draw_alpha_mode(0);
}
