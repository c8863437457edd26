// Reading and writing text lines on the file channels.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include "engine/core/file_channels.h"
#include "engine/core/files.h"
#include "engine/core/log.h"
#include "engine/platform/os_files.h"

namespace {

constexpr int kChunk = 64;

// A failed read counts as the end of the file.
int64_t read_some(int fd, uint8_t* dst, size_t n) {
  const int64_t got = os_read(fd, dst, n);
  return got < 0 ? 0 : got;
}

// The line is the bytes before its line feed; one carriage return before a line end is dropped.
void set_line(Str& out, const uint8_t* bytes, size_t n, bool line_ended) {
  if (line_ended && n > 0 && bytes[n - 1] == '\r') --n;
  // The text ends at its first zero byte, as the length is measured from the bytes.
  const void* zero = std::memchr(bytes, 0, n);
  if (zero) n = size_t(static_cast<const uint8_t*>(zero) - bytes);
  out = std::string(reinterpret_cast<const char*>(bytes), n).c_str();
}

// Disk file: up to 1024 bytes in chunks of 64; a chunk shorter than asked ends the file, which then
// counts as a line end. The file position is moved back to just after the line feed.
int read_disk_line(FileChannel& ch, Str& out) {
  uint8_t buf[FILE_LINE_MAX];
  const int64_t start = os_seek(ch.handle, 0, SEEK_CUR);
  if (start < 0) return 0;
  size_t total = 0;
  int64_t lf = -1;
  bool file_ended = false;
  while (total < size_t(FILE_LINE_MAX)) {
    const size_t want = std::min<size_t>(kChunk, FILE_LINE_MAX - total);
    const int64_t got = read_some(ch.handle, buf + total, want);
    const void* hit = std::memchr(buf + total, '\n', size_t(got));
    if (hit) lf = static_cast<const uint8_t*>(hit) - buf;
    total += size_t(got);
    if (hit) break;
    if (size_t(got) < want) {
      file_ended = true;
      break;
    }
  }
  if (total == 0) return 0;
  if (lf >= 0) {
    os_seek(ch.handle, start + lf + 1, SEEK_SET);
    set_line(out, buf, size_t(lf), true);
  } else {
    set_line(out, buf, total, file_ended);
  }
  return 1;
}

// Virtual file: from pos up to the next line feed, the end of the data, or 1024 bytes.
int read_virtual_line(FileChannel& ch, Str& out) {
  if (ch.pos >= ch.size) return 0;
  const uint8_t* from = ch.mem_data + ch.pos;
  const size_t avail = size_t(ch.size - ch.pos);
  const size_t n = std::min<size_t>(avail, FILE_LINE_MAX);
  const void* hit = std::memchr(from, '\n', n);
  if (hit) {
    const size_t len = size_t(static_cast<const uint8_t*>(hit) - from);
    ch.pos += int64_t(len) + 1;
    set_line(out, from, len, true);
  } else {
    ch.pos += int64_t(n);
    set_line(out, from, n, avail < size_t(FILE_LINE_MAX));
  }
  return 1;
}

}  // namespace

int file_try_read_line(int channel, Str& out) {
  FileChannel* ch = file_channel(channel);
  if (!ch) return 0;
  if (ch->mem_data) return read_virtual_line(*ch, out);
  if (ch->handle >= 0) return read_disk_line(*ch, out);
  return 0;
}

void file_read_line(int channel, Str& out) {
  if (!file_channel(channel)) app_fatal(RtError::memory_or_range);
  if (!file_try_read_line(channel, out)) app_fatal(RtError::file);
}

void file_write_line(int channel, const Str& text) {
  FileChannel* ch = file_channel(channel);
  if (!ch) app_fatal(RtError::memory_or_range);
  if (ch->handle < 0) app_fatal(RtError::file);
  std::string bytes(text.data ? text.data : "", text.data ? text.length : 0);
  bytes += "\r\n";
  if (!os_write_all(ch->handle, bytes.data(), bytes.size())) app_fatal(RtError::file);
}
