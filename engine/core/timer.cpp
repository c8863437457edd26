// The millisecond clock: the platform's high-resolution counter when it has one, else its tick count.
// timer_now counts from the first reading; timer_ms counts from the start offset set at start-up.
#include "engine/core/timer.h"

#include <cstdint>

#include "engine/platform/platform.h"

namespace {

struct TimerState {
  bool initialised = false;
  bool hires = false;
  uint64_t counter_freq = 0;  // counts per second
  bool origin_taken = false;  // a reading of exactly 0 is a valid origin, so it gets its own flag
  double timer_origin = 0.0;  // high-resolution origin in ms
  uint32_t tick_origin = 0;   // tick-count origin
  double start_offset = 0.0;
};

TimerState g_timer;

// Counter reading in milliseconds. Split into whole seconds and the rest so that a nanosecond
// counter far from its zero cannot overflow when scaled to milliseconds.
double counter_ms(uint64_t count, uint64_t freq) {
  uint64_t seconds = count / freq;
  uint64_t rest = count % freq;
  return static_cast<double>(seconds) * 1000.0 +
         static_cast<double>(rest) * 1000.0 / static_cast<double>(freq);
}

void start_clock(uint64_t counter_freq) {
  g_timer = TimerState{};
  g_timer.hires = counter_freq > 0;
  g_timer.counter_freq = counter_freq;
  g_timer.initialised = true;
}

}  // namespace

void timer_init() { start_clock(platform().counter_frequency()); }

void timer_init_ticks() { start_clock(0); }

double timer_now() {
  if (!g_timer.initialised) timer_init();
  Platform& p = platform();
  if (g_timer.hires) {
    double t = counter_ms(p.counter(), g_timer.counter_freq);
    if (!g_timer.origin_taken) {
      g_timer.timer_origin = t;
      g_timer.origin_taken = true;
    }
    return t - g_timer.timer_origin;
  }
  uint32_t ticks = p.ticks_ms();
  if (!g_timer.origin_taken) {
    g_timer.tick_origin = ticks;
    g_timer.origin_taken = true;
  }
  // Unsigned difference: stays right across the tick count's wrap.
  return static_cast<double>(static_cast<uint32_t>(ticks - g_timer.tick_origin));
}

double timer_ms() { return timer_now() - g_timer.start_offset; }

void timer_set_start_offset() { g_timer.start_offset = timer_now(); }

void sys_sleep(int ms) { platform().sleep_ms(ms < 0 ? 0 : ms); }
void sys_sleep_us(int us) { platform().sleep_us(us < 0 ? 0 : us); }
