// Sleeping as finely as frame pacing needs. Linux sleeps to a fraction of a millisecond as it is;
// Windows sleeps in steps of its system timer, 15.6 ms unless a program asks for finer steps while it
// runs. POSIX: fine_sleep_posix.cpp; Windows: fine_sleep_win32.cpp.
#pragma once

// The system timer at 1 ms from now on (Windows: timeBeginPeriod), until the matching fine_sleep_end;
// calls pair up, and the timer goes back to what it was with the last end.
void fine_sleep_begin();
void fine_sleep_end();
// A nap of about `us` microseconds (a fraction of a millisecond), which never spins.
void fine_sleep_us(int us);
