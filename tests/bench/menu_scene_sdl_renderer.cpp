// Comparison program for the menu-scene benchmark: the same pictures and scene drawn with
// SDL_Renderer (OpenGL driver) at 50 frames per second for 1,000 frames. Not part of the runtime.
// Usage: bench_menu_scene_sdl_renderer <directory with the benchmark pictures> [linear|nearest]
// The runtime samples sprites and the background with linear filtering; "linear" (the default) asks
// SDL_Renderer for the same.
#include <SDL2/SDL.h>
#include <sys/resource.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "tests/bench/menu_scene_pictures.h"

#include "tests/bench/bench_common.h"
#include "tests/bench/sdl_renderer_bench.h"

namespace {

using bench::cpu_seconds;
using bench::now_ms;
using bench::open_sdl_renderer;
using bench::pace_frame;

SDL_Texture* load(SDL_Renderer* renderer, const std::string& path, Uint32 key_rgb, bool keyed,
                  SDL_Surface** keep) {
  SDL_Surface* surface = SDL_LoadBMP(path.c_str());
  if (!surface) return nullptr;
  if (keyed) {
    SDL_SetColorKey(
        surface, SDL_TRUE,
        SDL_MapRGB(surface->format, key_rgb & 0xff, (key_rgb >> 8) & 0xff, (key_rgb >> 16) & 0xff));
  }
  SDL_Texture* texture = SDL_CreateTextureFromSurface(renderer, surface);
  if (keep) *keep = surface;
  else SDL_FreeSurface(surface);
  return texture;
}

// Proportional widths: first to last non-black column of each 16 x 16 cell, plus one column.
void measure(SDL_Surface* font, int left[256], int advance[256]) {
  SDL_Surface* rgb = SDL_ConvertSurfaceFormat(font, SDL_PIXELFORMAT_RGBA32, 0);
  for (int g = 0; g < 128; ++g) {
    const int cx = (g % 16) * 16, cy = (g / 16) * 16;
    int first = -1, last = -1;
    for (int x = 0; x < 16; ++x) {
      for (int y = 0; y < 16; ++y) {
        const uint8_t* p = static_cast<uint8_t*>(rgb->pixels) + (cy + y) * rgb->pitch + (cx + x) * 4;
        if (p[0] | p[1] | p[2]) {
          if (first < 0) first = x;
          last = x;
          break;
        }
      }
    }
    left[g] = first < 0 ? 0 : first;
    advance[g] = first < 0 ? 16 : std::min(16 - first, last - first + 2);
    left[g + 128] = left[g];
    advance[g + 128] = advance[g];
  }
  SDL_FreeSurface(rgb);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <picture directory>\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  const std::string filter = argc > 2 ? argv[2] : "linear";
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, filter == "nearest" ? "nearest" : "linear");
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_RendererInfo info;
  if (!open_sdl_renderer("menu scene", window, renderer, info)) return 1;
  SDL_Texture* map = load(renderer, dir + "/map.bmp", 0, false, nullptr);
  SDL_Texture* sprites[4];
  for (int i = 0; i < 4; ++i)
    sprites[i] = load(renderer, dir + "/sprite" + std::to_string(i) + ".bmp", 0x8000ff, true, nullptr);
  SDL_Surface* font_surface = nullptr;
  SDL_Texture* font = load(renderer, dir + "/font.bmp", 0, true, &font_surface);
  if (!map || !font || !sprites[0] || !sprites[1] || !sprites[2] || !sprites[3]) {
    std::fprintf(stderr, "pictures did not load: %s\n", SDL_GetError());
    return 1;
  }
  int left[256], advance[256];
  measure(font_surface, left, advance);
  SDL_FreeSurface(font_surface);
  for (SDL_Texture* t : sprites) SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
  SDL_SetTextureBlendMode(font, SDL_BLENDMODE_BLEND);

  const double period = 1000.0 / menu_scene::kFrameRate;
  double deadline = now_ms();
  const double cpu0 = cpu_seconds();
  const size_t line_length = std::strlen(menu_scene::kLine);
  for (int frame = 0; frame < menu_scene::kFrames; ++frame) {
    SDL_RenderCopy(renderer, map, nullptr, nullptr);
    for (int s = 0; s < menu_scene::kSprites; ++s) {
      const SDL_Rect dst{(s * 97 + frame * 3) % 736, (s * 53 + frame * 2) % 536, menu_scene::kSpriteSize,
                         menu_scene::kSpriteSize};
      SDL_RenderCopy(renderer, sprites[s % 4], nullptr, &dst);
    }
    for (int line = 0; line < menu_scene::kLines; ++line) {
      int x = 20;
      for (size_t i = 0; i < line_length; ++i) {
        const int g = static_cast<uint8_t>(menu_scene::kLine[i]) % 128;
        const SDL_Rect src{(g % 16) * 16 + left[g], (g / 16) * 16, advance[g], 16};
        const SDL_Rect dst{x, 40 + line * 50, advance[g], 16};
        SDL_RenderCopy(renderer, font, &src, &dst);
        x += advance[g];
      }
    }
    SDL_RenderPresent(renderer);
    pace_frame(deadline, period);
  }
  const double cpu = cpu_seconds() - cpu0;
  std::printf("renderer %s, %s filtering\n", info.name, filter.c_str());
  std::printf("cpu_seconds %.6f\n", cpu);
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
