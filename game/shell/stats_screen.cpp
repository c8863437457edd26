#include "game/shell/stats_screen.h"

#include "engine/core/dim_array.h"
#include "engine/core/input.h"
#include "engine/core/random.h"
#include "engine/app/app.h"
#include "engine/media/draw.h"
#include "engine/media/font.h"
#include "engine/media/music.h"
#include "engine/media/sound.h"
#include "engine/media/sprites.h"
#include "game/state/high_ratings_file.h"
#include "game/state/high_ratings_table.h"
#include "game/state/round_state.h"
#include "game/shell/centred_text.h"
#include "game/shell/button_focus.h"
#include "game/shell/controls.h"
#include "game/state/game_state.h"
#include "game/shell/goodbye_screen.h"
#include "game/shell/media_slots.h"
#include "game/shell/waits.h"

namespace {

constexpr int kStars = 240;
constexpr int kLineColour = 0x645a8c;
constexpr int kFrameColour = 0xc8c864;
constexpr int kFrameInside = 0x040404;

// The star field: position, step per frame and colour of each star.
struct Stars {
  DimArray<double> x, y, dx, dy, colour;

  Stars() {
    arr_dim_num(x, kStars);
    arr_dim_num(y, kStars);
    arr_dim_num(dx, kStars);
    arr_dim_num(dy, kStars);
    arr_dim_num(colour, kStars);
    for (int s = 0; s < kStars; ++s) {
      x(s) = rnd_int(799);
      y(s) = rnd_int(599);
      dx(s) = step();
      dy(s) = step();
      colour(s) = rnd_int(15000000);
    }
  }

  // -2, -1, 1 or 2 with equal chances.
  static double step() {
    const double d = rnd_int(3) - 2;
    return d == 0 ? 2 : d;
  }

  // Each star moves one step, bouncing off the edges, and is drawn at a fresh random size of 0..4
  // by 0..4 pixels, so the field twinkles.
  void move_and_draw() {
    for (int s = 0; s < kStars; ++s) {
      x(s) = x(s) + dx(s);
      if (x(s) < 1 || x(s) > 799) {
        dx(s) = -dx(s);
        x(s) = x(s) + dx(s);
      }
      y(s) = y(s) + dy(s);
      if (y(s) < 1 || y(s) > 599) {
        dy(s) = -dy(s);
        y(s) = y(s) + dy(s);
      }
      const int h = rnd_int(4);
      const int w = rnd_int(4);
      draw_rect(static_cast<int>(x(s)), static_cast<int>(y(s)), w, h, static_cast<int>(colour(s)));
    }
  }
};

Str number_text(double value) {
  Str text;
  str_from_num(text, value);
  return text;
}

// The screen's texts: none of them changes while the screen is shown, so they are made once.
struct StatsTexts {
  Str line;            // "<name>, YOUR GAME RATING IS: <rating>"
  int frame_half = 0;  // half the rating frame's width
  Str stats[4];        // won, lost, drawn, best run
  Str ratings[7];      // the table's ratings, entries 1..6

  StatsTexts() {
    const Str rating = number_text(game_stats(0));
    // The frame is measured on this wording in the hint font; the line inside it says "YOUR".
    Str measured = player_name;
    str_append(measured, " THIS GAME RATING IS: ");
    str_append(measured, rating);
    font_set(font::hint);
    frame_half = font_text_width(measured, 1) / 2 + 10;
    line = player_name;
    str_append(line, ", YOUR GAME RATING IS: ");
    str_append(line, rating);
    const int values[4] = {1, 2, 3, 5};
    for (int i = 0; i < 4; ++i) stats[i] = number_text(game_stats(values[i]));
    for (int k = 1; k <= 6; ++k) ratings[k] = number_text(high_ratings(k));
  }
};

void draw_frame(double mode, const StatsTexts& texts) {
  font_set(font::hint);
  print_centred_text("ALL TIME HIGH RATINGS", 340);
  spr_draw(sprite::stats_title, 80, 20);
  print_centred_text("GAME STATS", 145);
  draw_rect(258, 363, 274, 1, kLineColour);
  draw_rect(258, 365, 274, 1, kLineColour);
  draw_rect(330, 168, 142, 1, kLineColour);

  const int half = texts.frame_half;
  draw_rect(400 - half, 264, 2 * half, 32, kFrameColour);
  draw_rect(401 - half, 265, 2 * half - 2, 30, kFrameInside);

  font_set(font::info);
  const char* const labels[4] = {"WON", "LOST", "DRAWN", "WIN  RUN"};
  for (int i = 0; i < 4; ++i) {
    font_print(labels[i], 365, 175 + 15 * i, 1);
    font_print(texts.stats[i], 430, 175 + 15 * i, 0);
  }

  font_set(font::scores);
  print_centred_text(texts.line, 270);
  for (int k = 1; k <= 6; ++k) {
    font_print(high_names(k), 300, 22 * k + 360, 1);
    font_print(texts.ratings[k], 460, 22 * k + 360, 1);
  }

  spr_draw(mode == 2 ? sprite::quit_button : sprite::continue_button, kStatsButton.x, kStatsButton.y);
}

}  // namespace

void stats_screen(double mode) {
  game_screen = GameScreen::stats;
  if (!music_is_playing()) sound_channel = snd_play(sound::ambience, 0, 0.9);
  draw_clear_screen(0);
  spr_load("brakka.png", sprite::stats_title);
  Stars stars;
  if (mode == 2) enter_high_rating(game_stats(0), player_name);
  const StatsTexts texts;
  wait_control_release(Control::enter);
  ButtonFocus focus({&kStatsButton, 1}, 0);

  double done = 0;
  while (done == 0) {
    inp_mouse_state(&mouse_x, &mouse_y, &mouse_b1, &mouse_b2);
    const bool pressed = focus.update(mouse_x, mouse_y, true) >= 0;
    stars.move_and_draw();
    draw_frame(mode, texts);
    focus.draw();
    if (pressed || button_clicked(kStatsButton, mouse_x, mouse_y, mouse_b1) || control_down(Control::enter))
      done = mode == 2 ? 2 : 1;
    frame_show();
  }

  if (snd_is_playing(static_cast<int>(sound_channel))) snd_stop_all();
  snd_play(sound::click, 0, 0.9);
  spr_load("xxx", sprite::stats_title);  // names no file: empties the slot
  if (done == 2) {
    // The goodbye screen comes either way; a table no folder could take is the program's failure.
    if (!save_high_ratings()) app_set_end_status(3);
    goodbye_screen();
  }
}
