// Fuzz target: the PNG reader over arbitrary bytes; every input must decode or fail cleanly.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/media/image.h"

namespace {

constexpr int kSpriteKey = 255 + 0 * 256 + 128 * 65536;

uint32_t read_be32(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
         (static_cast<uint32_t>(p[2]) << 8) | p[3];
}

// Mutated chunks almost never keep a valid checksum, and the library refuses those before decoding
// anything; rewrite every whole chunk's checksum so the mutations reach the decoder.
void fix_chunk_checksums(std::vector<uint8_t>& png) {
  size_t at = 8;
  while (at + 12 <= png.size()) {
    const uint32_t length = read_be32(png.data() + at);
    if (length > png.size() - at - 12) break;
    const uint32_t crc = static_cast<uint32_t>(crc32(0, png.data() + at + 4, length + 4));
    uint8_t* out = png.data() + at + 8 + length;
    out[0] = static_cast<uint8_t>(crc >> 24);
    out[1] = static_cast<uint8_t>(crc >> 16);
    out[2] = static_cast<uint8_t>(crc >> 8);
    out[3] = static_cast<uint8_t>(crc);
    at += 12 + length;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  fix_chunk_checksums(bytes);
  ImageBuffer out;
  if (image_decode_png(bytes.data(), bytes.size(), "fuzz.png", kSpriteKey, out)) {
    // A decoded picture is exactly width x height RGBA pixels.
    if (out.pixels.size() != static_cast<size_t>(out.width) * static_cast<size_t>(out.height) * 4)
      __builtin_trap();
  }
  return 0;
}
