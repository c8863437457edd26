// Drawing state: blend mode and opacity, clearing, and the texture bind shared by sprite commands.
#include "engine/platform/gl_headers.h"

#include <cmath>
#include <cstring>

#include "engine/media/draw.h"
#include "engine/media/renderer_state.h"

void bind_sprite_texture(const SpriteRecord& rec, Sampling sampling) {
  glBindTexture(GL_TEXTURE_2D, rec.texture);
  glEnable(GL_TEXTURE_2D);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  if (sampling != Sampling::own_filter) {
    OpenGLDuderozi* r = renderer_object();
    const bool smooth = sampling == Sampling::smoothing && r && r->smoothing;
    const GLint filter = smooth ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  }
}

void clear_now(OpenGLDuderozi& r) {
  DrawCommand clear = DrawCommand::make(DrawOp::clear, -1, {});
  std::memcpy(clear.i, r.clear_color, sizeof r.clear_color);
  if (draw_list_take(clear)) return;
  r.drawn_over_background = true;
  glClearColor(r.clear_color[0], r.clear_color[1], r.clear_color[2], r.clear_color[3]);
  glClear(GL_COLOR_BUFFER_BIT);
}

void draw_alpha_mode(double mode) {
  OpenGLDuderozi* r = renderer_gl();
  if (!r) return;
  r->alpha_mode = mode;
  if (draw_list_take(DrawCommand::make(DrawOp::alpha_mode, -1, {}, {mode}))) return;
  const float a = static_cast<float>(mode);
  glEnable(GL_BLEND);
  if (a == 0.0f) {
    glDisable(GL_BLEND);
    glEnable(GL_ALPHA_TEST);
  } else if (a > 0.0f) {
    glDisable(GL_ALPHA_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  } else {
    glDisable(GL_ALPHA_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  }
  float opacity = a == 0.0f ? 1.0f : std::fabs(a);
  if (opacity > 1.0f || std::isnan(opacity)) opacity = 1.0f;
  r->opacity = opacity;
  glColor4f(1.0f, 1.0f, 1.0f, opacity);
}

double draw_current_alpha_mode() {
  OpenGLDuderozi* r = renderer_gl();
  return r ? r->alpha_mode : 0.0;
}

void draw_clear_screen(int rgb) {
  OpenGLDuderozi* r = renderer_object();
  if (!r) return;
  if (r->background.loaded()) renderer_before_change(kBackgroundSlot);
  background_release(*r);
  if (rgb == -1) {
    r->clear_each_frame = 0;
    return;
  }
  r->clear_each_frame = 1;
  r->clear_color[0] = static_cast<float>(rgb & 0xff) / 255.0f;
  r->clear_color[1] = static_cast<float>((rgb >> 8) & 0xff) / 255.0f;
  r->clear_color[2] = static_cast<float>((rgb >> 16) & 0xff) / 255.0f;
  r->clear_color[3] = 1.0f;
  if (!r->gl_ready) return;
  clear_now(*r);
}
