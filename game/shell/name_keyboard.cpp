#include "game/shell/name_keyboard.h"

#include "engine/core/app.h"
#include "engine/core/dim_array.h"
#include "engine/core/input.h"
#include "engine/core/key_record.h"
#include "engine/core/random.h"
#include "engine/core/str.h"
#include "engine/media/draw.h"
#include "engine/media/font.h"
#include "engine/media/sound.h"
#include "engine/media/sprites.h"
#include "game/shell/game_state.h"
#include "game/shell/media_slots.h"
#include "game/shell/waits.h"

namespace {

constexpr int kMaxLength = 10;
constexpr int kLetterKeys = 26;
constexpr int kDeleteKey = 27;
constexpr int kDoneKey = 28;
constexpr int kSpaceKey = 29;
constexpr int kDone = 99;  // chosen after done: the name is finished
constexpr int kLetterW = 28, kLetterH = 30;
constexpr int kWideW = 90, kWideH = 30;

// Frame colours: a light border around a dark field.
constexpr int kBorderColour = 9876670;  // red 190, green 180, blue 150
constexpr int kFieldColour = 4608080;   // red 80, green 80, blue 70

// Key k (1..29) at its top-left; the three rows of letters are offset like a typewriter's.
void build_key_table(DimArray<KeyRecord>& keys, double ox, double oy) {
  arr_dim(keys, 40);
  const Str letters = " QWERTYUIOPASDFGHJKLZXCVBNM";
  struct Row {
    int first, count;
    double dx, dy;
  };
  constexpr Row kRows[] = {{1, 10, 1, 1}, {11, 9, 19, 39}, {20, 7, 37, 77}};
  for (const Row& row : kRows) {
    for (int c = 0; c < row.count; ++c) {
      KeyRecord& key = keys(row.first + c);
      key.key_x = ox + row.dx + 36 * c;
      key.key_y = oy + row.dy;
      str_mid(key.key_text, letters, row.first + c, 1);
    }
  }
  keys(kDeleteKey).key_x = ox + 361;
  keys(kDeleteKey).key_y = oy + 1;
  keys(kDoneKey).key_x = ox + 343;
  keys(kDoneKey).key_y = oy + 39;
  keys(kSpaceKey).key_x = ox + 289;
  keys(kSpaceKey).key_y = oy + 77;
}

bool point_in(double x, double y, KeyRecord& key, int w, int h) {
  return draw_box_collide(static_cast<int>(x), static_cast<int>(y), 1, 1, static_cast<int>(key.key_x),
                          static_cast<int>(key.key_y), w, h) != 0;
}

void draw_frame(double x, double y, int w, int h) {
  draw_rect(static_cast<int>(x), static_cast<int>(y), w, h, kBorderColour);
  draw_rect(static_cast<int>(x + 1), static_cast<int>(y + 1), w - 2, h - 2, kFieldColour);
}

}  // namespace

void name_keyboard(double ox, double oy) {
  game_screen = GameScreen::name_keyboard;
  str_assign_cstr(player_name, "");  // every visit starts with an empty name
  spr_load("keys.png", sprite::keyboard);
  draw_clear_screen(0);
  inp_mouse_show(1);
  font_set(font::options);

  DimArray<KeyRecord> keys;
  build_key_table(keys, ox, oy);

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
    if (left != 0) {
      for (int k = 1; k <= kLetterKeys; ++k)
        if (point_in(mx, my, keys(k), kLetterW, kLetterH)) chosen = k;
      for (int k = kDeleteKey; k <= kSpaceKey; ++k)
        if (point_in(mx, my, keys(k), kWideW, kWideH)) chosen = k;
    }
    if (chosen > 0) snd_play(sound::click, 0, volume);

    if (chosen >= 1 && chosen <= kLetterKeys) {
      if (len < kMaxLength) str_append(player_name, keys(chosen).key_text);
    } else if (chosen == kDeleteKey) {
      if (len > 0) str_mid(player_name, player_name, 0, len - 1);
    } else if (chosen == kDoneKey) {
      chosen = kDone;
    } else if (chosen == kSpaceKey) {
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
