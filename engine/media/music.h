// One piece of background music; looping is driven from the frame loop.
#pragma once
#include "engine/core/str.h"

void music_play(const Str& file, int loop);
void music_stop();
void music_volume(double volume);
int music_is_playing();
void music_pause(int pause);
void music_service();   // frame_show: restart looping music when due
void music_shutdown();  // stop, close, forget the volume
