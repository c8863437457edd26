// The two archive slots: naming archives, resolving names, handing out and releasing extractions.
#include "engine/core/archive.h"
#include <cerrno>
#include <cstdio>
#include <cstring>
#include "engine/core/archive_reader.h"
#include "engine/core/files.h"
#include "engine/core/log.h"
#include "engine/core/mem_name.h"
#include "engine/platform/os_files.h"
#include "engine/platform/platform.h"

namespace {

struct ArchiveSlot {
  bool active = false;
  std::string archive_name;
  std::string extracted_file;
  uint8_t* extracted_memory = nullptr;
  ArchiveLookup last_lookup = ArchiveLookup::not_found;
};

ArchiveSlot g_slots[2];

void release_extraction(ArchiveSlot& slot) {
  if (slot.extracted_memory) {
    mem_name_release(slot.extracted_memory);
    delete[] slot.extracted_memory;
    slot.extracted_memory = nullptr;
  }
  if (!slot.extracted_file.empty()) {
    os_remove_file(path_to_native(slot.extracted_file.c_str()));
    slot.extracted_file.clear();
  }
}

bool write_whole_file(const std::string& path, const uint8_t* bytes, size_t size) {
  os_remove_file(path);
  int fd = os_open(path, OsOpen::write_private);
  if (fd < 0) return false;
  const bool written = os_write_all(fd, bytes, size);
  const bool ok = os_close(fd) == 0 && written;
  if (!ok) os_remove_file(path);
  return ok;
}

}  // namespace

void archive_slots_create() {
  for (ArchiveSlot& slot : g_slots) {
    release_extraction(slot);
    slot.active = false;
    slot.archive_name.clear();
  }
}

void archive_slots_release() {
  for (ArchiveSlot& slot : g_slots) {
    release_extraction(slot);
    slot.active = false;
    slot.archive_name.clear();
  }
}

void archive_set_names(const Str& first, const Str& second) {
  const char* names[2] = {first.data, second.data};
  for (int i = 0; i < 2; ++i) {
    g_slots[i].active = true;
    release_extraction(g_slots[i]);
    g_slots[i].archive_name = names[i] ? names[i] : "";
    const std::string problem = archive_problem(g_slots[i].archive_name);
    if (!problem.empty())
      log_line(("Cannot read the archive \"" + g_slots[i].archive_name + "\": " + problem + "\n").c_str());
  }
}

std::string archive_problem(const std::string& archive_name) {
  if (archive_name.empty()) return "";
  if (!mem_name_is(archive_name.c_str())) {
    OsFileInfo info;
    if (!os_stat(path_to_native(archive_name.c_str()), info))
      return errno == ENOENT ? "" : std::strerror(errno);
    if (info.kind != OsFileKind::file) return "not a file";
  }
  errno = 0;
  std::unique_ptr<ArchiveSource> src = archive_source_open(archive_name.c_str());
  if (!src) return errno ? std::strerror(errno) : "cannot be opened";
  ArchiveDirectory dir;
  if (!archive_read_directory(*src, dir)) return "not an archive (no \"zaZ\" trailer)";
  bool complete = false;
  const size_t entries = archive_list_entries(*src, dir, &complete).size();
  if (!complete) return "its directory is damaged after " + std::to_string(entries) + " entries";
  return "";
}

ArchiveLookup archive_last_lookup(int slot) {
  return slot >= 0 && slot < 2 ? g_slots[slot].last_lookup : ArchiveLookup::not_found;
}

std::string archive_slot_name(int slot) { return slot >= 0 && slot < 2 ? g_slots[slot].archive_name : ""; }

bool archive_slot_active(int slot) { return slot >= 0 && slot < 2 && g_slots[slot].active; }

std::string archive_slot_extracted_file(int slot) {
  return (slot >= 0 && slot < 2) ? g_slots[slot].extracted_file : std::string();
}

std::string archive_temp_path(const std::string& entry_name, int32_t data_position, int32_t packed_size) {
  std::string path = platform_temp_dir();
  path += "zaz";
  path += char('A' + uint8_t(data_position) % 26);
  path += char('A' + uint8_t(packed_size) % 26);
  // The entry name matched a base name, but keep only its last component all the same.
  path += archive_base_name(entry_name.c_str());
  return path;
}

int archive_resolve(int slot_id, const char* name, Str& out_path, int to_memory) {
  if (slot_id < 0 || slot_id > 1) {
    out_path = "";
    return 0;
  }
  ArchiveSlot& slot = g_slots[slot_id];
  release_extraction(slot);
  slot.last_lookup = ArchiveLookup::not_found;

  if (!name || !*name || std::char_traits<char>::length(name) > FILE_PATH_MAX) {
    out_path = "";
    return 0;
  }
  out_path = name;
  if (mem_name_is(name)) {
    if (!mem_name_lookup(name, nullptr, nullptr)) return 0;
    slot.last_lookup = ArchiveLookup::found;
    return 1;
  }
  if (path_is_regular_file(name)) {
    slot.last_lookup = ArchiveLookup::found;
    return 1;
  }
  if (!slot.active) return 0;
  if (slot.archive_name.empty()) {
    slot.active = false;
    return 0;
  }

  std::unique_ptr<ArchiveSource> src = archive_source_open(slot.archive_name.c_str());
  ArchiveDirectory dir;
  if (!src || !archive_read_directory(*src, dir)) {
    slot.active = false;
    return 0;
  }
  ArchiveEntry entry;
  if (!archive_find_entry(*src, dir, archive_base_name(name), entry)) {
    out_path = "";
    return 0;
  }
  // A damaged entry is handed out as an empty one.
  UnpackedEntry unpacked;
  slot.last_lookup =
      archive_unpack_entry(*src, dir, entry, unpacked) ? ArchiveLookup::found : ArchiveLookup::damaged_entry;
  src.reset();

  if (to_memory) {
    slot.extracted_memory = unpacked.data.release();
    out_path = mem_name_register(slot.extracted_memory, unpacked.size).c_str();
    return 1;
  }
  const std::string path = archive_temp_path(entry.name, entry.data_position, entry.packed_size);
  if (!write_whole_file(path, unpacked.data.get(), unpacked.size)) {
    slot.last_lookup = ArchiveLookup::no_temp_file;
    out_path = "";
    return 0;
  }
  slot.extracted_file = path;
  out_path = path.c_str();
  return 1;
}
