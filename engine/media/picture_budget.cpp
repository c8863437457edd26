// Picture memory: see picture_budget.h.
#include "engine/media/picture_budget.h"

#include <algorithm>

#include "engine/media/image_staging.h"
#include "engine/media/renderer_state.h"

int64_t sprite_texture_bytes(int tw, int th, bool mip) {
  if (tw <= 0 || th <= 0) return 0;
  int64_t bytes = int64_t{tw} * th * 4;
  // The mip-mapped copy is the square of the smaller side and every halving of it down to 1 x 1.
  for (int64_t side = mip ? std::min(tw, th) : 0; side >= 1; side /= 2) bytes += side * side * 4;
  return bytes;
}

PictureCost sprite_picture_cost(int w, int h, bool is_font, int texture_limit) {
  const int tw = texture_side(std::min(w, texture_limit));
  const int th = texture_side(std::min(h, texture_limit));
  const int64_t decoded = int64_t{w} * h * 4;
  return PictureCost{static_cast<size_t>(std::max(decoded, int64_t{tw} * th * 4)),
                     sprite_texture_bytes(tw, th, !is_font)};
}

PictureCost background_picture_cost(int w, int h, int side) {
  const int64_t columns = std::min<int64_t>(BackgroundImage::kMaxTiles, (w + side - 1) / side);
  const int64_t rows = std::min<int64_t>(BackgroundImage::kMaxTiles, (h + side - 1) / side);
  return PictureCost{static_cast<size_t>(int64_t{w} * h * 4), columns * rows * side * side * 4};
}

int64_t picture_bytes_in_use(const OpenGLDuderozi& r) {
  int64_t bytes = 0;
  for (const SpriteRecord& rec : r.sprites) {
    if (rec.texture)
      bytes += sprite_texture_bytes(rec.texture_width, rec.texture_height, rec.mip_texture != 0);
  }
  for (int column = 0; column < r.background.columns; ++column) {
    for (int row = 0; row < r.background.rows; ++row) {
      const BackgroundTile& tile = r.background.tiles[column][row];
      if (tile.texture) bytes += int64_t{tile.texture_width} * tile.texture_height * 4;
    }
  }
  return bytes;
}

int64_t picture_bytes_left(const OpenGLDuderozi& r) { return r.picture_budget - picture_bytes_in_use(r); }

namespace {
int64_t g_peak = 0;  // for the life of the process, across renderers
}  // namespace

void picture_note_peak(const OpenGLDuderozi& r) { g_peak = std::max(g_peak, picture_bytes_in_use(r)); }

void renderer_set_picture_budget(int64_t bytes) {
  if (OpenGLDuderozi* r = renderer_object()) r->picture_budget = bytes > 0 ? bytes : kPictureBudgetBytes;
}

int64_t renderer_picture_bytes() {
  const OpenGLDuderozi* r = renderer_object();
  return r ? picture_bytes_in_use(*r) : 0;
}

int64_t renderer_picture_bytes_peak() { return g_peak; }
