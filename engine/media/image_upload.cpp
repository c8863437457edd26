// Turning decoded pictures into GL textures: a slot's texture and mip-mapped copy, and the square
// tiles of the background picture.
#include "engine/platform/gl_headers.h"

#include <algorithm>
#include <new>
#include <vector>

#include "engine/media/image_staging.h"
#include "engine/media/picture_budget.h"
#include "engine/media/renderer_state.h"

namespace {

void reset_unpack_state() {
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
}

GLuint make_texture(const std::vector<uint8_t>& block, int tw, int th, GLint filter) {
  const GLuint texture = new_bound_texture(filter, filter);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, tw, th, 0, GL_RGBA, GL_UNSIGNED_BYTE, block.data());
  return texture;
}

// Builds the mip-mapped copy from the staging block (which it consumes).
GLuint make_mip_texture(std::vector<uint8_t>& block, int tw, int th) {
  const GLuint texture = new_bound_texture(GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR);
  int w = tw, h = th;
  mip_make_square(block, w, h);
  int n = w;
  int level = 0;
  glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, n, n, 0, GL_RGBA, GL_UNSIGNED_BYTE, block.data());
  std::vector<uint8_t> next;
  while (n > 1) {
    mip_reduce(block, n, next);
    n /= 2;
    block.swap(next);
    glTexImage2D(GL_TEXTURE_2D, ++level, GL_RGBA8, n, n, 0, GL_RGBA, GL_UNSIGNED_BYTE, block.data());
  }
  return texture;
}

void drain_gl_errors() {
  for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {}
}

bool pixels_complete(const ImageBuffer& image) {
  return image.width > 0 && image.height > 0 &&
         image.pixels.size() >= static_cast<size_t>(image.width) * image.height * 4;
}

}  // namespace

GLuint new_bound_texture(GLint mag_filter, GLint min_filter) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, mag_filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, min_filter);
  return texture;
}

void set_record_size(SpriteRecord& rec, int w, int h, int tw, int th) {
  rec.texture_width = static_cast<int16_t>(tw);
  rec.texture_height = static_cast<int16_t>(th);
  rec.image_width = static_cast<int16_t>(w);
  rec.image_height = static_cast<int16_t>(h);
  rec.u_max = static_cast<float>(w) / static_cast<float>(tw);
  rec.v_max = static_cast<float>(h) / static_cast<float>(th);
}

bool image_upload(ImageBuffer image, int slot, bool is_font) {
  sprite_free(slot);
  OpenGLDuderozi* r = renderer_gl();
  if (!r || slot < 0 || slot >= kSpriteSlots || !pixels_complete(image)) return false;
  const int limit = renderer_texture_limit();
  const int w = std::min(image.width, limit);
  const int h = std::min(image.height, limit);
  const int tw = texture_side(w);
  const int th = texture_side(h);
  if (sprite_texture_bytes(tw, th, !is_font) > picture_bytes_left(*r)) return false;
  const bool opaque = !is_font && image_region_opaque(image, 0, 0, w, h);
  SpriteRecord& rec = r->sprites[slot];
  try {
    // The picture's own pixels become the texture's: one copy of the picture at any time.
    stage_in_place(image, w, h, tw, th);
    if (!is_font) edge_fill(image.pixels, tw, th);
    drain_gl_errors();
    reset_unpack_state();
    rec.texture = make_texture(image.pixels, tw, th, is_font ? GL_NEAREST : GL_LINEAR);
    if (!is_font) rec.mip_texture = make_mip_texture(image.pixels, tw, th);
  } catch (const std::bad_alloc&) {
    sprite_free(slot);
    return false;
  }
  set_record_size(rec, w, h, tw, th);
  rec.opaque = opaque ? 1 : 0;
  if (glGetError() != GL_NO_ERROR) {
    sprite_free(slot);
    return false;
  }
  picture_note_peak(*r);
  return true;
}

bool upload_background_tile(const ImageBuffer& image, int x0, int y0, int side, GLuint& texture) {
  texture = 0;
  if (!pixels_complete(image)) return false;
  try {
    std::vector<uint8_t> block;
    stage_region(image, x0, y0, side, side, side, side, block);
    edge_fill(block, side, side);
    drain_gl_errors();
    reset_unpack_state();
    // Tiles are only ever drawn 1:1 on whole pixels, where every pixel centre falls on a texel centre:
    // linear filtering would return exactly that texel, so nearest sampling draws the same for less.
    texture = make_texture(block, side, side, GL_NEAREST);
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (glGetError() != GL_NO_ERROR) {
    if (texture) glDeleteTextures(1, &texture);
    texture = 0;
    return false;
  }
  return true;
}
