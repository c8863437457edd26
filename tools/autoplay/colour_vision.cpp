#include "colour_vision.h"

#include <png.h>

#include <array>
#include <cmath>
#include <cstdio>

namespace {

using Matrix = std::array<std::array<double, 3>, 3>;

constexpr Matrix kDeuteranopia = {
    {{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}}};
constexpr Matrix kProtanopia = {
    {{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}}};
constexpr Matrix kLuminance = {
    {{0.2126, 0.7152, 0.0722}, {0.2126, 0.7152, 0.0722}, {0.2126, 0.7152, 0.0722}}};

const Matrix& matrix_of(Vision vision) {
  switch (vision) {
    case Vision::deuteranopia: return kDeuteranopia;
    case Vision::protanopia: return kProtanopia;
    case Vision::greyscale: break;
  }
  return kLuminance;
}

struct Tables {
  std::array<double, 256> to_linear{};
  Tables() {
    for (int i = 0; i < 256; ++i) {
      const double c = i / 255.0;
      to_linear[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    }
  }
};

uint8_t to_srgb(double linear) {
  linear = linear < 0 ? 0 : linear > 1 ? 1 : linear;
  const double c = linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
  return static_cast<uint8_t>(std::lround(c * 255));
}

}  // namespace

const char* vision_name(Vision vision) {
  switch (vision) {
    case Vision::greyscale: return "greyscale";
    case Vision::deuteranopia: return "deuteranopia";
    case Vision::protanopia: return "protanopia";
  }
  return "?";
}

void simulate_vision(Vision vision, uint8_t* rgb, size_t count) {
  static const Tables tables;
  const Matrix& m = matrix_of(vision);
  for (size_t i = 0; i < count; ++i, rgb += 3) {
    const double in[3] = {tables.to_linear[rgb[0]], tables.to_linear[rgb[1]], tables.to_linear[rgb[2]]};
    for (int k = 0; k < 3; ++k) rgb[k] = to_srgb(m[k][0] * in[0] + m[k][1] * in[1] + m[k][2] * in[2]);
  }
}

bool write_rgb_png(const std::string& path, const uint8_t* rgb, int width, int height) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y)
    png_write_row(png, const_cast<uint8_t*>(rgb + static_cast<size_t>(y) * width * 3));
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return std::fclose(f) == 0;
}
