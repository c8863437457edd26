#include "game/round/board_screen.h"

#include <cmath>

#include "engine/app/app.h"
#include "engine/core/str.h"
#include "engine/media/draw.h"
#include "engine/media/font.h"
#include "game/state/round_state.h"
#include "game/state/game_state.h"
#include "game/shell/media_slots.h"

namespace {

constexpr int kGrey = 0x808080;
constexpr int kRowY[3] = {0, 230, 320};  // value row of player 1 and player 2
constexpr int kCaptionY[3] = {0, 208, 298};

int to_int(double v) { return static_cast<int>(v); }

// A whole number as the board prints it: no decimals, no padding.
Str number_text(double value) {
  Str text;
  str_format_num(text, 0, 0, value);
  return text;
}

// Prints text centred in a 65-pixel cell starting at x (the board's centring rule), current font.
void print_in_cell(const Str& text, double x, double y) {
  font_print(text, x + (65 - font_text_width(text, 1)) / 2, y, 1);
}

void advance_animations() {
  cursor_anim += 1;
  if (cursor_anim == 15) cursor_anim = 0;
  rock_angle += rock_step;
  if (rock_angle == -30 || rock_angle == 30) rock_step = -rock_step;
}

void draw_block_name() {
  font_set(font::info);
  const Str& name = blocks(to_int(current_block)).name;
  font_print(name, 265 - font_text_width(name, 1) / 2, 514, 1);
}

void draw_tiles() {
  for (int column = 1; column <= 8; ++column) {
    for (int row = 1; row <= 8; ++row) {
      const double value = board(column, row);
      if (value == 0) continue;
      const double x = cell_x(column, row), y = cell_y(column, row);
      const bool red = value <= 0;
      font_set(red ? font::red : font::green);
      spr_draw(red ? sprite::red_tile : sprite::green_tile, to_int(x), to_int(y));
      print_in_cell(number_text(std::fabs(value)), x, y);
    }
  }
}

// The go and stop signs, the rocking question mark beside the player to move, and the last taken
// value in the row of the player who took it (its number only while the round is in play).
void draw_rows() {
  const int mover = turn == 1 ? 1 : 2;
  const int other = 3 - mover;
  spr_draw(sprite::go_sign, 546, kRowY[mover]);
  spr_draw(sprite::stop_sign, 546, kRowY[other]);
  spr_draw_rotated(sprite::question_mark, 622, kRowY[mover] + 7, rock_angle);
  if (last_taken == 0) return;
  const bool red = last_taken < 0;
  spr_draw(red ? sprite::red_tile : sprite::green_tile, 608, kRowY[other]);
  font_set(red ? font::red : font::green);
  if (moves_remain == 1) print_in_cell(number_text(std::fabs(last_taken)), 608, kRowY[other]);
}

void draw_info_panel() {
  font_set(font::info);
  const bool hard = blocks(to_int(current_block)).difficulty != 1;
  font_print(hard ? "DIFICULTY:   HARD" : "DIFICULTY:   EASY", 600, 432, 1);
  const int mover = to_int(turn);
  if (player_kind(mover) == 1) {
    if (player_dir(mover) == 2) {
      spr_draw_zoomed(sprite::horizontal_hint, 590, 470, rock_angle / 90 + 0.8, 1.0);
      spr_draw_zoomed(sprite::horizontal_hint, 590, 500, 0.8 - rock_angle / 90, 1.0);
    } else if (player_dir(mover) == 1) {
      spr_draw_zoomed(sprite::vertical_hint, 607, 500, 1.0, rock_angle / 30 + 1.0);
      spr_draw_zoomed(sprite::vertical_hint, 607, 470, 1.0, 1.0 - rock_angle / 30);
    }
  }
  if (player_kind(mover) == 2) spr_draw(sprite::my_turn, 601, 76);
  else spr_draw(sprite::your_turn, 600, 75);
}

void draw_totals() {
  font_set(font::info);
  for (int p = 1; p <= 2; ++p) font_print(total_labels(p), 612, kCaptionY[p], 1);
  font_set(font::total);
  for (int p = 1; p <= 2; ++p) {
    const Str text = number_text(totals(p));
    font_print(text, 688 + (65 - font_text_width(text, 1)) / 2, kRowY[p], 1);
  }
}

void draw_cursor() {
  const int c = to_int(cursor_col), r = to_int(cursor_row);
  spr_draw_anim(sprite::cursor_frame, to_int(cursor_anim * 0.5), to_int(cell_x(c, r) - 4),
                to_int(cell_y(c, r) - 4));
}

}  // namespace

void draw_board(double show_info, double present) {
  advance_animations();
  draw_rect(54, 89, 422, 422, kGrey);
  spr_draw(sprite::round_picture_b, 55, 90);
  draw_block_name();
  draw_tiles();
  draw_rows();
  if (show_info > 0) draw_info_panel();
  draw_totals();
  draw_cursor();
  if (present != 0) frame_show();
}

void pulse_my_turn() {
  for (int swell = 0; swell < 2; ++swell) {
    for (double z = 1.0; z >= 0.1; z -= 0.075) {
      spr_draw_zoomed(sprite::my_turn, 601, 76, z, z);
      draw_board(0, 1);
    }
    for (double z = 0.1; z <= 1.0; z += 0.075) {
      spr_draw_zoomed(sprite::my_turn, 601, 76, z, z);
      draw_board(0, 1);
    }
  }
}
