// The millisecond clock.
#pragma once

void timer_init();
void timer_init_ticks();        // as timer_init, but on the platform's millisecond tick count
double timer_now();             // ms since the first reading (frame pacing)
double timer_ms();              // ms since the end of start-up (the game's clock)
void timer_set_start_offset();  // start_offset := timer_now()
void sys_sleep(int ms);
void sys_sleep_us(int us);  // a short nap, a fraction of a millisecond
