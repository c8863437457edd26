#include "game/shell/waits.h"

#include "engine/app/app.h"
#include "engine/core/input.h"
#include "engine/core/timer.h"
#include "engine/media/sound.h"

void wait_ms(double ms) {
  const double until = timer_ms() + ms;
  while (timer_ms() < until) frame_idle();
}

void wait_sound(double channel) {
  // snd_is_playing sleeps 1 ms itself whenever it answers "still playing".
  while (snd_is_playing(static_cast<int>(channel))) frame_idle(0);
}

void wait_control_release(Control control) {
  frame_idle(0);  // fresh key state before the first test
  while (control_down(control)) frame_idle();
}

void wait_mouse_release(bool both_buttons) {
  for (;;) {
    double x, y, left, right;
    inp_mouse_state(&x, &y, &left, &right);
    if (left == 0 && (!both_buttons || right == 0)) return;
    frame_idle();
  }
}
