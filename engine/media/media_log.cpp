// Media files that cannot be loaded, in the log: see media_log.h.
#include "engine/media/media_log.h"

#include <set>

#include "engine/core/archive.h"
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
  if (reason == kNotFound && !names_a_file(name)) return;
  if (!logged.insert(name).second) return;
  log_line(("Cannot load \"" + name + "\": " + reason + "\n").c_str());
}

std::string media_lookup_problem(int archive_slot) {
  switch (archive_last_lookup(archive_slot)) {
    case ArchiveLookup::found: return "";
    case ArchiveLookup::damaged_entry: return "damaged entry in \"" + archive_slot_name(archive_slot) + "\"";
    case ArchiveLookup::no_temp_file: return "its temporary file cannot be written";
    case ArchiveLookup::not_found: break;
  }
  return kNotFound;
}
