// Showing the back buffer and pacing to the frame rate.
#include <algorithm>
#include <cmath>
#include "engine/app/app.h"
#include "engine/app/app_frame.h"
#include "engine/core/timer.h"
#include "engine/media/renderer.h"
#include "engine/platform/platform.h"

namespace {

constexpr double kSleepAbove = 7.0;   // sleep while more than this is left (ms)
constexpr double kSleepMargin = 3.0;  // ... waking this much before the deadline
constexpr double kPumpAbove = 1.0;    // pump events while more than this is left
constexpr int kNapUs = 500;           // between two pumps, give the processor back this long (us)

double g_deadline = 0.0;
double g_period = 2.0;

}  // namespace

void frame_set_frame_rate(int frame_rate) { g_period = frame_rate > 0 ? 1000.0 / frame_rate : 2.0; }
void frame_set_deadline(double ms) { g_deadline = ms; }
double frame_deadline() { return g_deadline; }
double frame_period() { return g_period; }

int frame_present(void (*callback)()) {
  // A frame the window already shows is not presented again on a real display; the headless backend
  // presents every frame, as its scripts and hooks count them.
  const bool show = renderer_finish_frame() || platform_is_headless();
  renderer_flush();
  if (show) {
    if (!renderer_present_picture()) platform().gl_swap();
  }
  renderer_prepare_next();

  double now;
  for (;;) {
    if (!frame_pump_messages(callback)) return 0;
    now = timer_now();
    double left = g_deadline - now;
    if (left > kSleepAbove) {
      sys_sleep(static_cast<int>(std::lround(left - kSleepMargin)));
      continue;
    }
    if (left <= kPumpAbove) break;
    // The last milliseconds pump events between short naps, the last nap ending where pumping stops,
    // so the frame still ends within the last millisecond without spinning a core until then.
    const double nap_us = std::ceil((left - kPumpAbove) * 1000.0);
    sys_sleep_us(static_cast<int>(std::min<double>(kNapUs, nap_us)));
  }

  if (g_period > 0.0) {
    g_deadline += g_period;
    if (g_deadline < now) g_deadline += g_period;
    // After a long stall the schedule starts again from now instead of catching up.
    if (g_deadline < now) g_deadline = now + g_period;
  }
  return 1;
}
