#include "game/shell/name_keyboard.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "engine/app/app.h"
#include "engine/core/dim_array.h"
#include "engine/core/input.h"
#include "engine/core/key_record.h"
#include "engine/core/random.h"
#include "engine/core/str.h"
#include "engine/media/draw.h"
#include "engine/media/font.h"
#include "engine/media/sound.h"
#include "engine/media/sprites.h"
#include "game/shell/controls.h"
#include "game/shell/focus_ring.h"
#include "game/state/game_state.h"
#include "game/shell/media_slots.h"
#include "game/shell/waits.h"

namespace {

constexpr int kMaxLength = 10;
constexpr int kLetterKeys = 26;
constexpr int kDone = 99;  // chosen after done: the name is finished
constexpr int kLetterW = 28, kLetterH = 30;
constexpr int kWideW = 90, kWideH = 30;
const char* const kLetters = " QWERTYUIOPASDFGHJKLZXCVBNM";

// The three rows, offset like a typewriter's: the first letter key, how many letters, their offset
// from the origin, and the wide key that ends the row with its offset.
struct Row {
  int first, count;
  int dx, dy;
  int wide, wide_dx;
};
constexpr Row kRows[] = {{1, 10, 1, 1, kNameKeyDelete, 361},
                         {11, 9, 19, 39, kNameKeyDone, 343},
                         {20, 7, 37, 77, kNameKeySpace, 289}};

// Frame colours: a light border around a dark field.
constexpr int kBorderColour = 9876670;  // red 190, green 180, blue 150
constexpr int kFieldColour = 4608080;   // red 80, green 80, blue 70

// A key typed from the real keyboard or pressed by the focus lights up for this many frames, brightened
// additively by this much.
constexpr int kLitFrames = 6;
constexpr double kLitStrength = 0.45;

int row_of(int key) {
  for (int r = 0; r < 3; ++r)
    if (key == kRows[r].wide || (key >= kRows[r].first && key < kRows[r].first + kRows[r].count)) return r;
  return -1;
}

// The keys of a row from left to right.
int row_key(int row, int place) {
  const Row& r = kRows[row];
  return place < r.count ? r.first + place : r.wide;
}
int row_length(int row) { return kRows[row].count + 1; }
int place_in_row(int key) {
  const Row& r = kRows[row_of(key)];
  return key == r.wide ? r.count : key - r.first;
}

// Key k (1..29) at its top-left, with its letter.
void build_key_table(DimArray<KeyRecord>& keys, double ox, double oy) {
  arr_dim(keys, 40);
  const Str letters = kLetters;
  for (int k = 1; k <= kNameKeys; ++k) {
    const Button box = name_key(k, ox, oy);
    keys(k).key_x = box.x;
    keys(k).key_y = box.y;
    if (k <= kLetterKeys) str_mid(keys(k).key_text, letters, k, 1);
  }
}

// Key k's hit box as the key table holds it.
Button table_box(DimArray<KeyRecord>& keys, int k) {
  const bool wide = k > kLetterKeys;
  return Button{static_cast<int>(keys(k).key_x), static_cast<int>(keys(k).key_y), wide ? kWideW : kLetterW,
                wide ? kWideH : kLetterH};
}

// The focus over the keys: Left and Right along a row, Up and Down to the nearest key of the next
// row (the rows are offset by half a key: between two, Up takes the left one and Down the right one,
// so that Up then Down comes back), Tab and Shift+Tab through the rows in reading order; stopping at
// the ends.
int moved_focus(int key, double ox, double oy) {
  const int row = row_of(key), place = place_in_row(key);
  if (control_pressed(Control::left)) return row_key(row, std::max(place - 1, 0));
  if (control_pressed(Control::right)) return row_key(row, std::min(place + 1, row_length(row) - 1));
  const bool up = control_pressed(Control::up), down = control_pressed(Control::down);
  if (up || down) {
    const int to = up ? row - 1 : row + 1;
    if (to < 0 || to > 2) return key;
    const int x = name_key(key, ox, oy).centre_x();
    int best = row_key(to, 0);
    for (int p = 1; p < row_length(to); ++p) {
      const int candidate = row_key(to, p);
      const int d = std::abs(name_key(candidate, ox, oy).centre_x() - x);
      const int best_d = std::abs(name_key(best, ox, oy).centre_x() - x);
      if (d < best_d || (down && d == best_d)) best = candidate;
    }
    return best;
  }
  const bool next = control_pressed(Control::next), previous = control_pressed(Control::previous);
  if (next && place < row_length(row) - 1) return row_key(row, place + 1);
  if (next && row < 2) return row_key(row + 1, 0);
  if (previous && place > 0) return row_key(row, place - 1);
  if (previous && row > 0) return row_key(row - 1, row_length(row - 1) - 1);
  return key;
}

// The next typed character that names a key (others are dropped), as that key; 0 when none is waiting.
int typed_key() {
  while (inp_chars_waiting() > 0) {
    const int key = name_key_of_char(inp_take_char());
    if (key) return key;
  }
  return 0;
}

void draw_frame(double x, double y, int w, int h) {
  draw_rect(static_cast<int>(x), static_cast<int>(y), w, h, kBorderColour);
  draw_rect(static_cast<int>(x + 1), static_cast<int>(y + 1), w - 2, h - 2, kFieldColour);
}

}  // namespace

Button name_key(int key, double ox, double oy) {
  for (const Row& row : kRows) {
    const int x = static_cast<int>(ox), y = static_cast<int>(oy) + row.dy;
    if (key >= row.first && key < row.first + row.count)
      return Button{x + row.dx + 36 * (key - row.first), y, kLetterW, kLetterH};
    if (key == row.wide) return Button{x + row.wide_dx, y, kWideW, kWideH};
  }
  return Button{0, 0, 0, 0};
}

int name_key_of_char(int c) {
  if (c == ' ') return kNameKeySpace;
  if (c == 8) return kNameKeyDelete;
  if (c >= 'a' && c <= 'z') c = c - 'a' + 'A';
  if (c < 'A' || c > 'Z') return 0;
  return static_cast<int>(std::strchr(kLetters + 1, c) - kLetters);
}

void name_keyboard(double ox, double oy) {
  game_screen = GameScreen::name_keyboard;
  str_assign_cstr(player_name, "");  // every visit starts with an empty name
  spr_load("keys.png", sprite::keyboard);
  draw_clear_screen(0);
  inp_mouse_show(1);
  font_set(font::options);

  DimArray<KeyRecord> keys;
  build_key_table(keys, ox, oy);
  // Characters typed before the keyboard opened (the Space that opened it, say) type nothing.
  while (inp_chars_waiting() > 0) inp_take_char();
  int focus = kNameKeyDone;
  FocusRingShown focus_shown;
  int lit = 0, lit_frames = 0;

  // The name field is centred on ox + 226 as ten fixed-width cells.
  const double tx = ox + 226 - font_text_width("----------", 0) / 2;

  for (;;) {
    const int len = static_cast<int>(player_name.length);

    draw_frame(ox + 98, oy - 51, 256, 36);
    font_print("__________", tx, oy - 45, 0);
    if (len < kMaxLength) {
      // The cursor bar flickers in dull random colours, drawn anew every frame.
      const int red = rnd_int(60) + 40;
      const int green = rnd_int(60) + 40;
      const int blue = rnd_int(60) + 40;
      draw_rect(static_cast<int>(ox + 110 + 24 * len), static_cast<int>(oy - 23), 15, 4,
                red + green * 256 + blue * 65536);
    }
    font_print(player_name, tx, oy - 48, 0);
    draw_frame(ox - 10, oy - 9, 472, 126);
    spr_draw(sprite::keyboard, static_cast<int>(ox), static_cast<int>(oy));

    double mx, my, left, right;
    inp_mouse_state(&mx, &my, &left, &right);
    int chosen = 0;
    // The letter keys first, then the wide ones (a later key wins, but no boxes overlap).
    for (int k = 1; k <= kNameKeys; ++k)
      if (button_clicked(table_box(keys, k), mx, my, left)) chosen = k;

    // The real keyboard and the pad: a typed key, else the focused key when pressed (a click comes
    // first; what was typed waits for the next frame). Either shows the focus ring until the mouse moves.
    controls_update();
    const int typed = chosen == 0 ? typed_key() : 0;
    focus_shown.update(mx, my, typed || any_control_pressed());
    focus = moved_focus(focus, ox, oy);
    if (chosen == 0) {
      chosen = typed ? typed : control_pressed(Control::enter) ? focus : 0;
      if (chosen) {
        lit = chosen;
        lit_frames = kLitFrames;
      }
    }
    if (lit_frames > 0) {
      --lit_frames;
      draw_alpha_mode(kLitStrength);
      const Button box = name_key(lit, ox, oy);
      draw_rect(box.x, box.y, box.w, box.h, 0xffffff);
      draw_alpha_mode(0);
    }
    if (focus_shown()) draw_focus_ring(name_key(focus, ox, oy));
    screen_focus = ScreenFocus{focus, focus_shown()};
    if (chosen > 0) snd_play(sound::click, 0, volume);

    if (chosen >= 1 && chosen <= kLetterKeys) {
      if (len < kMaxLength) str_append(player_name, keys(chosen).key_text);
    } else if (chosen == kNameKeyDelete) {
      if (len > 0) str_mid(player_name, player_name, 0, len - 1);
    } else if (chosen == kNameKeyDone) {
      chosen = kDone;
    } else if (chosen == kNameKeySpace) {
      if (len < kMaxLength) str_append(player_name, " ");
    }

    frame_show();
    // One click types one character, however long the button is held.
    if (left != 0) wait_mouse_release(false);

    if (chosen == kDone) break;
  }

  if (player_name.length == 0) str_assign_cstr(player_name, "NAMELESS");
  high_names(0) = player_name;
  spr_load("xxx", sprite::keyboard);  // "xxx" names no file: the slot is emptied
  arr_release(keys);
}
