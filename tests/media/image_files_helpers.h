// Writers that make test pictures in memory (BMP byte by byte, PNG through libpng, JPEG through libjpeg)
// and small file utilities for the picture reader tests.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace testimg {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
};

// A BMP as written by bmp_encode. `values` holds one entry per pixel, top row first: a palette index for
// 1/4/8 bits, the raw 16-bit word for 16 bits, a packed colour R + 256 G + 65536 B for 24 and 32 bits.
struct BmpSpec {
  int header_size = 40;  // 12 or 40
  int bits = 24;
  int width = 0;
  int height = 0;         // always positive here; see top_down
  bool top_down = false;  // store rows top row first, with a negative height (40-byte header only)
  std::vector<Rgb> palette;
  uint8_t fourth_byte = 0;  // the byte after B, G, R in 32-bit pixels
  uint8_t pad_byte = 0;     // row padding and the reserved palette byte
};
std::vector<uint8_t> bmp_encode(const BmpSpec& spec, const std::vector<uint32_t>& values);
// Bytes per stored row for a width and bit count.
size_t bmp_stride(int width, int bits);

// Little-endian patching of written files.
void put_u16(std::vector<uint8_t>& bytes, size_t at, uint16_t v);
void put_u32(std::vector<uint8_t>& bytes, size_t at, uint32_t v);

// A PNG through libpng's writer. `samples` holds one value per sample (bit depth 1..16), rows top first,
// channels interleaved as the colour type defines. Palette images take `palette`; `trns` is the palette
// alpha table for palette images or, with one entry (grey) or three (RGB), the transparent colour.
struct PngSpec {
  int width = 0;
  int height = 0;
  int color_type = 0;  // PNG_COLOR_TYPE_*
  int bit_depth = 8;
  bool interlaced = false;
  std::vector<Rgb> palette;
  std::vector<uint16_t> trns;
};
std::vector<uint8_t> png_encode(const PngSpec& spec, const std::vector<uint16_t>& samples);

// A JPEG through libjpeg's compressor: `components` interleaved samples per pixel, top row first.
// Components 1 = grey, 3 = RGB, 4 = CMYK, anything else = unknown colour space. `scans` > 0 asks for a
// progressive file with that many scans (see jpeg_encode for the counts it can make); 0 = baseline.
struct JpegSpec {
  int width = 0;
  int height = 0;
  int components = 3;
  int quality = 95;
  bool progressive = false;       // the library's standard progressive script
  bool many_scans = false;        // a progressive script of one scan per coefficient and bit (379 for RGB)
  bool single_bit_scans = false;  // one scan per coefficient only (190 for RGB)
};
std::vector<uint8_t> jpeg_encode(const JpegSpec& spec, const std::vector<uint8_t>& samples);
// Number of scans (SOS markers) in a JPEG file.
int jpeg_count_scans(const std::vector<uint8_t>& bytes);
// Offset of the first SOFn marker's length field, or 0.
size_t jpeg_find_frame_header(const std::vector<uint8_t>& bytes);

// A fresh directory for one test's files (removed by remove_dir).
std::string make_temp_dir();
void remove_dir(const std::string& dir);
std::string write_file(const std::string& dir, const std::string& name, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> read_file(const std::string& path);

// Pixel (x, y) of an RGBA buffer as { r, g, b, a }.
std::vector<int> pixel(const std::vector<uint8_t>& rgba, int width, int x, int y);

}  // namespace testimg
