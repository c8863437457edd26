// Pictures of the menu-scene benchmark, written as 24-bit BMP files both programs load.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/bench/bench_common.h"

namespace menu_scene {

constexpr int kFrames = 1000;
constexpr int kFrameRate = 50;
constexpr int kSprites = 20;
constexpr int kLines = 10;
constexpr int kSpriteSize = 64;
constexpr const char* kLine = "The quick brown fox jumps over the lazy dog 0123456789";

// Glyph g of the benchmark font is a bar (3 + g % 9) pixels wide in its 16 x 16 cell.
inline int glyph_bar_width(int g) { return 3 + g % 9; }

using bench::put16;
using bench::put32;

// colour(x, y) returns 0xBBGGRR.
template <typename F>
bool write_bmp(const std::string& path, int w, int h, F colour) {
  const unsigned stride = (static_cast<unsigned>(w) * 3 + 3) & ~3u;
  std::vector<uint8_t> o;
  o.push_back('B');
  o.push_back('M');
  put32(o, 54 + stride * h);
  put32(o, 0);
  put32(o, 54);
  put32(o, 40);
  put32(o, w);
  put32(o, h);
  put16(o, 1);
  put16(o, 24);
  for (int i = 0; i < 6; ++i) put32(o, 0);
  for (int y = h - 1; y >= 0; --y) {
    const size_t start = o.size();
    for (int x = 0; x < w; ++x) {
      const unsigned c = colour(x, y);
      o.push_back((c >> 16) & 0xff);
      o.push_back((c >> 8) & 0xff);
      o.push_back(c & 0xff);
    }
    while (o.size() - start < stride) o.push_back(0);
  }
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(o.data(), 1, o.size(), f) == o.size();
  return std::fclose(f) == 0 && ok;
}

// map.bmp (800 x 600), sprite0..3.bmp (64 x 64, key colour R 255 G 0 B 128 in the corners) and
// font.bmp (256 x 128, black = transparent).
inline bool write_pictures(const std::string& dir) {
  bool ok = write_bmp(dir + "/map.bmp", 800, 600, [](int x, int y) {
    return static_cast<unsigned>((x * 255 / 800) | ((y * 255 / 600) << 8) | (((x ^ y) & 0xff) << 16));
  });
  for (int i = 0; i < 4; ++i) {
    ok = ok && write_bmp(dir + "/sprite" + std::to_string(i) + ".bmp", kSpriteSize, kSpriteSize,
                         [i](int x, int y) -> unsigned {
                           const int dx = x - 32, dy = y - 32;
                           if (dx * dx + dy * dy > 30 * 30) return 0x8000ffu;  // key colour
                           return static_cast<unsigned>(0x303030 + i * 0x402010 + x * 2);
                         });
  }
  ok = ok && write_bmp(dir + "/font.bmp", 256, 128, [](int x, int y) -> unsigned {
         const int g = (y / 16) * 16 + x / 16;
         const int cx = x % 16, cy = y % 16;
         return (g > 32 && cx >= 1 && cx < 1 + glyph_bar_width(g) && cy >= 2 && cy < 14) ? 0xffffffu : 0u;
       });
  return ok;
}

}  // namespace menu_scene
