// What the round-scene benchmark hands to its SDL_Renderer comparison program: the pictures as 32-bit
// BMP copies of the pixels the runtime decoded (colour keys already applied), and a scene file with
// the round's state and the glyph metrics of the four fonts. Plain C++, no runtime and no SDL.
#pragma once
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#endif

#include "tests/bench/bench_common.h"

namespace round_scene {

constexpr int kFrames = 1000;
constexpr int kFrameRate = 50;
constexpr const char* kSceneFile = "scene.txt";

// The pictures the round screen draws, with the colour key the runtime reads each one with.
enum class Key { none, sprite, font };
struct Picture {
  const char* source;  // file in the media folder
  const char* copy;    // BMP copy written for the comparison program
  Key key;
};
constexpr Picture kPictures[] = {
    {"backdrop.png", "backdrop.bmp", Key::none},
    {"3b.png", "picture_b.bmp", Key::sprite},
    {"green.bmp", "green.bmp", Key::sprite},
    {"red.bmp", "red.bmp", Key::sprite},
    {"outeranim.bmp", "outeranim.bmp", Key::sprite},
    {"qmark.bmp", "qmark.bmp", Key::sprite},
    {"go.bmp", "go.bmp", Key::sprite},
    {"stop.bmp", "stop.bmp", Key::sprite},
    {"vertical.png", "vertical.bmp", Key::sprite},
    {"horizontal.png", "horizontal.bmp", Key::sprite},
    {"myturn.png", "myturn.bmp", Key::sprite},
    {"yourturn.png", "yourturn.bmp", Key::sprite},
    {"greenfont.png", "greenfont.bmp", Key::font},
    {"redfont.png", "redfont.bmp", Key::font},
    {"infofont.png", "infofont.bmp", Key::font},
    {"totalfont.png", "totalfont.bmp", Key::font},
};
constexpr int kCursorCell = 68;  // the cursor frame animation's cells are 68 x 68

// Glyph g of a font is drawn from the picture's columns src_x[g] .. src_x[g] + advance[g] of its cell row.
struct FontMetrics {
  int cell_width = 0, cell_height = 0, glyph_count = 128;
  int src_x[256] = {}, advance[256] = {};
};

// Fonts 1..4 of the round screen: green, red, info, total.
constexpr int kFontCount = 5;
constexpr const char* kFontCopies[kFontCount] = {"", "greenfont.bmp", "redfont.bmp", "infofont.bmp",
                                                 "totalfont.bmp"};

struct Scene {
  double board[9][9] = {};  // [column][row], 1..8
  double cell_x[9][9] = {}, cell_y[9][9] = {};
  int cursor_col = 1, cursor_row = 1;
  int turn = 1;
  double totals[3] = {};
  double last_taken = 0, moves_remain = 0;
  int hard = 0;        // the block's difficulty is not 1
  int mover_kind = 1;  // 1 human, 2 computer
  int mover_dir = 0;   // 1 within the column, 2 within the row
  double cursor_anim = 0, rock_angle = 0, rock_step = -1;
  std::string block_name, labels[3];
  FontMetrics fonts[kFontCount];
};

inline bool write_scene(const std::string& path, const Scene& s) {
  std::ofstream out(path);
  out.precision(17);
  out << "cursor " << s.cursor_col << ' ' << s.cursor_row << "\nturn " << s.turn << "\ntotals " << s.totals[1]
      << ' ' << s.totals[2] << "\nlast " << s.last_taken << ' ' << s.moves_remain << "\nmover " << s.hard
      << ' ' << s.mover_kind << ' ' << s.mover_dir << "\nanim " << s.cursor_anim << ' ' << s.rock_angle << ' '
      << s.rock_step << '\n';
  for (int c = 1; c <= 8; ++c)
    for (int r = 1; r <= 8; ++r)
      out << "cell " << c << ' ' << r << ' ' << s.cell_x[c][r] << ' ' << s.cell_y[c][r] << ' '
          << s.board[c][r] << '\n';
  for (int f = 1; f < kFontCount; ++f) {
    const FontMetrics& m = s.fonts[f];
    out << "font " << f << ' ' << m.cell_width << ' ' << m.cell_height << ' ' << m.glyph_count;
    for (int g = 0; g < 256; ++g) out << ' ' << m.src_x[g] << ' ' << m.advance[g];
    out << '\n';
  }
  // Texts last, each to the end of its line.
  out << "name " << s.block_name << "\nlabel1 " << s.labels[1] << "\nlabel2 " << s.labels[2] << '\n';
  return static_cast<bool>(out);
}

inline bool read_scene(const std::string& path, Scene& s) {
  std::ifstream in(path);
  std::string line;
  int cells = 0, fonts = 0;
  while (std::getline(in, line)) {
    const size_t space = line.find(' ');
    const std::string key = line.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
    std::istringstream v(rest);
    if (key == "cursor") v >> s.cursor_col >> s.cursor_row;
    else if (key == "turn") v >> s.turn;
    else if (key == "totals") v >> s.totals[1] >> s.totals[2];
    else if (key == "last") v >> s.last_taken >> s.moves_remain;
    else if (key == "mover") v >> s.hard >> s.mover_kind >> s.mover_dir;
    else if (key == "anim") v >> s.cursor_anim >> s.rock_angle >> s.rock_step;
    else if (key == "cell") {
      int c = 0, r = 0;
      v >> c >> r;
      if (c < 1 || c > 8 || r < 1 || r > 8) return false;
      v >> s.cell_x[c][r] >> s.cell_y[c][r] >> s.board[c][r];
      ++cells;
    } else if (key == "font") {
      int f = 0;
      v >> f;
      if (f < 1 || f >= kFontCount) return false;
      FontMetrics& m = s.fonts[f];
      v >> m.cell_width >> m.cell_height >> m.glyph_count;
      for (int g = 0; g < 256; ++g) v >> m.src_x[g] >> m.advance[g];
      ++fonts;
    } else if (key == "name") s.block_name = rest;
    else if (key == "label1") s.labels[1] = rest;
    else if (key == "label2") s.labels[2] = rest;
    if (!v && key != "name" && key != "label1" && key != "label2") return false;
  }
  return cells == 64 && fonts == kFontCount - 1;
}

using bench::put16;
using bench::put32;

// A 32-bit BMP with an alpha channel (version 4 header, bit-field masks) from RGBA pixels, top row first.
inline bool write_bmp32(const std::string& path, int w, int h, const uint8_t* rgba) {
  constexpr unsigned kHeaders = 14 + 108;
  const unsigned size = static_cast<unsigned>(w) * static_cast<unsigned>(h) * 4;
  std::vector<uint8_t> o;
  o.reserve(kHeaders + size);
  o.push_back('B');
  o.push_back('M');
  put32(o, kHeaders + size);
  put32(o, 0);
  put32(o, kHeaders);
  put32(o, 108);
  put32(o, static_cast<unsigned>(w));
  put32(o, static_cast<unsigned>(h));  // bottom row first
  put16(o, 1);
  put16(o, 32);
  put32(o, 3);  // bit fields
  put32(o, size);
  put32(o, 2835);
  put32(o, 2835);
  put32(o, 0);
  put32(o, 0);
  put32(o, 0x00ff0000u);                     // red
  put32(o, 0x0000ff00u);                     // green
  put32(o, 0x000000ffu);                     // blue
  put32(o, 0xff000000u);                     // alpha
  put32(o, 0x73524742u);                     // "sRGB"
  for (int i = 0; i < 12; ++i) put32(o, 0);  // end points and gamma
  for (int y = h - 1; y >= 0; --y) {
    const uint8_t* p = rgba + static_cast<size_t>(y) * w * 4;
    for (int x = 0; x < w; ++x, p += 4) {
      o.push_back(p[2]);
      o.push_back(p[1]);
      o.push_back(p[0]);
      o.push_back(p[3]);
    }
  }
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(o.data(), 1, o.size(), f) == o.size();
  return std::fclose(f) == 0 && ok;
}

// Under valgrind --tool=callgrind, the counts dumped at the end of the frame loop cover the frames from
// kProfileWarmUp on (shaders are compiled during the first frames); elsewhere these do nothing.
constexpr int kProfileWarmUp = 30;
inline void profile_frame_started(int frame) {
#ifdef CALLGRIND_ZERO_STATS
  if (frame == kProfileWarmUp) CALLGRIND_ZERO_STATS;
#else
  (void)frame;
#endif
}
inline void profile_loop_ended() {
#ifdef CALLGRIND_DUMP_STATS
  CALLGRIND_DUMP_STATS;
#endif
}

// A whole number as the round screen prints it (no decimals, no padding).
inline std::string number_text(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.0f", value);
  return text;
}

}  // namespace round_scene
