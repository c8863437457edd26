// Two archive slots ("zaZ" archives): the data slot unpacks entries to memory, the media slot to temp files.
#pragma once
#include "engine/core/str.h"

enum ArchiveSlotId { ARCHIVE_DATA = 0, ARCHIVE_MEDIA = 1 };

void archive_slots_create();
void archive_slots_release();  // frees extractions, deletes temp files
void archive_set_names(const Str& first, const Str& second);
// Resolves a name to a path that can be opened; 1 on success. out_path is set in every case.
int archive_resolve(int slot, const char* name, Str& out_path, int to_memory);
