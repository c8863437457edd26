// Picture files of any supported kind: BMP, then PNG, then JPEG; the first reader that accepts wins.
#include <vector>

#include "engine/core/files.h"
#include "engine/media/image.h"
#include "engine/media/image_buffer.h"

bool image_read_any(const char* path, int color_key, bool allow_jpeg, ImageBuffer& out) {
  out.refused = false;
  FileBytes bytes;
  if (!path || !file_bytes(path, kMediaFileMaxBytes, bytes)) {
    image_buffer_reset(out);
    return false;
  }
  if (image_decode_bmp(bytes.data, bytes.size, color_key, out)) return true;
  // A picture refused for its size is not offered to the next reader.
  if (out.refused) return false;
  if (image_decode_png(bytes.data, bytes.size, path, color_key, out)) return true;
  if (out.refused) return false;
  bytes = {};
  // JPEG takes no colour key and reads files on disk only.
  return allow_jpeg && image_read_jpeg(path, out);
}
