// The headless audio backend's controls and records: no device is needed, a sound "plays" for its
// sample duration on the headless platform clock, and music is a stand-in stream with a length.
#pragma once
#include <string>
#include <vector>

struct HeadlessSoundPlay {
  int voice;
  int sample;
  int volume_db100;  // -10000..0
  int pan;           // -10000..10000
  double at_ms;      // platform clock
};

struct HeadlessMusicEvent {
  enum Kind { Open, Close, Play, Stop, Pause, Resume, Volume };
  Kind kind;
  int value;         // Volume: the 0..1000+ value sent
  std::string path;  // Open: the path opened
  double at_ms;
};

// Whether open() finds a device (default true). Takes effect at the next open().
void headless_audio_set_device(bool available);
const std::vector<HeadlessSoundPlay>& headless_audio_plays();
const std::vector<HeadlessMusicEvent>& headless_music_events();
void headless_audio_clear_log();
// Length in milliseconds of the next stream opened (once); without it the length comes from the file
// size taken as 128 kbit/s.
void headless_music_set_next_length(int ms);
// Duration of a created sample in milliseconds (-1 for an unknown handle).
double headless_sample_duration_ms(int sample);
