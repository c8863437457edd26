// BMP pictures: a 14-byte file header, a 12-byte (core) or 40-byte (info) header, 1/4/8/16/24/32 bits per
// pixel, rows read as uncompressed data in either order.
#include <array>
#include <cstdint>
#include <vector>

#include "engine/core/files.h"
#include "engine/media/image.h"
#include "engine/media/image_buffer.h"

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

uint16_t read_u16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t read_u32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
};

// Palette entries the file actually holds; indexes past them read as black.
struct Palette {
  std::array<Rgb, 256> entries{};
  size_t count = 0;
  Rgb at(unsigned index) const { return index < count ? entries[index] : Rgb{}; }
};

// Reads up to `wanted` entries of `entry_size` bytes (B, G, R[, reserved]) from [begin, end).
void read_palette(const uint8_t* data, size_t begin, size_t end, size_t entry_size, size_t wanted,
                  Palette& palette) {
  palette.count = 0;
  if (end <= begin) return;
  size_t available = (end - begin) / entry_size;
  if (wanted > palette.entries.size()) wanted = palette.entries.size();
  if (available > wanted) available = wanted;
  for (size_t i = 0; i < available; ++i) {
    const uint8_t* e = data + begin + i * entry_size;
    palette.entries[i] = Rgb{e[2], e[1], e[0]};
  }
  palette.count = available;
}

uint8_t scale5(unsigned c) { return static_cast<uint8_t>(c * 255 / 31); }

// The colour of pixel x of one stored row.
Rgb pixel_at(const uint8_t* row, int64_t x, int bits, const Palette& palette) {
  switch (bits) {
    case 1: return palette.at((row[x >> 3] >> (7 - (x & 7))) & 1);
    case 4: return palette.at((x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4));
    case 8: return palette.at(row[x]);
    case 16: {
      const unsigned v = read_u16(row + 2 * x);
      return Rgb{scale5((v >> 10) & 31), scale5((v >> 5) & 31), scale5(v & 31)};
    }
    case 24: return Rgb{row[3 * x + 2], row[3 * x + 1], row[3 * x]};
    default: return Rgb{row[4 * x + 2], row[4 * x + 1], row[4 * x]};  // 32: fourth byte ignored
  }
}

bool bits_supported(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool decode(const uint8_t* data, size_t size, int color_key, ImageBuffer& out) {
  if (!data || size < kFileHeaderSize + 4) return false;
  if (data[0] != 'B' || data[1] != 'M') return false;
  const uint64_t pixel_offset = read_u32(data + 10);
  const uint32_t header_size = read_u32(data + kFileHeaderSize);
  if (header_size != kCoreHeaderSize && header_size != kInfoHeaderSize) return false;
  // The header lies inside the info block (which ends where the pixel data starts) and inside the file.
  const uint64_t header_end = kFileHeaderSize + header_size;
  if (pixel_offset < header_end || header_end > size) return false;

  const uint8_t* h = data + kFileHeaderSize;
  int64_t width = 0;
  int64_t height = 0;
  int bits = 0;
  if (header_size == kCoreHeaderSize) {
    width = read_u16(h + 4);
    height = read_u16(h + 6);
    bits = read_u16(h + 10);
  } else {
    width = static_cast<int32_t>(read_u32(h + 4));
    height = static_cast<int32_t>(read_u32(h + 8));
    bits = read_u16(h + 14);
  }
  const bool top_down = height < 0;
  if (top_down) height = -height;  // int64: -2^31 becomes 2^31 and the size check refuses it
  if (!bits_supported(bits)) return false;
  if (!image_size_allowed(width, height)) return false;

  // Rows are whole 4-byte words; the sizes are bounded above, so 64-bit products cannot overflow.
  const uint64_t stride = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
  const uint64_t pixel_bytes = stride * static_cast<uint64_t>(height);
  if (pixel_offset > size || pixel_bytes > size - pixel_offset) return false;

  Palette palette;
  if (bits <= 8) {
    if (header_size == kInfoHeaderSize) {
      // 4-byte entries fill the space between the header and the pixel data.
      read_palette(data, header_end, pixel_offset, 4, 256, palette);
    } else {
      read_palette(data, header_end, pixel_offset, 3, size_t{1} << bits, palette);
    }
  }

  if (!image_buffer_prepare(out, width, height)) return false;
  const uint8_t* pixels = data + pixel_offset;
  uint8_t* dst = out.pixels.data();
  for (int64_t y = 0; y < height; ++y) {
    const int64_t stored_row = top_down ? y : height - 1 - y;
    const uint8_t* row = pixels + static_cast<uint64_t>(stored_row) * stride;
    for (int64_t x = 0; x < width; ++x, dst += 4) {
      const Rgb c = pixel_at(row, x, bits, palette);
      if (color_key != kNoColorKey && image_pack_rgb(c.r, c.g, c.b) == color_key) continue;  // stays 0
      dst[0] = c.r;
      dst[1] = c.g;
      dst[2] = c.b;
      dst[3] = 255;
    }
  }
  return true;
}

}  // namespace

bool image_decode_bmp(const uint8_t* data, size_t size, int color_key, ImageBuffer& out) {
  if (decode(data, size, color_key, out)) return true;
  image_buffer_reset(out);
  return false;
}

bool image_read_bmp(const char* path, int color_key, ImageBuffer& out) {
  FileBytes bytes;
  if (!path || !file_bytes(path, kMediaFileMaxBytes, bytes)) {
    image_buffer_reset(out);
    return false;
  }
  return image_decode_bmp(bytes.data, bytes.size, color_key, out);
}
