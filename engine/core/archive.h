// Two archive slots ("zaZ" archives): the data slot unpacks entries to memory, the media slot to temp files.
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

// Inspection, for tests and diagnostics.
bool archive_slot_active(int slot);
std::string archive_slot_extracted_file(int slot);
// Temporary file name for an entry of the media slot: temp dir + "zaz" + two letters + entry name.
std::string archive_temp_path(const std::string& entry_name, int32_t data_position, int32_t packed_size);
