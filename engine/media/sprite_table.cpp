// The sprite table: slot access, freeing a slot, the free-slot search and the transparency keys.
#include "engine/platform/gl_headers.h"

#include "engine/media/renderer_state.h"

namespace {
// Handed out for slots outside the table or before the renderer exists; reset on every access.
SpriteRecord g_scratch;

void reset_record(SpriteRecord& rec) {
  rec.texture = 0;
  rec.mip_texture = 0;
  rec.texture_width = -1;
  rec.texture_height = -1;
  rec.image_width = 0;
  rec.image_height = 0;
  rec.u_max = 1.0f;
  rec.v_max = 1.0f;
  rec.opaque = 0;
}
}  // namespace

SpriteRecord& sprite_record(int slot) {
  OpenGLDuderozi* r = renderer_object();
  if (r && slot >= 0 && slot < kSpriteSlots) return r->sprites[slot];
  g_scratch = SpriteRecord{0, 0, 1.0f, 1.0f, -1, -1, 0, 0, 0, 0, 0};
  return g_scratch;
}

void sprite_free(int slot) {
  OpenGLDuderozi* r = renderer_object();
  if (!r || slot < 0 || slot >= kSpriteSlots) return;
  renderer_before_change(slot);
  SpriteRecord& rec = r->sprites[slot];
  if (r->gl_ready) {
    if (rec.texture) glDeleteTextures(1, &rec.texture);
    if (rec.mip_texture) glDeleteTextures(1, &rec.mip_texture);
    glBindTexture(GL_TEXTURE_2D, 0);
  }
  r->pixel_cache[slot].reset();
  reset_record(rec);
}

int sprite_find_free() {
  OpenGLDuderozi* r = renderer_object();
  if (!r) return -1;
  for (int slot = 0; slot < kFirstFontSlot; ++slot) {
    if (r->sprites[slot].image_width == 0) return slot;
  }
  return -1;
}

int sprite_color_key() {
  OpenGLDuderozi* r = renderer_object();
  return r ? r->sprite_key : 8388863;
}

int font_color_key() {
  OpenGLDuderozi* r = renderer_object();
  return r ? r->font_key : 0;
}
