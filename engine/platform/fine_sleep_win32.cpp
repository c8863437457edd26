// Windows: a 1 ms system timer while the game runs, and naps on a waitable timer, of high resolution
// where the system has one (Windows 10 1803 and later), else of the system timer's 1 ms.
#include <windows.h>
#include <timeapi.h>
#include "engine/platform/fine_sleep.h"

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

namespace {

int g_periods = 0;

HANDLE nap_timer() {
  static HANDLE timer = [] {
    HANDLE made =
        CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
    return made ? made : CreateWaitableTimerW(nullptr, TRUE, nullptr);
  }();
  return timer;
}

}  // namespace

void fine_sleep_begin() {
  if (g_periods++ == 0) timeBeginPeriod(1);
}

void fine_sleep_end() {
  if (g_periods > 0 && --g_periods == 0) timeEndPeriod(1);
}

void fine_sleep_us(int us) {
  if (us <= 0) return;
  const HANDLE timer = nap_timer();
  LARGE_INTEGER due;
  due.QuadPart = -10LL * us;  // relative, in 100 ns steps
  if (timer && SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
    WaitForSingleObject(timer, INFINITE);
  } else {
    Sleep(1);
  }
}
