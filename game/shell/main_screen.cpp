#include "game/shell/main_screen.h"

#include "engine/app/app.h"
#include "engine/core/str.h"
#include "engine/media/draw.h"
#include "engine/media/font.h"
#include "game/state/game_state.h"
#include "game/shell/media_slots.h"

namespace {

constexpr int kHighlightColour = 22778;  // red 250, green 88, blue 0
constexpr int kFadeFrames = 98;

bool is_block(int i) { return i >= 1 && i <= 8; }

// Plate, frame and picture of block i: the parts that fade when a block goes or comes back.
void draw_block_pictures(const BlockRecord& b, int i) {
  const int x = static_cast<int>(b.x), y = static_cast<int>(b.y);
  spr_draw(sprite::map_plate, x, y);
  spr_draw(sprite::map_bevel, x + 25, y + 57);
  spr_draw(sprite::block_picture_0 + i, x + 30, y + 62);
}

// One standing block with its number and difficulty; with_highlight blinks its picture's border,
// toggling scratch between 0.1 and 1.0 on every call, so the border blinks at half the frame rate.
void draw_standing_block(int i, bool with_highlight) {
  const BlockRecord& b = blocks(i);
  const int x = static_cast<int>(b.x), y = static_cast<int>(b.y);
  spr_draw(sprite::map_plate, x, y);
  draw_alpha_mode(-0.8);
  Str number;
  str_from_num(number, i);
  font_print(number, b.x + 30, b.y + 20, 0);
  font_print(b.difficulty == 1 ? ": Easy" : ": Hard", b.x + 50, b.y + 20, 1);
  spr_draw(sprite::map_bevel, x + 25, y + 57);
  if (with_highlight) {
    scratch = scratch + 0.9;
    if (scratch > 1.0) scratch = 0.1;
    draw_alpha_mode(scratch);
    draw_rect(x + 29, y + 61, 102, 102, kHighlightColour);
  }
  draw_alpha_mode(0);
  spr_draw(sprite::block_picture_0 + i, x + 30, y + 62);
}

// The standing blocks from `first` to 8, none highlighted.
void draw_standing_blocks_from(int first) {
  for (int i = first < 1 ? 1 : first; i <= 8; ++i) {
    if (blocks(i).standing == 1) draw_standing_block(i, false);
  }
}

// One frame of a fading block L (when it is a block at all) at opacity -alpha over the blocks above it.
void draw_fade_frame(int block, double alpha) {
  if (is_block(block)) {
    draw_alpha_mode(alpha);
    draw_block_pictures(blocks(block), block);
    draw_alpha_mode(0);
  }
  draw_standing_blocks_from(block + 1);
  frame_show();
}

void draw_map() {
  const int current = static_cast<int>(current_block);
  for (int i = current < 1 ? 1 : current; i <= 8; ++i) {
    if (blocks(i).standing == 1) draw_standing_block(i, i == current);
  }
}

void take_block_off() {
  const int block = static_cast<int>(current_block);
  // Opacity from 98 % down to 1 %: a = -0.99 + 0.01 k, k = 1..98.
  for (int k = 1; k <= kFadeFrames; ++k) draw_fade_frame(block, -0.99 + 0.01 * k);
  if (is_block(block)) blocks(block).standing = 0;
  current_block = current_block + 1;
  if (current_block == 9) game_over = 1;
}

void put_block_back() {
  current_block = current_block - 1;
  if (current_block == 0) game_over = 2;
  const int block = static_cast<int>(current_block);
  // Opacity from 2 % up to 99 %. Below block 1 there is nothing to bring back: the frames show the
  // standing blocks alone, and no record outside 1..8 is touched.
  for (int k = 0; k < kFadeFrames; ++k) draw_fade_frame(block, -(0.02 + 0.01 * k));
  if (is_block(block)) blocks(block).standing = 1;
}

}  // namespace

void draw_main_screen(double mode) {
  // A single draw belongs to whichever screen frames it (the menu marks itself); the animations are
  // screens of their own.
  if (mode != 1 || game_screen != GameScreen::main_menu) game_screen = GameScreen::main_screen;
  draw_load_background("map.png");
  font_set(font::options);
  if (mode == 1) draw_map();
  else if (mode == 2) take_block_off();
  else if (mode == 3) put_block_back();
}
