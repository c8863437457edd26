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
  try {
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
