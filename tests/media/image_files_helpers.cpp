#include "image_files_helpers.h"

#include <jpeglib.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "portable.h"

namespace testimg {

void put_u16(std::vector<uint8_t>& bytes, size_t at, uint16_t v) {
  bytes.at(at) = static_cast<uint8_t>(v);
  bytes.at(at + 1) = static_cast<uint8_t>(v >> 8);
}

void put_u32(std::vector<uint8_t>& bytes, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
}

size_t bmp_stride(int width, int bits) { return ((static_cast<size_t>(width) * bits + 31) / 32) * 4; }

std::vector<uint8_t> bmp_encode(const BmpSpec& spec, const std::vector<uint32_t>& values) {
  if (values.size() != static_cast<size_t>(spec.width) * spec.height) throw std::invalid_argument("values");
  const bool paletted = spec.bits <= 8;
  const size_t entry = spec.header_size == 12 ? 3 : 4;
  const size_t palette_bytes = paletted ? spec.palette.size() * entry : 0;
  const size_t offset = 14 + spec.header_size + palette_bytes;
  const size_t stride = bmp_stride(spec.width, spec.bits);
  std::vector<uint8_t> out(offset + stride * spec.height, spec.pad_byte);

  out[0] = 'B';
  out[1] = 'M';
  put_u32(out, 2, static_cast<uint32_t>(out.size()));
  put_u32(out, 6, 0);
  put_u32(out, 10, static_cast<uint32_t>(offset));
  put_u32(out, 14, spec.header_size);
  if (spec.header_size == 12) {
    put_u16(out, 18, static_cast<uint16_t>(spec.width));
    put_u16(out, 20, static_cast<uint16_t>(spec.height));
    put_u16(out, 22, 1);
    put_u16(out, 24, static_cast<uint16_t>(spec.bits));
  } else {
    put_u32(out, 18, static_cast<uint32_t>(spec.width));
    put_u32(out, 22, static_cast<uint32_t>(spec.top_down ? -spec.height : spec.height));
    put_u16(out, 26, 1);
    put_u16(out, 28, static_cast<uint16_t>(spec.bits));
    for (size_t at = 30; at < 54; at += 4) put_u32(out, at, 0);
    put_u32(out, 34, static_cast<uint32_t>(stride * spec.height));
    put_u32(out, 46, paletted ? static_cast<uint32_t>(spec.palette.size()) : 0);
  }
  size_t at = 14 + spec.header_size;
  if (paletted) {
    for (const Rgb& c : spec.palette) {
      out[at++] = c.b;
      out[at++] = c.g;
      out[at++] = c.r;
      if (entry == 4) out[at++] = spec.pad_byte;
    }
  }
  for (int y = 0; y < spec.height; ++y) {
    const int stored = spec.top_down ? y : spec.height - 1 - y;
    uint8_t* row = out.data() + offset + stride * stored;
    std::memset(row, 0, (static_cast<size_t>(spec.width) * spec.bits + 7) / 8);
    for (int x = 0; x < spec.width; ++x) {
      const uint32_t v = values[static_cast<size_t>(y) * spec.width + x];
      switch (spec.bits) {
        case 1: row[x / 8] |= static_cast<uint8_t>((v & 1) << (7 - x % 8)); break;
        case 4: row[x / 2] |= static_cast<uint8_t>((v & 15) << (x % 2 ? 0 : 4)); break;
        case 8: row[x] = static_cast<uint8_t>(v); break;
        case 16:
          row[2 * x] = static_cast<uint8_t>(v);
          row[2 * x + 1] = static_cast<uint8_t>(v >> 8);
          break;
        case 24:
        case 32: {
          uint8_t* p = row + x * (spec.bits / 8);
          p[0] = static_cast<uint8_t>(v >> 16);  // B
          p[1] = static_cast<uint8_t>(v >> 8);   // G
          p[2] = static_cast<uint8_t>(v);        // R
          if (spec.bits == 32) p[3] = spec.fourth_byte;
          break;
        }
        default: throw std::invalid_argument("bits");
      }
    }
  }
  return out;
}

namespace {

void png_write_to_vector(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}
void png_flush_nothing(png_structp) {}
[[noreturn]] void png_writer_error(png_structp, png_const_charp message) {
  throw std::runtime_error(message);
}

int png_channels_of(int color_type) {
  switch (color_type) {
    case PNG_COLOR_TYPE_GRAY:
    case PNG_COLOR_TYPE_PALETTE: return 1;
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    default: return 4;
  }
}

}  // namespace

std::vector<uint8_t> png_encode(const PngSpec& spec, const std::vector<uint16_t>& samples) {
  const int channels = png_channels_of(spec.color_type);
  const size_t per_row = static_cast<size_t>(spec.width) * channels;
  if (samples.size() != per_row * spec.height) throw std::invalid_argument("samples");
  const size_t row_bytes = (per_row * spec.bit_depth + 7) / 8;
  std::vector<uint8_t> packed(row_bytes * spec.height, 0);
  for (int y = 0; y < spec.height; ++y) {
    uint8_t* row = packed.data() + row_bytes * y;
    for (size_t i = 0; i < per_row; ++i) {
      const uint16_t v = samples[per_row * y + i];
      if (spec.bit_depth == 16) {
        row[2 * i] = static_cast<uint8_t>(v >> 8);
        row[2 * i + 1] = static_cast<uint8_t>(v);
      } else if (spec.bit_depth == 8) {
        row[i] = static_cast<uint8_t>(v);
      } else {
        const size_t bit = i * spec.bit_depth;
        row[bit / 8] |= static_cast<uint8_t>(v << (8 - spec.bit_depth - bit % 8));
      }
    }
  }

  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, png_writer_error, nullptr);
  png_infop info = png_create_info_struct(png);
  try {
    png_set_write_fn(png, &out, png_write_to_vector, png_flush_nothing);
    png_set_IHDR(png, info, spec.width, spec.height, spec.bit_depth, spec.color_type,
                 spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (const Rgb& c : spec.palette) palette.push_back(png_color{c.r, c.g, c.b});
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    std::vector<png_byte> trans_alpha;
    png_color_16 trans_color{};
    if (!spec.trns.empty()) {
      if (spec.color_type == PNG_COLOR_TYPE_PALETTE) {
        for (uint16_t a : spec.trns) trans_alpha.push_back(static_cast<png_byte>(a));
        png_set_tRNS(png, info, trans_alpha.data(), static_cast<int>(trans_alpha.size()), nullptr);
      } else {
        if (spec.trns.size() == 1) {
          trans_color.gray = spec.trns[0];
        } else {
          trans_color.red = spec.trns.at(0);
          trans_color.green = spec.trns.at(1);
          trans_color.blue = spec.trns.at(2);
        }
        png_set_tRNS(png, info, nullptr, 0, &trans_color);
      }
    }
    png_write_info(png, info);
    std::vector<png_bytep> rows(spec.height);
    for (int y = 0; y < spec.height; ++y) rows[y] = packed.data() + row_bytes * y;
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
  } catch (...) {
    png_destroy_write_struct(&png, &info);
    throw;
  }
  png_destroy_write_struct(&png, &info);
  return out;
}

namespace {

[[noreturn]] void jpeg_writer_error(j_common_ptr cinfo) {
  char text[JMSG_LENGTH_MAX];
  cinfo->err->format_message(cinfo, text);
  throw std::runtime_error(text);
}

// Scan script: DC of all components first, then every AC coefficient of every component alone; with
// two_bits, each coefficient goes in two passes (the high bits, then a refinement of the last bit).
std::vector<jpeg_scan_info> coefficient_script(int components, bool two_bits) {
  std::vector<jpeg_scan_info> script;
  jpeg_scan_info dc{};
  dc.comps_in_scan = components;
  for (int c = 0; c < components; ++c) dc.component_index[c] = c;
  script.push_back(dc);
  for (int pass = 0; pass < (two_bits ? 2 : 1); ++pass) {
    for (int c = 0; c < components; ++c) {
      for (int k = 1; k < 64; ++k) {
        jpeg_scan_info s{};
        s.comps_in_scan = 1;
        s.component_index[0] = c;
        s.Ss = s.Se = k;
        s.Ah = two_bits && pass == 1 ? 1 : 0;
        s.Al = two_bits && pass == 0 ? 1 : 0;
        script.push_back(s);
      }
    }
  }
  return script;
}

}  // namespace

std::vector<uint8_t> jpeg_encode(const JpegSpec& spec, const std::vector<uint8_t>& samples) {
  if (samples.size() != static_cast<size_t>(spec.width) * spec.height * spec.components)
    throw std::invalid_argument("samples");
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  err.error_exit = jpeg_writer_error;
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  std::vector<jpeg_scan_info> script;
  try {
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = spec.width;
    cinfo.image_height = spec.height;
    cinfo.input_components = spec.components;
    cinfo.in_color_space = spec.components == 1   ? JCS_GRAYSCALE
                           : spec.components == 3 ? JCS_RGB
                           : spec.components == 4 ? JCS_CMYK
                                                  : JCS_UNKNOWN;
    jpeg_set_defaults(&cinfo);
    if (cinfo.in_color_space == JCS_UNKNOWN) jpeg_set_colorspace(&cinfo, JCS_UNKNOWN);
    jpeg_set_quality(&cinfo, spec.quality, TRUE);
    if (spec.progressive) jpeg_simple_progression(&cinfo);
    if (spec.many_scans || spec.single_bit_scans) {
      script = coefficient_script(spec.components, spec.many_scans);
      cinfo.scan_info = script.data();
      cinfo.num_scans = static_cast<int>(script.size());
    }
    jpeg_start_compress(&cinfo, TRUE);
    const size_t row_bytes = static_cast<size_t>(spec.width) * spec.components;
    while (cinfo.next_scanline < cinfo.image_height) {
      JSAMPROW row = const_cast<uint8_t*>(samples.data()) + row_bytes * cinfo.next_scanline;
      jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
  } catch (...) {
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    throw;
  }
  jpeg_destroy_compress(&cinfo);
  std::vector<uint8_t> out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

int jpeg_count_scans(const std::vector<uint8_t>& bytes) {
  int scans = 0;
  for (size_t i = 0; i + 1 < bytes.size(); ++i)
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xDA) ++scans;
  return scans;
}

size_t jpeg_find_frame_header(const std::vector<uint8_t>& bytes) {
  for (size_t i = 0; i + 1 < bytes.size(); ++i)
    if (bytes[i] == 0xFF && (bytes[i + 1] == 0xC0 || bytes[i + 1] == 0xC1 || bytes[i + 1] == 0xC2))
      return i + 2;
  return 0;
}

std::string make_temp_dir() {
  const std::string dir = portable::make_temp_dir("brakka_img_");
  if (dir.empty()) throw std::runtime_error("no temporary folder");
  return dir;
}

void remove_dir(const std::string& dir) {
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
}

std::string write_file(const std::string& dir, const std::string& name, const std::vector<uint8_t>& bytes) {
  const std::string path = dir + "/" + name;
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!f) throw std::runtime_error("write " + path);
  return path;
}

std::vector<uint8_t> read_file(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::vector<int> pixel(const std::vector<uint8_t>& rgba, int width, int x, int y) {
  const size_t at = (static_cast<size_t>(y) * width + x) * 4;
  return {rgba.at(at), rgba.at(at + 1), rgba.at(at + 2), rgba.at(at + 3)};
}

}  // namespace testimg
