#include "bmp_writer.hpp"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace art {

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xff));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xff));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  put16(out, v & 0xffff);
  put16(out, v >> 16);
}

std::uint8_t channel(std::uint32_t premultiplied, double k, double edge) {
  return static_cast<std::uint8_t>(std::lround(std::min(255.0, premultiplied + k * edge * 255)));
}

}  // namespace

std::vector<std::uint8_t> encode_bmp(const Canvas& canvas, Rgb edge) {
  const int w = canvas.width(), h = canvas.height();
  const std::uint32_t row_bytes = (static_cast<std::uint32_t>(w) * 3 + 3) & ~3u;
  const std::uint32_t image_bytes = row_bytes * static_cast<std::uint32_t>(h);
  std::vector<std::uint8_t> out;
  out.reserve(54 + image_bytes);
  // File header.
  out.push_back('B');
  out.push_back('M');
  put32(out, 54 + image_bytes);
  put32(out, 0);
  put32(out, 54);
  // Info header.
  put32(out, 40);
  put32(out, static_cast<std::uint32_t>(w));
  put32(out, static_cast<std::uint32_t>(h));  // positive height: bottom-up rows
  put16(out, 1);
  put16(out, 24);
  put32(out, 0);  // BI_RGB
  put32(out, image_bytes);
  put32(out, 2835);  // 72 dpi
  put32(out, 2835);
  put32(out, 0);
  put32(out, 0);

  cairo_surface_flush(canvas.surface());
  const auto key_r = static_cast<std::uint8_t>(std::lround(kKeyColour.r * 255));
  const auto key_g = static_cast<std::uint8_t>(std::lround(kKeyColour.g * 255));
  const auto key_b = static_cast<std::uint8_t>(std::lround(kKeyColour.b * 255));
  for (int y = h - 1; y >= 0; --y) {
    const std::uint32_t* p = canvas.row(y);
    for (int x = 0; x < w; ++x) {
      std::uint32_t v = p[x];
      std::uint32_t a = canvas.opaque() ? 255 : v >> 24;
      if (a < 128) {
        out.push_back(key_b);
        out.push_back(key_g);
        out.push_back(key_r);
        continue;
      }
      double k = (255 - a) / 255.0;
      std::uint8_t r = channel((v >> 16) & 0xff, k, edge.r);
      std::uint8_t g = channel((v >> 8) & 0xff, k, edge.g);
      std::uint8_t b = channel(v & 0xff, k, edge.b);
      if (r == key_r && g == key_g && b == key_b) b ^= 1;  // never hit the key by accident
      out.push_back(b);
      out.push_back(g);
      out.push_back(r);
    }
    for (std::uint32_t pad = static_cast<std::uint32_t>(w) * 3; pad < row_bytes; ++pad) out.push_back(0);
  }
  return out;
}

void save_bmp(const Canvas& canvas, Rgb edge, const std::string& path) {
  std::vector<std::uint8_t> bytes = encode_bmp(canvas, edge);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace art
