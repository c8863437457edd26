// Sprite drawing: plain, stretched, zoomed, rotated and scaled, and animation cells.
#include "engine/platform/gl_headers.h"

#include <cmath>

#include "engine/media/draw.h"
#include "engine/media/renderer_state.h"

namespace {

// The slot to draw, bound and ready, or null when there is nothing to draw with.
const SpriteRecord* bound_sprite(int id, Sampling sampling) {
  OpenGLDuderozi* r = renderer_gl();
  if (!r || id < 0 || id >= kSpriteSlots) return nullptr;
  const SpriteRecord& rec = r->sprites[id];
  if (rec.texture == 0) return nullptr;  // an empty slot draws nothing, whatever the size asked for
  r->drawn_over_background = true;
  bind_sprite_texture(rec, sampling);
  return &rec;
}

// Held around a 1:1 drawing of texels that all lie inside the picture. When the picture is opaque
// (alpha 255 throughout) and the colour's alpha is 1, the alpha test passes every pixel: it is switched
// off for the drawing, which changes nothing drawn and lets the GL take its faster paths for opaque
// pictures.
class OneToOneDrawing {
 public:
  OneToOneDrawing(const SpriteRecord& rec, bool inside_picture) {
    const OpenGLDuderozi* r = renderer_object();
    alpha_test_paused_ = r && sprite_alpha_test_pausable(*r, rec, inside_picture);
    if (alpha_test_paused_) glDisable(GL_ALPHA_TEST);
  }
  ~OneToOneDrawing() {
    if (alpha_test_paused_) glEnable(GL_ALPHA_TEST);
  }
  OneToOneDrawing(const OneToOneDrawing&) = delete;
  OneToOneDrawing& operator=(const OneToOneDrawing&) = delete;

 private:
  bool alpha_test_paused_;
};

// Four (x, y, u, v) vertices as one fan from a client-side array, edges clamped.
void draw_fan(const float (&v)[16]) {
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glVertexPointer(2, GL_FLOAT, 4 * sizeof(float), v);
  glTexCoordPointer(2, GL_FLOAT, 4 * sizeof(float), v + 2);
  glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
}

}  // namespace

void spr_draw(int id, int x, int y) {
  if (draw_list_take(DrawCommand::make(DrawOp::sprite, id, {x, y}))) return;
  const SpriteRecord* rec = bound_sprite(id, Sampling::one_to_one);
  if (!rec) return;
  const OneToOneDrawing one_to_one(*rec, true);
  glBegin(GL_QUADS);
  sprite_quad_vertices(sprite_quad(*rec, x, y));
  glEnd();
}

void spr_draw_stretched(int id, int x, int y, int w, int h) {
  if (draw_list_take(DrawCommand::make(DrawOp::stretched, id, {x, y, w, h}))) return;
  const SpriteRecord& slot = sprite_record(id);
  if (w == slot.image_width && h == slot.image_height) {
    spr_draw(id, x, y);  // the same quad and texture coordinates: 1:1
    return;
  }
  const SpriteRecord* rec = bound_sprite(id, Sampling::smoothing);
  if (!rec) return;
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  const float fw = static_cast<float>(w), fh = static_cast<float>(h);
  const float v[16] = {fx,      fy + fh, 0.0f,       0.0f,        //
                       fx + fw, fy + fh, rec->u_max, 0.0f,        //
                       fx + fw, fy,      rec->u_max, rec->v_max,  //
                       fx,      fy,      0.0f,       rec->v_max};
  draw_fan(v);
}

void spr_draw_zoomed(int id, int x, int y, double zoom_x, double zoom_y) {
  const SpriteRecord& rec = sprite_record(id);
  const float w = rec.image_width, h = rec.image_height;
  const float zw = w * static_cast<float>(zoom_x);
  const float zh = h * static_cast<float>(zoom_y);
  const float zx = static_cast<float>(x) - (zw - w) * 0.5f;
  const float zy = static_cast<float>(y) - (zh - h) * 0.5f;
  if (!std::isfinite(zw) || !std::isfinite(zh) || std::fabs(zx) > 1e9f || std::fabs(zy) > 1e9f ||
      std::fabs(zw) > 1e9f || std::fabs(zh) > 1e9f) {
    return;  // far outside any screen
  }
  spr_draw_stretched(id, static_cast<int>(zx), static_cast<int>(zy), static_cast<int>(zw),
                     static_cast<int>(zh));
}

void spr_draw_rotated(int id, int x, int y, double angle) { spr_draw_rotozoom(id, x, y, angle, 1.0); }

void spr_draw_rotozoom(int id, int x, int y, double angle, double zoom) {
  if (draw_list_take(DrawCommand::make(DrawOp::rotozoom, id, {x, y}, {angle, zoom}))) return;
  const SpriteRecord* rec = bound_sprite(id, Sampling::smoothing);
  if (!rec) return;
  const int w = rec->image_width, h = rec->image_height;
  const float hx = static_cast<float>(w) * static_cast<float>(zoom) * 0.5f;
  const float hy = static_cast<float>(h) * static_cast<float>(zoom) * 0.5f;
  // Half a texel in from the picture's edges, so clamping never shows the padding.
  const float tw = rec->texture_width > 0 ? rec->texture_width : 1.0f;
  const float th = rec->texture_height > 0 ? rec->texture_height : 1.0f;
  const float u0 = 0.5f / tw, u1 = (static_cast<float>(w) - 0.5f) / tw;
  const float v0 = 0.5f / th, v1 = (static_cast<float>(h) - 0.5f) / th;
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslatef(static_cast<float>(x + w / 2), static_cast<float>(y + h / 2), 0.0f);
  glRotatef(static_cast<float>(angle), 0.0f, 0.0f, -1.0f);
  const float v[16] = {-hx, hy,  u0, v0,  //
                       hx,  hy,  u1, v0,  //
                       hx,  -hy, u1, v1,  //
                       -hx, -hy, u0, v1};
  draw_fan(v);
  glPopMatrix();
}

void spr_draw_anim(int id, int frame, int x, int y) {
  const SpriteRecord& rec = sprite_record(id);
  const int cw = rec.cell_width, ch = rec.cell_height;
  if (cw <= 0 || ch <= 0 || rec.image_width == 0) return;  // no cells, or nonsense cell sizes
  if (draw_list_take(DrawCommand::make(DrawOp::anim, id, {frame, x, y}))) return;
  if (!bound_sprite(id, Sampling::one_to_one)) return;
  const SpriteQuad quad = anim_quad(rec, frame, x, y);
  const OneToOneDrawing one_to_one(rec, quad.inside);
  glBegin(GL_QUADS);
  sprite_quad_vertices(quad);
  glEnd();
}

SpriteQuad sprite_quad(const SpriteRecord& rec, int x, int y) {
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  const float w = rec.image_width, h = rec.image_height;
  return {fx, fy, fx + w, fy + h, 0.0f, 0.0f, rec.u_max, rec.v_max, true};
}

SpriteQuad anim_quad(const SpriteRecord& rec, int frame, int x, int y) {
  const int cw = rec.cell_width, ch = rec.cell_height;
  const int n = rec.image_width / cw;
  int column = frame, row = 0;
  if (n != 0) {
    column = frame % n;
    row = frame / n;
  }
  // A frame past the last cell (or a cell wider than the picture) reaches into the transparent padding.
  const long long cell_bottom = static_cast<long long>(ch) * (row + 1LL);  // no overflow for wild frames
  const float tw = rec.texture_width, th = rec.texture_height;
  const float u0 = static_cast<float>(column) * (static_cast<float>(cw) / tw);
  const float u1 = u0 + static_cast<float>(cw) / tw;
  const float vb = static_cast<float>(rec.image_height - cell_bottom) / th;
  const float vt = vb + static_cast<float>(ch) / th;
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  return {fx, fy, fx + cw, fy + ch, u0, vb, u1, vt, n != 0 && frame >= 0 && cell_bottom <= rec.image_height};
}

void sprite_quad_vertices(const SpriteQuad& q) {
  glTexCoord2f(q.u1, q.v1);
  glVertex2f(q.x1, q.y0);
  glTexCoord2f(q.u0, q.v1);
  glVertex2f(q.x0, q.y0);
  glTexCoord2f(q.u0, q.v0);
  glVertex2f(q.x0, q.y1);
  glTexCoord2f(q.u1, q.v0);
  glVertex2f(q.x1, q.y1);
}

bool sprite_alpha_test_pausable(const OpenGLDuderozi& r, const SpriteRecord& rec, bool inside_picture) {
  return inside_picture && rec.opaque && r.opacity == 1.0f && glIsEnabled(GL_ALPHA_TEST);
}
