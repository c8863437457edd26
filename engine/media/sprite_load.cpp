// Loading picture files into sprite slots, animation cell sizes, slot sizes and the colour keys.
#include "engine/core/log.h"
#include "engine/media/image.h"
#include "engine/media/picture_file.h"
#include "engine/media/renderer_state.h"
#include "engine/media/sprites.h"

namespace {
bool is_sprite_slot(int id) { return id >= 0 && id < kFirstFontSlot; }
}  // namespace

void spr_load(const Str& file, int id) {
  app_set_error(RtError::success);
  if (!is_sprite_slot(id)) {
    app_set_error(RtError::memory_or_range);
    return;
  }
  sprite_free(id);
  ImageBuffer image;
  const auto cost = [](int w, int h) { return sprite_picture_cost(w, h, false, renderer_texture_limit()); };
  int code = picture_file_read(file, sprite_color_key(), true, cost, image);
  if (code == 0 && !image_upload(std::move(image), id, false)) code = picture_file_upload_failed(file);
  app_set_error(code);
}

void spr_load_anim(const Str& file, int id, int cell_w, int cell_h) {
  spr_load(file, id);
  spr_set_anim(id, cell_w, cell_h);
}

void spr_set_anim(int id, int cell_w, int cell_h) {
  if (!is_sprite_slot(id)) return;
  SpriteRecord& rec = sprite_record(id);
  if (rec.image_width == 0) return;
  rec.cell_width = static_cast<int16_t>(cell_w);
  rec.cell_height = static_cast<int16_t>(cell_h);
}

void spr_get_size(double id, double* width, double* height) {
  const double truncated = id;  // the slot number is the value truncated toward zero
  double w = 0.0, h = 0.0;
  if (truncated > -1.0 && truncated < static_cast<double>(kSpriteSlots)) {
    const SpriteRecord& rec = sprite_record(static_cast<int>(truncated));
    w = rec.image_width;
    h = rec.image_height;
  }
  if (width) *width = w;
  if (height) *height = h;
}

void draw_set_transparency(int rgb) {
  OpenGLDuderozi* r = renderer_object();
  if (!r) return;
  r->sprite_key = rgb;
  r->font_key = rgb;
}
