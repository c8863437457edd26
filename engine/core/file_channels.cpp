// Opening and closing the eight file channels.
#include "engine/core/file_channels.h"
#include <cstdio>
#include <cstring>
#include "engine/core/archive.h"
#include "engine/core/files.h"
#include "engine/core/log.h"
#include "engine/core/mem_name.h"
#include "engine/platform/os_files.h"

namespace {

FileChannel g_channels[FILE_CHANNELS];
// Stands in for the bytes of an empty virtual file, so that an open channel never has a null pointer.
const uint8_t kEmptyBytes[1] = {0};

void clear_channel(FileChannel& ch) {
  if (ch.handle >= 0) os_close(ch.handle);
  ch.handle = -1;
  ch.mem_data = nullptr;
  ch.size = 0;
  ch.pos = 0;
  std::vector<uint8_t>().swap(ch.mem_copy);
}

// The virtual file is copied into the channel: the archive layer frees its buffer on the next look-up,
// and another open on any channel may be that look-up.
bool open_virtual(FileChannel& ch, const char* name) {
  const uint8_t* data = nullptr;
  uint32_t size = 0;
  if (!mem_name_lookup(name, &data, &size)) return false;
  ch.mem_copy.assign(data, data + size);
  ch.mem_data = ch.mem_copy.empty() ? kEmptyBytes : ch.mem_copy.data();
  ch.size = size;
  ch.pos = 0;
  return true;
}

bool open_disk(FileChannel& ch, const char* path, OsOpen how) {
  int fd = os_open(path_to_native(path), how);
  if (fd < 0) return false;
  OsFileInfo info;
  if (!os_fstat(fd, info) || info.kind != OsFileKind::file) {
    os_close(fd);
    return false;
  }
  ch.handle = fd;
  ch.size = info.size;
  if (how == OsOpen::append) os_seek(fd, 0, SEEK_END);
  return true;
}

}  // namespace

FileChannel* file_channel(int channel) {
  if (channel < 0 || channel >= FILE_CHANNELS) return nullptr;
  return &g_channels[channel];
}

bool file_channel_is_open(int channel) {
  const FileChannel* ch = file_channel(channel);
  return ch && (ch->handle >= 0 || ch->mem_data);
}

int file_open(int channel, const Str& path, int mode) {
  app_set_error(RtError::success);
  FileChannel* ch = file_channel(channel);
  if (!ch) {
    app_set_error(RtError::memory_or_range);
    return 0;
  }
  clear_channel(*ch);
  const char* name = path.data ? path.data : "";
  bool ok = false;
  if (mode > 0) {
    Str resolved;
    if (!archive_resolve(ARCHIVE_DATA, name, resolved, 1)) app_set_error(RtError::file);
    if (mem_name_is(resolved.data)) ok = open_virtual(*ch, resolved.data);
    else if (*resolved.data) ok = open_disk(*ch, resolved.data, OsOpen::read);
  } else if (*name && std::strlen(name) <= FILE_PATH_MAX && !mem_name_is(name)) {
    if (mode == 0) {
      os_remove_file(path_to_native(name));
      ok = open_disk(*ch, name, OsOpen::write_new);
    } else {
      ok = open_disk(*ch, name, OsOpen::append);
    }
  }
  if (!ok) {
    clear_channel(*ch);
    app_set_error(RtError::file);
    return 0;
  }
  return 1;
}

void file_close(int channel) {
  FileChannel* ch = file_channel(channel);
  if (!ch) app_fatal(RtError::memory_or_range);
  clear_channel(*ch);
}

void file_close_all() {
  for (FileChannel& ch : g_channels) clear_channel(ch);
}

void file_set_archives(const Str& first, const Str& second) { archive_set_names(first, second); }
