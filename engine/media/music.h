// One piece of background music at a time; looping is driven from the frame loop on the runtime clock
// (timer_ms): looping music restarts on the first frame at or after its length has elapsed.
#pragma once
#include "engine/core/str.h"

// Stops any music, resolves the file through the media archive slot (an archive entry becomes a temporary
// file) and plays it from the start at normal volume; loop != 0 repeats it. Error code 3 when the file is
// not found, is a damaged archive entry or cannot be opened (no music then; logged once per file).
void music_play(const Str& file, int loop);
void music_stop();
// 1.0 = normal level (sent as 1000 on the player's 0..1000 scale; louder values are clamped by the
// player). The same value twice in a row is sent once.
void music_volume(double volume);
// 1 while looping music is on (also between repeats and while paused), or while a single play has not
// reached its end.
int music_is_playing();
// Pause (non-zero) or resume (0); time spent paused does not count towards the next loop restart.
void music_pause(int pause);
void music_service();   // frame_show: restart looping music when due
void music_shutdown();  // stop, close, forget the volume
