// Sound effects in 4096 slots (SoundId 0..4095). Each loaded slot has 1..4 play buffers sharing one
// sample; a channel names one buffer: channel = id * 256 + buffer index.
//
// Waiting for a sound to end: a loop such as
//     while (snd_is_playing(channel)) {}
// is cheap. Whenever snd_is_playing reports a sound still playing it sleeps 1 ms before returning, so
// such a loop yields the processor between polls (and, on the headless backend, lets the virtual clock
// run on). A result of 0 returns at once.
#pragma once
#include "engine/core/str.h"

constexpr int kSoundSlots = 4096;
constexpr int kSoundMaxBuffers = 4;

void snd_startup();   // opens the sound device (none is fine) and makes the slot table
void snd_shutdown();  // stops and releases every slot and the device
// Loads a WAV (resolved through the data archive slot) into slot id with 1..4 buffers (clamped).
// Error code 0 on success, 3 on failure (slot left empty, also without a device), 7 for a bad id. A file
// that is not found or cannot be read is logged once (media_log.h).
void snd_load(const Str& file, int id, int buffers);
// Plays slot id once; pan -1 (left) .. 1 (right), volume 0..1 (both clamped). Returns the channel, or
// -1 when nothing started: no device, empty slot, a single-buffer sound still playing, or a bad id
// (which also sets error code 7). With several buffers the oldest play is cut off when all are busy.
int snd_play(int id, double pan, double volume);
// 1 while that buffer plays (then sleeps 1 ms, see above), else 0. A negative channel or a sound id
// outside 0..4095 sets error code 7.
int snd_is_playing(int channel);
// Stops and rewinds that buffer; an out-of-range buffer index stops every buffer of the slot.
void snd_stop(int channel);
void snd_stop_all();

// The mapping from the game's numbers to the device: volume in hundredths of a decibel (-10000..0),
// pan in -10000 (left) .. 10000 (right).
int snd_volume_db100(double volume);
int snd_pan(double pan);
