// Fuzz target: glyph measurement over font pictures of fuzzed size and alpha.
// Input: 2 bytes width, 2 bytes height (little-endian, each limited to 1..512), then alpha bytes
// (repeated over the picture), and optionally a texture limit byte at the start of the data.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/media/font_glyphs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 5) return 0;
  const int width = 1 + ((data[0] | (data[1] << 8)) % 512);
  const int height = 1 + ((data[2] | (data[3] << 8)) % 512);
  const int limit = 16 << (data[4] % 6);  // 16 .. 512
  data += 5;
  size -= 5;
  ImageBuffer image;
  image.width = width;
  image.height = height;
  image.pixels.assign(static_cast<size_t>(width) * height * 4, 0);
  if (size > 0) {
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) image.pixels[i * 4 + 3] = data[i % size];
  }
  GlyphRecord glyphs[256];
  font_measure_glyphs(image, limit, glyphs);
  const FontLayout layout = font_layout(width < limit ? width : limit, height < limit ? height : limit);
  for (int g = 0; g < 256; ++g) {
    // Every glyph stays within its cell.
    if (glyphs[g].left + glyphs[g].advance > layout.cell_width && g != ' ') std::abort();
    if (glyphs[g].u1 < glyphs[g].u0) std::abort();
  }
  return 0;
}
