// Media files that cannot be loaded, in the log: see media_log.h.
#include "engine/media/media_log.h"

#include <cstdio>
#include <set>

#include "engine/core/archive.h"
#include "engine/core/files.h"
#include "engine/core/log.h"

namespace {

// A name whose last part has no type suffix names no media file: games load one such as "XXX" on
// purpose, to empty a slot.
bool names_a_file(const std::string& name) {
  const size_t base = name.find_last_of("/\\");
  return name.find('.', base == std::string::npos ? 0 : base + 1) != std::string::npos;
}

}  // namespace

void media_log_failure(const char* file, const std::string& reason) {
  static std::set<std::string> logged;
  const std::string name = file ? file : "";
  if (reason.rfind(kNotFound, 0) == 0 && !names_a_file(name)) return;
  if (!logged.insert(name).second) return;
  log_line(("Cannot load \"" + name + "\": " + reason + "\n").c_str());
}

std::string media_lookup_problem(int archive_slot) {
  switch (archive_last_lookup(archive_slot)) {
    case ArchiveLookup::found: return "";
    case ArchiveLookup::damaged_entry: return "damaged entry in \"" + archive_slot_name(archive_slot) + "\"";
    case ArchiveLookup::no_temp_file: return "its temporary file cannot be written";
    case ArchiveLookup::damaged_directory:
      return std::string(kNotFound) + " (the directory of \"" + archive_slot_name(archive_slot) +
             "\" is damaged)";
    case ArchiveLookup::large_entry:
      return "its entry in \"" + archive_slot_name(archive_slot) +
             "\" unpacks to more than a media file may have (" + std::to_string(kMediaFileMaxBytes >> 20) +
             " MB)";
    case ArchiveLookup::no_memory: return kNoMemory;
    case ArchiveLookup::not_found: break;
  }
  return kNotFound;
}

std::string media_size_problem(const char* path) {
  const int64_t size = file_input_size(path);
  if (size < 0 || uint64_t(size) <= kMediaFileMaxBytes) return "";
  char text[120];
  std::snprintf(text, sizeof text, "too large a file (%lld MB; a media file may have %lld MB)",
                static_cast<long long>((size + (1 << 20) - 1) >> 20),
                static_cast<long long>(kMediaFileMaxBytes >> 20));
  return text;
}
