// Comparison program for the round-scene benchmark: the round screen drawn with SDL_Renderer (OpenGL
// driver) at 50 frames per second for 1,000 frames, from the BMP copies and the scene file that
// bench_round_scene writes. Not part of the runtime.
// Usage: bench_round_scene_sdl_renderer <directory> [linear|nearest] [--frames N] [--unpaced]
//                                       [--snapshot FILE.bmp]
// --unpaced draws frame after frame without waiting; --snapshot writes the first frame.
// "linear" (the default) filters as the runtime does: pictures linear, font glyphs nearest.
// "nearest" is SDL_Renderer's own default for everything.
#include <SDL2/SDL.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/bench/round_scene_data.h"

#include "tests/bench/bench_common.h"
#include "tests/bench/sdl_renderer_bench.h"

namespace {

using bench::cpu_seconds;
using bench::now_ms;
using bench::open_sdl_renderer;
using bench::pace_frame;

using round_scene::Scene;

struct Picture {
  SDL_Texture* texture = nullptr;
  int w = 0, h = 0;
};

bool fully_opaque(SDL_Surface* surface) {
  SDL_Surface* rgba = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGBA32, 0);
  if (!rgba) return false;
  bool opaque = true;
  for (int y = 0; y < rgba->h && opaque; ++y) {
    const uint8_t* p = static_cast<const uint8_t*>(rgba->pixels) + static_cast<size_t>(y) * rgba->pitch;
    for (int x = 0; x < rgba->w; ++x) {
      if (p[x * 4 + 3] != 255) {
        opaque = false;
        break;
      }
    }
  }
  SDL_FreeSurface(rgba);
  return opaque;
}

// Pictures with transparent parts are blended; fully opaque ones are copied without blending, as a
// careful SDL_Renderer program would.
Picture load(SDL_Renderer* renderer, const std::string& path, SDL_ScaleMode scale) {
  Picture p;
  SDL_Surface* surface = SDL_LoadBMP(path.c_str());
  if (!surface) return p;
  p.texture = SDL_CreateTextureFromSurface(renderer, surface);
  p.w = surface->w;
  p.h = surface->h;
  const SDL_BlendMode blend = fully_opaque(surface) ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND;
  SDL_FreeSurface(surface);
  if (p.texture) {
    SDL_SetTextureBlendMode(p.texture, blend);
    SDL_SetTextureScaleMode(p.texture, scale);
  }
  return p;
}

constexpr int kRowY[3] = {0, 230, 320};
constexpr int kCaptionY[3] = {0, 208, 298};

// The round screen, call for call as the game draws it.
class RoundScreen {
 public:
  RoundScreen(SDL_Renderer* renderer, Scene& scene) : r_(renderer), s_(scene) {}

  Picture backdrop, picture_b, green, red, cursor, qmark, go, stop, vertical, horizontal, my_turn, your_turn;
  Picture fonts[round_scene::kFontCount];

  bool complete() const {
    for (const Picture* p : {&backdrop, &picture_b, &green, &red, &cursor, &qmark, &go, &stop, &vertical,
                             &horizontal, &my_turn, &your_turn, &fonts[1], &fonts[2], &fonts[3], &fonts[4]}) {
      if (!p->texture) return false;
    }
    return true;
  }

  void draw() {
    advance_animations();
    SDL_RenderCopy(r_, backdrop.texture, nullptr, nullptr);  // the runtime draws it after each swap
    SDL_SetRenderDrawColor(r_, 0x80, 0x80, 0x80, 0xff);
    const SDL_Rect grey{54, 89, 422, 422};
    SDL_RenderFillRect(r_, &grey);
    copy(picture_b, 55, 90);
    font_ = 3;
    print(s_.block_name, 265 - width(s_.block_name) / 2, 514);
    draw_tiles();
    draw_rows();
    draw_info_panel();
    draw_totals();
    draw_cursor();
  }

 private:
  SDL_Renderer* r_;
  Scene& s_;
  int font_ = 3;

  void advance_animations() {
    s_.cursor_anim += 1;
    if (s_.cursor_anim == 15) s_.cursor_anim = 0;
    s_.rock_angle += s_.rock_step;
    if (s_.rock_angle == -30 || s_.rock_angle == 30) s_.rock_step = -s_.rock_step;
  }

  void copy(const Picture& p, int x, int y) {
    const SDL_Rect dst{x, y, p.w, p.h};
    SDL_RenderCopy(r_, p.texture, nullptr, &dst);
  }

  void copy_zoomed(const Picture& p, int x, int y, double zoom_x, double zoom_y) {
    const float w = static_cast<float>(p.w), h = static_cast<float>(p.h);
    const float zw = w * static_cast<float>(zoom_x), zh = h * static_cast<float>(zoom_y);
    const SDL_Rect dst{static_cast<int>(static_cast<float>(x) - (zw - w) * 0.5f),
                       static_cast<int>(static_cast<float>(y) - (zh - h) * 0.5f), static_cast<int>(zw),
                       static_cast<int>(zh)};
    SDL_RenderCopy(r_, p.texture, nullptr, &dst);
  }

  int width(const std::string& text) const {
    const round_scene::FontMetrics& m = s_.fonts[font_];
    int w = 0;
    for (unsigned char c : text) w += m.advance[c];
    return w;
  }

  // Proportional text: one glyph quad per character from the font picture.
  void print(const std::string& text, double x, double y) {
    const round_scene::FontMetrics& m = s_.fonts[font_];
    int x0 = static_cast<int>(std::ceil(x));
    const int y0 = static_cast<int>(std::ceil(y));
    for (unsigned char byte : text) {
      const int c = byte % m.glyph_count;
      if (c == 0) break;
      const SDL_Rect src{m.src_x[c], (c / 16) * m.cell_height, m.advance[c], m.cell_height};
      const SDL_Rect dst{x0, y0, m.advance[c], m.cell_height};
      SDL_RenderCopy(r_, fonts[font_].texture, &src, &dst);
      x0 += m.advance[c];
    }
  }

  void print_in_cell(const std::string& text, double x, double y) {
    print(text, x + (65 - width(text)) / 2, y);
  }

  void draw_tiles() {
    for (int column = 1; column <= 8; ++column) {
      for (int row = 1; row <= 8; ++row) {
        const double value = s_.board[column][row];
        if (value == 0) continue;
        const double x = s_.cell_x[column][row], y = s_.cell_y[column][row];
        const bool is_red = value <= 0;
        font_ = is_red ? 2 : 1;
        copy(is_red ? red : green, static_cast<int>(x), static_cast<int>(y));
        print_in_cell(round_scene::number_text(std::fabs(value)), x, y);
      }
    }
  }

  void draw_rows() {
    const int mover = s_.turn == 1 ? 1 : 2;
    const int other = 3 - mover;
    copy(go, 546, kRowY[mover]);
    copy(stop, 546, kRowY[other]);
    // The runtime turns the question mark about its centre, counter-clockwise on screen.
    const SDL_Rect dst{622, kRowY[mover] + 7, qmark.w, qmark.h};
    SDL_RenderCopyEx(r_, qmark.texture, nullptr, &dst, -s_.rock_angle, nullptr, SDL_FLIP_NONE);
    if (s_.last_taken == 0) return;
    const bool is_red = s_.last_taken < 0;
    copy(is_red ? red : green, 608, kRowY[other]);
    font_ = is_red ? 2 : 1;
    if (s_.moves_remain == 1)
      print_in_cell(round_scene::number_text(std::fabs(s_.last_taken)), 608, kRowY[other]);
  }

  void draw_info_panel() {
    font_ = 3;
    print(s_.hard ? "DIFICULTY:   HARD" : "DIFICULTY:   EASY", 600, 432);
    if (s_.mover_kind == 1) {
      if (s_.mover_dir == 2) {
        copy_zoomed(horizontal, 590, 470, s_.rock_angle / 90 + 0.8, 1.0);
        copy_zoomed(horizontal, 590, 500, 0.8 - s_.rock_angle / 90, 1.0);
      } else if (s_.mover_dir == 1) {
        copy_zoomed(vertical, 607, 500, 1.0, s_.rock_angle / 30 + 1.0);
        copy_zoomed(vertical, 607, 470, 1.0, 1.0 - s_.rock_angle / 30);
      }
    }
    if (s_.mover_kind == 2) copy(my_turn, 601, 76);
    else copy(your_turn, 600, 75);
  }

  void draw_totals() {
    font_ = 3;
    for (int p = 1; p <= 2; ++p) print(s_.labels[p], 612, kCaptionY[p]);
    font_ = 4;
    for (int p = 1; p <= 2; ++p) {
      const std::string text = round_scene::number_text(s_.totals[p]);
      print(text, 688 + (65 - width(text)) / 2, kRowY[p]);
    }
  }

  void draw_cursor() {
    const int frame = static_cast<int>(s_.cursor_anim * 0.5);
    const int cell = round_scene::kCursorCell;
    const int n = cursor.w / cell;
    const int column = n ? frame % n : frame, row = n ? frame / n : 0;
    const SDL_Rect src{column * cell, row * cell, cell, cell};
    const SDL_Rect dst{static_cast<int>(s_.cell_x[s_.cursor_col][s_.cursor_row] - 4),
                       static_cast<int>(s_.cell_y[s_.cursor_col][s_.cursor_row] - 4), cell, cell};
    SDL_RenderCopy(r_, cursor.texture, &src, &dst);
  }
};

bool write_snapshot(SDL_Renderer* renderer, const std::string& path) {
  std::vector<uint8_t> pixels(800 * 600 * 4);
  if (SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ABGR8888, pixels.data(), 800 * 4) != 0)
    return false;
  for (size_t i = 3; i < pixels.size(); i += 4) pixels[i] = 255;
  return round_scene::write_bmp32(path, 800, 600, pixels.data());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: %s <directory> [linear|nearest] [--frames N] [--unpaced] [--snapshot FILE]\n",
                 argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  std::string filter = "linear", snapshot;
  int frames = round_scene::kFrames;
  bool unpaced = false;
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--frames" && i + 1 < argc) frames = std::max(1, std::atoi(argv[++i]));
    else if (arg == "--snapshot" && i + 1 < argc) snapshot = argv[++i];
    else if (arg == "--unpaced") unpaced = true;
    else filter = arg;
  }
  Scene scene;
  if (!round_scene::read_scene(dir + "/" + round_scene::kSceneFile, scene)) {
    std::fprintf(stderr, "cannot read the scene in %s\n", dir.c_str());
    return 1;
  }
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_RendererInfo info;
  if (!open_sdl_renderer("round scene", window, renderer, info)) return 1;

  const SDL_ScaleMode pictures = filter == "nearest" ? SDL_ScaleModeNearest : SDL_ScaleModeLinear;
  const SDL_ScaleMode glyphs = SDL_ScaleModeNearest;  // the runtime never filters font pictures
  RoundScreen screen(renderer, scene);
  auto sprite = [&](const char* name) { return load(renderer, dir + "/" + name, pictures); };
  screen.backdrop = sprite("backdrop.bmp");
  screen.picture_b = sprite("picture_b.bmp");
  screen.green = sprite("green.bmp");
  screen.red = sprite("red.bmp");
  screen.cursor = sprite("outeranim.bmp");
  screen.qmark = sprite("qmark.bmp");
  screen.go = sprite("go.bmp");
  screen.stop = sprite("stop.bmp");
  screen.vertical = sprite("vertical.bmp");
  screen.horizontal = sprite("horizontal.bmp");
  screen.my_turn = sprite("myturn.bmp");
  screen.your_turn = sprite("yourturn.bmp");
  for (int f = 1; f < round_scene::kFontCount; ++f) {
    screen.fonts[f] = load(renderer, dir + "/" + round_scene::kFontCopies[f], glyphs);
  }
  if (!screen.complete()) {
    std::fprintf(stderr, "pictures did not load: %s\n", SDL_GetError());
    return 1;
  }

  const double period = 1000.0 / round_scene::kFrameRate;
  double deadline = now_ms();
  const double cpu0 = cpu_seconds();
  for (int frame = 0; frame < frames; ++frame) {
    round_scene::profile_frame_started(frame);
    screen.draw();
    if (frame == 0 && !snapshot.empty()) write_snapshot(renderer, snapshot);
    SDL_RenderPresent(renderer);
    if (unpaced) {
      SDL_Event ev;
      while (SDL_PollEvent(&ev)) {}
      continue;
    }
    pace_frame(deadline, period);
  }
  const double cpu = cpu_seconds() - cpu0;
  round_scene::profile_loop_ended();
  std::printf("renderer %s, %s filtering\n", info.name, filter.c_str());
  std::printf("cpu_seconds %.6f\n", cpu);
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
