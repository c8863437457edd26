// Sound effects in 4096 slots, channel = id * 256 + buffer.
#pragma once
#include "engine/core/str.h"

void snd_startup();   // sound service with its slot table
void snd_shutdown();  // stops and releases every slot and the device
void snd_load(const Str& file, int id, int buffers);
int snd_play(int id, double pan, double volume);
int snd_is_playing(int channel);
void snd_stop(int channel);
void snd_stop_all();
