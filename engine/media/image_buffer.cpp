#include "engine/media/image_buffer.h"

#include <new>

bool image_size_allowed(int64_t width, int64_t height) {
  if (width < 1 || height < 1) return false;
  if (width > kImageMaxSide || height > kImageMaxSide) return false;
  return width * height <= kImageMaxPixels;  // both sides are at most 2^14: no overflow
}

bool image_buffer_prepare(ImageBuffer& out, int64_t width, int64_t height) {
  image_buffer_reset(out);
  if (!image_size_allowed(width, height)) return false;
  const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
  size_t room = bytes;
  if (out.admit) {
    room = out.admit(static_cast<int32_t>(width), static_cast<int32_t>(height));
    if (room == 0) {
      out.refused = true;
      return false;
    }
  }
  try {
    // Only the picture's own bytes are written now; the rest of the room stays untouched until used.
    if (room > bytes) out.pixels.reserve(room);
    out.pixels.assign(bytes, 0);
  } catch (const std::bad_alloc&) {
    image_buffer_reset(out);
    return false;
  }
  out.width = static_cast<int32_t>(width);
  out.height = static_cast<int32_t>(height);
  return true;
}

void image_buffer_reset(ImageBuffer& out) {
  out.width = 0;
  out.height = 0;
  out.pixels.clear();
}

void image_widen_row(uint8_t* row, int width, int channels, int color_key) {
  if (channels == 4) return;
  // From the right: pixel x's RGBA bytes start at 4x, past every narrower pixel still to be read.
  for (int x = width - 1; x >= 0; --x) {
    const uint8_t* src = row + static_cast<size_t>(x) * channels;
    uint8_t rgba[4] = {src[0], src[0], src[0], 255};
    if (channels == 3) {
      rgba[1] = src[1];
      rgba[2] = src[2];
      if (color_key != kNoColorKey && image_pack_rgb(rgba[0], rgba[1], rgba[2]) == color_key) {
        rgba[0] = rgba[1] = rgba[2] = rgba[3] = 0;
      }
    }
    uint8_t* dst = row + static_cast<size_t>(x) * 4;
    dst[0] = rgba[0];
    dst[1] = rgba[1];
    dst[2] = rgba[2];
    dst[3] = rgba[3];
  }
}
