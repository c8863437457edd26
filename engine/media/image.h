// Decoded pictures and the readers that make them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// RGBA pixels, top row first, width * 4 bytes per row.
struct ImageBuffer {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> pixels;
  // Optional, set before decoding. Every reader asks it once the picture's size is known and before
  // any pixel is stored: it answers how many bytes to set aside for the pixels (more than
  // width * height * 4 leaves room to turn them into a padded texture in place), or 0 to refuse the
  // picture, which then fails to decode with `refused` set.
  std::function<size_t(int32_t width, int32_t height)> admit;
  bool refused = false;
};

constexpr int kNoColorKey = -1;

// Each reader takes a resolved path (a live "mem://" name or a disk path) and fails cleanly on bad data.
bool image_read_bmp(const char* path, int color_key, ImageBuffer& out);
bool image_read_png(const char* path, int color_key, ImageBuffer& out);
bool image_read_jpeg(const char* path, ImageBuffer& out);
// The same readers over bytes already in memory (used by the path readers and by the fuzz targets).
bool image_decode_bmp(const uint8_t* data, size_t size, int color_key, ImageBuffer& out);
bool image_decode_png(const uint8_t* data, size_t size, const char* name, int color_key, ImageBuffer& out);
bool image_decode_jpeg(const uint8_t* data, size_t size, ImageBuffer& out);
// BMP, then PNG, then JPEG (if allow_jpeg); the first that succeeds wins. A picture that out.admit
// refuses is not offered to the readers after the one that recognised it.
bool image_read_any(const char* path, int color_key, bool allow_jpeg, ImageBuffer& out);
