// The eight file channels shared by the open/close and the line routines.
#pragma once
#include <cstdint>
#include <vector>
#include "engine/core/str.h"

constexpr int FILE_CHANNELS = 8;
// Longest piece of a line handed out by one read.
constexpr int FILE_LINE_MAX = 1024;

struct FileChannel {
  int handle = -1;                    // open disk file, -1 when none
  const uint8_t* mem_data = nullptr;  // bytes of an open virtual file
  int64_t size = 0;                   // size of the open file in bytes
  int64_t pos = 0;                    // read position in a virtual file
  std::vector<uint8_t> mem_copy;      // the channel's own copy of a virtual file
};

// Channel by number; null when the number is outside 0..7.
FileChannel* file_channel(int channel);
bool file_channel_is_open(int channel);
// Reads the next line into out without ending the program: 0 when nothing could be read
// (end of file, read failure, channel closed or out of range), 1 otherwise.
int file_try_read_line(int channel, Str& out);
