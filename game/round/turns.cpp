#include "game/round/turns.h"

#include <cmath>
#include <deque>

#include "engine/core/input.h"
#include "engine/core/timer.h"
#include "engine/media/draw.h"
#include "engine/media/sound.h"
#include "game/round/board_rules.h"
#include "game/round/board_screen.h"
#include "game/round/computer_move.h"
#include "game/round/computer_player.h"
#include "game/state/round_state.h"
#include "game/shell/controls.h"
#include "game/state/game_state.h"
#include "game/shell/media_slots.h"
#include "game/shell/waits.h"

namespace {

constexpr double kStepMs = 250;
// A direction held down steps again this long after its press, then once per kStepMs; presses quicker
// than that step once each.
constexpr double kRepeatDelayMs = 500;
constexpr size_t kMaxPendingSteps = 8;

// The human's two directions on its axis (up and down, or left and right): the steps of presses not
// made yet (the 250 ms gate holds them back), in the order pressed, and when each direction, while it
// stays held, steps again.
struct CursorKeys {
  double axis = 0;          // the direction they were read for
  std::deque<int> pending;  // -1 or +1 per press
  bool held[2] = {false, false};
  double repeat_at[2] = {0, 0};
};
CursorKeys cursor_keys;

int to_int(double v) { return static_cast<int>(v); }

bool mouse_in(double x, double y, double w, double h) {
  return draw_box_collide(to_int(mouse_x), to_int(mouse_y), 1, 1, to_int(x), to_int(y), to_int(w),
                          to_int(h)) != 0;
}

double& cursor_cell() { return board(to_int(cursor_col), to_int(cursor_row)); }

// One step of the cursor coordinate by delta, wrapping 0 to 8 and 9 to 1.
void key_step(double& coordinate, double delta) {
  snd_play(sound::move, 0, volume);
  coordinate += delta;
  next_key_time = timer_ms() + kStepMs;
  if (coordinate < 1) coordinate = 8;
  if (coordinate > 8) coordinate = 1;
}

}  // namespace

// Every press steps once, in turn, one step per 250 ms at most; a direction held down repeats after
// kRepeatDelayMs. (Reading the keys only when the gate opened lost the presses made within it, and made
// a press held a little past 250 ms step twice.)
void keyboard_cursor(double direction) {
  if (direction != 1 && direction != 2) return;
  if (cursor_keys.axis != direction) {
    cursor_keys = CursorKeys{};
    cursor_keys.axis = direction;
  }
  const Control controls[2] = {direction == 1 ? Control::up : Control::left,
                               direction == 1 ? Control::down : Control::right};
  controls_update();
  const double now = timer_ms();
  for (int i = 0; i < 2; ++i) {
    const bool down = control_down(controls[i]);
    if (control_pressed(controls[i])) {
      if (cursor_keys.pending.size() < kMaxPendingSteps) cursor_keys.pending.push_back(i == 0 ? -1 : 1);
      cursor_keys.repeat_at[i] = now + kRepeatDelayMs;
    } else if (down && !cursor_keys.held[i]) {
      cursor_keys.repeat_at[i] = now + kRepeatDelayMs;  // held since before it was watched
    }
    cursor_keys.held[i] = down;
  }
  if (now <= next_key_time) return;

  int delta = 0;
  if (!cursor_keys.pending.empty()) {
    delta = cursor_keys.pending.front();
    cursor_keys.pending.pop_front();
  } else {
    for (int i = 0; i < 2 && delta == 0; ++i) {
      if (!cursor_keys.held[i] || now < cursor_keys.repeat_at[i]) continue;
      delta = i == 0 ? -1 : 1;
      cursor_keys.repeat_at[i] = now + kStepMs;
    }
  }
  if (delta != 0) key_step(direction == 1 ? cursor_row : cursor_col, delta);
}

void mouse_cursor(double direction) {
  move_confirmed = 0;
  int target = 0;
  inp_mouse_state(&mouse_x, &mouse_y, &mouse_b1, &mouse_b2);
  if (direction == 1 || direction == 2) {
    const bool vertical = direction == 1;
    const int c = to_int(cursor_col), r = to_int(cursor_row);
    // The strip of the human's line: the cursor's column (60 x 480) or its row (480 x 60).
    const bool in_strip = vertical ? mouse_in(cell_x(c, 1), cell_y(c, 1), 60, 480)
                                   : mouse_in(cell_x(1, 1), cell_y(1, r), 480, 60);
    if (in_strip && mouse_b1 != 0) {
      for (int k = 1; k <= 8; ++k) {
        const double x = vertical ? cell_x(c, k) : cell_x(k, r);
        const double y = vertical ? cell_y(c, k) : cell_y(k, r);
        if (mouse_in(x, y, 60, 60)) target = k;
      }
      double& coordinate = vertical ? cursor_row : cursor_col;
      // A walk needs a target on the board; the strip is made of the line's cells, so one is found.
      while (target >= 1 && coordinate != target) {
        sound_channel = snd_play(sound::move, 0, volume);
        coordinate += target <= coordinate ? -1 : 1;
        draw_board(1, 1);
        wait_ms(kStepMs);
      }
    }
  }
  inp_mouse_state(&mouse_x, &mouse_y, &mouse_b1, &mouse_b2);
  const int c = to_int(cursor_col), r = to_int(cursor_row);
  if (mouse_in(cell_x(c, r), cell_y(c, r), 60, 60) && mouse_b2 != 0 && cursor_cell() != 0) move_confirmed = 1;
}

void take_cell() {
  const double v = cursor_cell();
  if (v != 0) {
    const int mover = to_int(turn);
    const double step = v >= 1 ? 1 : -1;
    for (double unit = 0; unit < std::fabs(v); unit += 1) {
      totals(mover) += step;
      const int channel = snd_play(sound::add, 0, volume);
      draw_board(0, 1);
      wait_sound(channel);
    }
    last_taken = v;
  }
  cursor_cell() = 0;
  cursor_keys = CursorKeys{};  // steps still waiting belonged to the move just taken
  turn += 1;
  if (turn == 3) turn = 1;
  if (player_kind(to_int(turn)) == 2) pulse_my_turn();
}

void play_round() {
  while (test_moves_remain() == 1) {
    do {
      draw_board(1, 1);
      const int mover = to_int(turn);
      if (player_kind(mover) != 2) {
        keyboard_cursor(player_dir(mover));
        mouse_cursor(player_dir(mover));
      } else {
        computer_move();
      }
      if (cursor_cell() != 0 && control_down(Control::enter)) break;
    } while (move_confirmed != 1);
    take_cell();
  }
}
