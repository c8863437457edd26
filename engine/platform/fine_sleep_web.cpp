// Sleeping on the web is handing the page its turn: the canvas shows the frame, input arrives.
#include "engine/platform/fine_sleep.h"
#include "engine/platform/web_page.h"

void fine_sleep_begin() {}
void fine_sleep_end() {}

// A browser's timers count whole milliseconds: a nap is the shortest timer, about one.
void fine_sleep_us(int) { web_yield(1); }
