#include "ico_file.hpp"

#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace art {

namespace {

using Bytes = std::vector<std::uint8_t>;

cairo_status_t append(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<Bytes*>(closure)->insert(static_cast<Bytes*>(closure)->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

Bytes png_bytes(const Canvas& canvas) {
  cairo_surface_flush(canvas.surface());
  Bytes out;
  if (cairo_surface_write_to_png_stream(canvas.surface(), append, &out) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot encode an icon picture");
  return out;
}

void put16(Bytes& b, unsigned v) {
  b.push_back(std::uint8_t(v));
  b.push_back(std::uint8_t(v >> 8));
}

void put32(Bytes& b, std::uint32_t v) {
  put16(b, v & 0xffffu);
  put16(b, v >> 16);
}

}  // namespace

void save_ico(const std::vector<Canvas>& sizes, const std::string& path) {
  // The directory: reserved 0, type 1 (icon), the count; then 16 bytes per picture.
  Bytes head, data;
  put16(head, 0);
  put16(head, 1);
  put16(head, unsigned(sizes.size()));
  const std::uint32_t first = 6 + 16 * std::uint32_t(sizes.size());
  for (const Canvas& canvas : sizes) {
    const int side = canvas.width();
    if (side < 1 || side > 256 || canvas.height() != side)
      throw std::runtime_error("an icon picture is not 1 to 256 pixels square");
    const Bytes png = png_bytes(canvas);
    head.push_back(std::uint8_t(side == 256 ? 0 : side));  // 0 stands for 256
    head.push_back(std::uint8_t(side == 256 ? 0 : side));
    head.push_back(0);  // no palette
    head.push_back(0);
    put16(head, 1);   // colour planes
    put16(head, 32);  // bits per pixel
    put32(head, std::uint32_t(png.size()));
    put32(head, first + std::uint32_t(data.size()));
    data.insert(data.end(), png.begin(), png.end());
  }
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(head.data()), std::streamsize(head.size()));
  out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

}  // namespace art
