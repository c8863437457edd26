// Reading a picture file for a sprite or font slot or for the background: the look-up through the data
// archive, the picture memory budget asked before any pixel is decoded, and the log line
// (media_log.h) when the file cannot be read.
#pragma once
#include <functional>

#include "engine/core/str.h"
#include "engine/media/image.h"
#include "engine/media/picture_budget.h"

// Reads file into out with the BMP, PNG and (when allow_jpeg) JPEG readers. cost tells what a picture
// of a given size takes; one whose decoded pixels and kept textures together would not fit in what the
// budget has left is refused before it is decoded. Returns 0 when read, else the error code of the failed
// load, logged: 7 refused for the budget, 3 for any other failure (not found, a damaged archive entry,
// a damaged or unsupported picture, no renderer).
int picture_file_read(const Str& file, int color_key, bool allow_jpeg,
                      const std::function<PictureCost(int w, int h)>& cost, ImageBuffer& out);

// Logs that a picture that was read could not be made a texture; returns its error code (3).
int picture_file_upload_failed(const Str& file);
