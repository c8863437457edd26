// Fuzz target: the BMP reader over arbitrary bytes; every input must decode or fail cleanly.
#include <cstddef>
#include <cstdint>

#include "engine/media/image.h"

constexpr int kSpriteKey = 255 + 0 * 256 + 128 * 65536;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ImageBuffer out;
  if (image_decode_bmp(data, size, kSpriteKey, out)) {
    // A decoded picture is exactly width x height RGBA pixels.
    if (out.pixels.size() != static_cast<size_t>(out.width) * static_cast<size_t>(out.height) * 4)
      __builtin_trap();
  }
  return 0;
}
