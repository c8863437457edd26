#include "game/shell/round_setup_screen.h"

#include "engine/app/app.h"
#include "engine/core/input.h"
#include "engine/core/str.h"
#include "engine/media/draw.h"
#include "engine/media/font.h"
#include "engine/media/sound.h"
#include "engine/media/sprites.h"
#include "game/shell/button_focus.h"
#include "game/shell/centred_text.h"
#include "game/state/game_state.h"
#include "game/shell/media_slots.h"
#include "game/shell/waits.h"

namespace {

// Captions of the totals on the round screen, 29 characters each.
const char* const kHumanCaption = " Previous          Your total";
const char* const kComputerCaption = " Previous            My total";

enum class Answer { none, left, right };

// Starts a question: black screen, the title pulse from its middle, one frame shown.
void begin_question() {
  draw_clear_screen(0);
  scratch = 0.5;
  pulse_step = 0.015;
  frame_show();
}

// "OPTION" glowing additively between 0.3 and 1.0, 0.015 a frame; the step turns on the frame that
// crosses a limit.
void draw_pulsing_title() {
  scratch = scratch + pulse_step;
  if (scratch < 0.3 || scratch > 1.0) pulse_step = -pulse_step;
  font_set(font::total);
  draw_alpha_mode(scratch);
  print_centred_text("OPTION", 290);
}

// Draws the two buttons, reads the mouse and the controls and tells which button is taken: the one the
// left button is down on (the left one is tested first), else the one a control pressed.
Answer draw_buttons_and_read(int left_sprite, int right_sprite, ButtonFocus& focus) {
  const Button& left = kSetupButtons[static_cast<int>(SetupButton::left)];
  const Button& right = kSetupButtons[static_cast<int>(SetupButton::right)];
  spr_draw(left_sprite, left.x, left.y);
  spr_draw(right_sprite, right.x, right.y);
  inp_mouse_state(&mouse_x, &mouse_y, &mouse_b1, &mouse_b2);
  const int pressed = focus.update(mouse_x, mouse_y);
  focus.draw();
  Answer answer = Answer::none;
  if (button_clicked(left, mouse_x, mouse_y, mouse_b1)) answer = Answer::left;
  if (button_clicked(right, mouse_x, mouse_y, mouse_b1)) answer = Answer::right;
  if (answer == Answer::none && pressed >= 0)
    answer = pressed == static_cast<int>(SetupButton::left) ? Answer::left : Answer::right;
  return answer;
}

ButtonFocus focus_on_left() { return ButtonFocus(kSetupButtons, static_cast<int>(SetupButton::left)); }

void ask_move_order() {
  const BlockRecord& block = blocks(static_cast<int>(current_block));
  Str block_line, difficulty_line;
  str_concat_cn(block_line, "BLOCK: ", current_block);
  Str difficulty;
  str_from_cstr(difficulty, block.difficulty != 1 ? "HARD" : "EASY");
  str_concat_cs(difficulty_line, "DIFFICULTY: ", difficulty);

  begin_question();
  ButtonFocus focus = focus_on_left();
  Answer answer = Answer::none;
  while (answer == Answer::none) {
    draw_pulsing_title();
    font_set(font::options);
    draw_alpha_mode(0);
    print_centred_text(block_line, 80);
    print_centred_text(block.name, 120);
    print_centred_text(difficulty_line, 160);
    print_centred_text("Do you want the first or second move?", 360);
    answer = draw_buttons_and_read(sprite::first_button, sprite::second_button, focus);
    if (answer == Answer::left) {  // the human moves first
      player_kind(1) = 1;
      player_kind(2) = 2;
    } else if (answer == Answer::right) {  // the computer moves first
      player_kind(1) = 2;
      player_kind(2) = 1;
    }
    frame_show();
  }
  snd_play(sound::click, 0, volume);
  // The click must not carry over into the next question.
  wait_mouse_release(true);
}

void ask_direction() {
  begin_question();
  ButtonFocus focus = focus_on_left();
  Answer answer = Answer::none;
  while (answer == Answer::none) {
    draw_pulsing_title();
    font_set(font::hint);
    draw_alpha_mode(0);
    print_centred_text("To move around the game board:", 60);
    print_centred_text("Use arrow keys or click with left mouse button.", 90);
    print_centred_text("To confirm a number selection:", 130);
    print_centred_text("Use enter key or click with right mouse button.", 160);
    font_set(font::options);
    print_centred_text("Do you want to move horizontally or vertically?", 360);
    answer = draw_buttons_and_read(sprite::horizontal_button, sprite::vertical_button, focus);
    // player_kind maps player number to kind, and kinds are 1 (human) and 2 (computer), so indexing
    // player_dir by it gives the human (kind 1) and the computer (kind 2) their directions whichever
    // of them moves first.
    if (answer == Answer::left) {  // horizontal: within the cursor's row
      player_dir(static_cast<int>(player_kind(1))) = 2;
      player_dir(static_cast<int>(player_kind(2))) = 1;
    } else if (answer == Answer::right) {  // vertical: within the cursor's column
      player_dir(static_cast<int>(player_kind(1))) = 1;
      player_dir(static_cast<int>(player_kind(2))) = 2;
    }
    frame_show();
  }
  snd_play(sound::click, 0, volume);
  if (player_kind(1) == 1) {
    total_labels(1) = kHumanCaption;
    total_labels(2) = kComputerCaption;
  } else {
    total_labels(2) = kHumanCaption;
    total_labels(1) = kComputerCaption;
  }
  wait_mouse_release(true);
}

}  // namespace

void round_setup_screen() {
  game_screen = GameScreen::round_setup;
  ask_move_order();
  ask_direction();
}
