#include <chrono>
#include <thread>
#include "engine/platform/fine_sleep.h"

void fine_sleep_begin() {}
void fine_sleep_end() {}

void fine_sleep_us(int us) {
  if (us > 0) std::this_thread::sleep_for(std::chrono::microseconds(us));
}
