// Two archive slots ("zaZ" archives): the data slot unpacks entries to memory, the media slot to temp files.
// Naming an archive that exists but cannot be read writes a line to the log.
#pragma once
#include <string>
#include "engine/core/str.h"

enum ArchiveSlotId { ARCHIVE_DATA = 0, ARCHIVE_MEDIA = 1 };

void archive_slots_create();
void archive_slots_release();  // frees extractions, deletes temp files
void archive_set_names(const Str& first, const Str& second);
// Resolves a name to a path that can be opened; 1 on success. out_path is set in every case.
// A loose file wins; a live "mem://" name resolves to itself; otherwise the slot's archive is searched
// for the name's base name. The previous extraction of the slot is released first.
int archive_resolve(int slot, const char* name, Str& out_path, int to_memory);

// What the last archive_resolve on a slot found, for the log of a load that fails.
enum class ArchiveLookup {
  found,              // a loose file, a live "mem://" name or an intact archive entry
  not_found,          // no such file, and no usable archive holds the name
  damaged_directory,  // not found, in an archive whose directory ends in damage before its end
  damaged_entry,      // the archive holds the name but its data cannot be unpacked (handed out empty)
  large_entry,        // the entry unpacks to more than any media file may have (handed out empty)
  no_memory,          // there was no memory to unpack the entry (handed out empty)
  no_temp_file,       // the entry could not be written to its temporary file
};
ArchiveLookup archive_last_lookup(int slot);
// The archive a slot names ("" when none).
std::string archive_slot_name(int slot);
// Why an archive cannot be read ("" when it can, or when no file of that name exists, as the loose
// files of a folder without archives are then used): it cannot be opened, is not an archive, or its
// directory is damaged.
std::string archive_problem(const std::string& archive_name);

// Inspection, for tests and diagnostics.
bool archive_slot_active(int slot);
std::string archive_slot_extracted_file(int slot);
// Temporary file name for an entry of the media slot: "zaz" + two letters + entry name, in this
// process's own temporary folder; "" when that folder cannot be made.
std::string archive_temp_path(const std::string& entry_name, int32_t data_position, int32_t packed_size);
// The folder archive_temp_path names files in: this process's own in the temporary directory, made by
// the first archive_temp_path call and removed with everything in it by archive_slots_release. ""
// while there is none.
std::string archive_temp_folder();
