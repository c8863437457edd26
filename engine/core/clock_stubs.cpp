// Placeholder clock until the platform clock lands.
#include <chrono>
#include <thread>
#include "engine/core/timer.h"
static auto g_t0 = std::chrono::steady_clock::now();
void timer_init() {}
double timer_now() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - g_t0).count();
}
double timer_ms() { return timer_now(); }
void timer_set_start_offset() {}
void sys_sleep(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
