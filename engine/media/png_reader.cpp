// PNG pictures through libpng: every layout is converted to 8-bit grey, RGB or RGBA, then to RGBA pixels.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "engine/core/files.h"
#include "engine/media/image.h"
#include "engine/media/image_buffer.h"
#include "engine/media/png_format_check.h"

namespace {

// Ancillary chunks kept in memory at most, and the largest single chunk the library may allocate.
constexpr png_uint_32 kChunkCacheMax = 256;
constexpr png_alloc_size_t kChunkMallocMax = 8u * 1024 * 1024;

struct MemorySource {
  const uint8_t* data = nullptr;
  size_t size = 0;
  size_t pos = 0;
};

// Everything that lives across the library calls, kept outside the frame that calls setjmp.
struct PngDecode {
  png_structp png = nullptr;
  png_infop info = nullptr;
  MemorySource source;
  std::vector<png_bytep> rows;
};

[[noreturn]] void on_error(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void on_warning(png_structp, png_const_charp) {}

// Copies what the block still holds; asking for more than that ends the decode.
void read_from_memory(png_structp png, png_bytep dest, png_size_t length) {
  auto* src = static_cast<MemorySource*>(png_get_io_ptr(png));
  const size_t remaining = src->size - src->pos;
  const size_t n = length < remaining ? length : remaining;
  if (n) std::memcpy(dest, src->data + src->pos, n);
  src->pos += n;
  if (n < length) png_error(png, "read past the end of the data");
}

void request_conversions(png_structp png, png_infop info) {
  const int color_type = png_get_color_type(png, info);
  const int bit_depth = png_get_bit_depth(png, info);
  if (color_type == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (color_type == PNG_COLOR_TYPE_GRAY && bit_depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (bit_depth == 16) png_set_strip_16(png);
  if (bit_depth < 8) png_set_packing(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
}

// The library part. No object with a destructor is created here: a library error jumps back to the
// setjmp below and everything it leaves behind is owned by `d`.
bool decode_with_library(PngDecode& d, const char* name, int color_key, ImageBuffer& out) {
  if (setjmp(png_jmpbuf(d.png))) return false;
  png_set_user_limits(d.png, static_cast<png_uint_32>(kImageMaxSide),
                      static_cast<png_uint_32>(kImageMaxSide));
  png_set_chunk_cache_max(d.png, kChunkCacheMax);
  png_set_chunk_malloc_max(d.png, kChunkMallocMax);
  png_set_read_fn(d.png, &d.source, read_from_memory);
  png_read_info(d.png, d.info);

  const png_uint_32 width = png_get_image_width(d.png, d.info);
  const png_uint_32 height = png_get_image_height(d.png, d.info);
  if (!image_size_allowed(width, height)) return false;
  request_conversions(d.png, d.info);

  const int channels = png_get_channels(d.png, d.info);
  if (!png_format_supported(name, channels, png_get_bit_depth(d.png, d.info),
                            png_get_color_type(d.png, d.info)))
    return false;

  // 8-bit samples of at most 4 channels: one row is at most 4 * kImageMaxSide bytes.
  const size_t rowbytes = png_get_rowbytes(d.png, d.info);
  if (rowbytes < static_cast<size_t>(width) * channels || rowbytes > static_cast<size_t>(width) * 4)
    return false;
  // The rows are read straight into the output, each at the start of its RGBA row, and widened there:
  // the picture is never held twice.
  if (!image_buffer_prepare(out, width, height)) return false;
  try {
    d.rows.resize(height);
  } catch (const std::bad_alloc&) {
    return false;
  }
  const size_t stride = static_cast<size_t>(width) * 4;
  for (png_uint_32 y = 0; y < height; ++y) d.rows[y] = out.pixels.data() + y * stride;
  png_read_image(d.png, d.rows.data());
  for (png_uint_32 y = 0; y < height; ++y)
    image_widen_row(d.rows[y], static_cast<int>(width), channels, color_key);
  return true;
}

}  // namespace

bool png_format_supported(const char* name, int channels, int bit_depth, int color_type) {
  if (channels != 1 && channels != 3 && channels != 4) return false;
  if (bit_depth != 8) {
    std::printf("File %s has bit depth %d.\n", name ? name : "", bit_depth);
    std::printf("Only bit depth of 8 is supported.\n");
    std::fflush(stdout);
    return false;
  }
  if (color_type != PNG_COLOR_TYPE_GRAY && color_type != PNG_COLOR_TYPE_RGB &&
      color_type != PNG_COLOR_TYPE_RGB_ALPHA) {
    std::printf("File %s has unsupported color type.\n", name ? name : "");
    std::printf("Types GRAY, RGB and RGB_ALPHA are supported.\n");
    std::fflush(stdout);
    return false;
  }
  return true;
}

bool image_decode_png(const uint8_t* data, size_t size, const char* name, int color_key, ImageBuffer& out) {
  image_buffer_reset(out);
  if (!data || size < 4 || std::memcmp(data + 1, "PNG", 3) != 0) return false;
  PngDecode d;
  d.source = MemorySource{data, size, 0};
  d.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, on_error, on_warning);
  if (!d.png) return false;
  d.info = png_create_info_struct(d.png);
  bool ok = d.info && decode_with_library(d, name, color_key, out);
  png_destroy_read_struct(&d.png, d.info ? &d.info : nullptr, nullptr);
  if (!ok) image_buffer_reset(out);
  return ok;
}

bool image_read_png(const char* path, int color_key, ImageBuffer& out) {
  std::vector<uint8_t> bytes;
  if (!path || !file_read_all(path, bytes)) {
    image_buffer_reset(out);
    return false;
  }
  return image_decode_png(bytes.data(), bytes.size(), path, color_key, out);
}
