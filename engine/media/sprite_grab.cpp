// Copying a screen rectangle into a sprite slot.
#include "engine/platform/gl_headers.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "engine/media/draw.h"
#include "engine/media/image_staging.h"
#include "engine/media/renderer_state.h"

namespace {

bool frame_buffer_has_alpha(OpenGLDuderozi& r) {
  if (r.alpha_bits_known < 0) {
    GLint bits = 0;
    glGetIntegerv(GL_ALPHA_BITS, &bits);
    r.alpha_bits_known = bits > 0 ? 1 : 0;
  }
  return r.alpha_bits_known == 1 && !r.force_grab_readback;
}

// Fills the pixel at (x, y) of the frame buffer (GL window coordinates) with one colour.
void fill_pixel(int x, int y, const GLubyte rgb[3]) {
  GLfloat saved_clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, saved_clear);
  const GLboolean scissor_was_on = glIsEnabled(GL_SCISSOR_TEST);
  GLint saved_box[4];
  glGetIntegerv(GL_SCISSOR_BOX, saved_box);
  glEnable(GL_SCISSOR_TEST);
  glScissor(x, y, 1, 1);
  glClearColor(rgb[0] / 255.0f, rgb[1] / 255.0f, rgb[2] / 255.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glScissor(saved_box[0], saved_box[1], saved_box[2], saved_box[3]);
  if (!scissor_was_on) glDisable(GL_SCISSOR_TEST);
  glClearColor(saved_clear[0], saved_clear[1], saved_clear[2], saved_clear[3]);
}

// How the key colour reads back from the frame buffer, in the read format's byte order.
void probe_key(int key, GLenum format, GLubyte out[4]) {
  GLubyte saved[4] = {0, 0, 0, 0};
  glReadPixels(4, 4, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, saved);
  const GLubyte key_rgb[3] = {static_cast<GLubyte>(key & 0xff), static_cast<GLubyte>((key >> 8) & 0xff),
                              static_cast<GLubyte>((key >> 16) & 0xff)};
  fill_pixel(4, 4, key_rgb);
  glReadPixels(4, 4, 1, 1, format, GL_UNSIGNED_BYTE, out);
  fill_pixel(4, 4, saved);
}

void read_back(OpenGLDuderozi& r, int x, int gl_y, int w, int h, int tw, int th) {
  const GLenum format = r.bgra_supported ? GL_BGRA : GL_RGBA;
  std::vector<uint8_t> rect(static_cast<size_t>(w) * h * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glReadPixels(x, gl_y, w, h, format, GL_UNSIGNED_BYTE, rect.data());
  std::vector<uint8_t> block(static_cast<size_t>(tw) * th * 4, 0);
  for (int row = 0; row < h; ++row) {
    std::memcpy(block.data() + static_cast<size_t>(row) * tw * 4,
                rect.data() + static_cast<size_t>(row) * w * 4, static_cast<size_t>(w) * 4);
  }
  const int key = r.sprite_key;
  if (key != -1) {
    GLubyte probe[4] = {0, 0, 0, 0};
    if (key != 0) probe_key(key, format, probe);
    // probe holds the key as read back (zero for the black key), in the read format's order.
    for (int row = 0; row < h; ++row) {
      uint8_t* p = block.data() + static_cast<size_t>(row) * tw * 4;
      for (int col = 0; col < w; ++col, p += 4) {
        if (p[0] == probe[0] && p[1] == probe[1] && p[2] == probe[2]) p[3] = 0;
      }
    }
  }
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, tw, th, format, GL_UNSIGNED_BYTE, block.data());
}

}  // namespace

void renderer_force_grab_readback(bool on) {
  if (OpenGLDuderozi* r = renderer_object()) r->force_grab_readback = on;
}

void spr_grab(int id, int x, int y, int w, int h) {
  OpenGLDuderozi* r = renderer_gl();
  if (!r || id < 0 || id >= kSpriteSlots) return;
  renderer_before_change(id);  // the screen is read: everything held is drawn first
  SpriteRecord& rec = r->sprites[id];
  rec.cell_width = 0;
  rec.cell_height = 0;
  r->pixel_cache[id].reset();
  // Nothing to copy: an empty (or negative) rectangle leaves the slot empty.
  if (w <= 0 || h <= 0) {
    sprite_free(id);
    return;
  }
  const int limit = renderer_texture_limit();
  w = std::min(w, limit);
  h = std::min(h, limit);
  const int tw = texture_side(w);
  const int th = texture_side(h);
  if (rec.texture == 0 || rec.texture_width != tw || rec.texture_height != th) {
    if (rec.texture) glDeleteTextures(1, &rec.texture);
    if (rec.mip_texture) glDeleteTextures(1, &rec.mip_texture);
    rec.texture = 0;
    rec.mip_texture = 0;
    rec.texture = new_bound_texture(GL_LINEAR, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, tw, th, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
  } else {
    glBindTexture(GL_TEXTURE_2D, rec.texture);
  }
  set_record_size(rec, w, h, tw, th);
  rec.opaque = 0;  // the grabbed alpha is not looked at
  const int gl_y = r->screen_height - y - h;
  if (frame_buffer_has_alpha(*r)) {
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, x, gl_y, w, h);
    return;
  }
  try {
    read_back(*r, x, gl_y, w, h, tw, th);
  } catch (const std::bad_alloc&) {
    sprite_free(id);
  }
}
