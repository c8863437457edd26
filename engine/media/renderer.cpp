// The renderer object's life, the GL start-up checks, the per-frame set-up and the work around a
// buffer swap (clearing or drawing the background for the next frame).
#include "engine/core/log.h"
#include "engine/platform/gl_headers.h"
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/media/renderer_state.h"
#include "engine/platform/platform.h"

namespace {
OpenGLDuderozi* g_renderer = nullptr;
bool g_blind = false;

void apply_blind_scissor() {
  if (g_blind) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 0, 0);
  } else {
    glDisable(GL_SCISSOR_TEST);
  }
}
}  // namespace

bool renderer_blind() { return g_blind; }

void renderer_set_blind(bool on) {
  g_blind = on;
  if (renderer_gl()) apply_blind_scissor();
}

OpenGLDuderozi::OpenGLDuderozi() : sprites(kSpriteSlots), pixel_cache(kSpriteSlots) {
  for (SpriteRecord& rec : sprites) {
    rec = SpriteRecord{0, 0, 1.0f, 1.0f, -1, -1, 0, 0, 0, 0, 0};
  }
}

OpenGLDuderozi::~OpenGLDuderozi() {
  // Without the window (its display was lost) the textures go with the context: a GL call could need
  // the broken connection.
  if (!gl_ready || !platform().window_exists()) return;
  for (SpriteRecord& rec : sprites) {
    if (rec.texture) glDeleteTextures(1, &rec.texture);
    if (rec.mip_texture) glDeleteTextures(1, &rec.mip_texture);
  }
  background_release(*this);
  layer_cache_release(*this);
  picture_buffer_release(*this);
}

OpenGLDuderozi* renderer_object() { return g_renderer; }

OpenGLDuderozi* renderer_gl() { return g_renderer && g_renderer->gl_ready ? g_renderer : nullptr; }

void renderer_create() {
  if (!g_renderer) g_renderer = new OpenGLDuderozi();
}

void renderer_destroy() {
  delete g_renderer;
  g_renderer = nullptr;
}

bool renderer_exists() { return g_renderer != nullptr; }

void renderer_gl_init() {
  OpenGLDuderozi* r = g_renderer;
  if (!r || !platform().window_exists()) return;
  const char* ext = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  const std::string extensions = ext ? ext : "";
  r->bgra_supported = extensions.find("_texture_format_BGRA8888") != std::string::npos ||
                      extensions.find("GL_EXT_bgra") != std::string::npos;
  if (r->bgra_supported) {
    log_line("BGRA ext supported\n");
  } else {
    log_line(("BGRA ext NOT supported\n" + extensions + "\n").c_str());
  }
  GLint limit = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &limit);
  char line[64];
  std::snprintf(line, sizeof line, "Texture size limit: %d\n", static_cast<int>(limit));
  log_line(line);
  GLint units = 1;
  glGetIntegerv(GL_MAX_TEXTURE_UNITS, &units);
  r->texture_units = units > 0 ? units : 1;
  r->active_texture = reinterpret_cast<PFNGLACTIVETEXTUREPROC>(platform().gl_proc_address("glActiveTexture"));
  if (!r->active_texture)
    r->active_texture =
        reinterpret_cast<PFNGLACTIVETEXTUREPROC>(platform().gl_proc_address("glActiveTextureARB"));
  log_line("init fbo\n");
  // Frames recorded are drawn into the kept picture, which the off-screen buffer holds.
  r->record = FrameRecord{};
  r->layers.clear();  // made in an earlier context, if any
  r->record.enabled = frame_record_wanted();
  r->window_kept = r->record.enabled && kept_window_allowed() && platform().gl_can_show_part();
  picture_buffer_create(*r, extensions);
  r->record.enabled = r->record.enabled && r->picture_fbo != 0;
  r->window_kept = r->window_kept && r->record.enabled;
  r->gl_ready = true;
  frame_record_start(*r, DrawCommand{}, false);
  // The first frame is drawn before any frame_show: it needs the same set-up as every later one.
  renderer_frame_setup();
}

int renderer_texture_limit() {
  GLint limit = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &limit);
  if (limit <= 0) limit = 64;
  if (limit > 16384) limit = 16384;  // sizes are kept in 16-bit fields
  OpenGLDuderozi* r = g_renderer;
  if (r && r->texture_limit_cap > 0 && r->texture_limit_cap < limit) limit = r->texture_limit_cap;
  return limit;
}

void renderer_set_texture_limit_cap(int cap) {
  if (g_renderer) g_renderer->texture_limit_cap = cap > 0 ? cap : 0;
}

void renderer_reset_viewport() {
  OpenGLDuderozi* r = renderer_gl();
  if (!r) return;
  int w = 0, h = 0;
  platform().window_client_size(w, h);
  if (w > 0 && h > 0) {
    r->screen_width = w;
    r->screen_height = h;
  }
  glViewport(0, 0, r->screen_width, r->screen_height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, r->screen_width, r->screen_height, 0.0, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void set_opaque_mode(OpenGLDuderozi& r) {
  glDisable(GL_BLEND);
  glEnable(GL_ALPHA_TEST);
  r.opacity = 1.0f;
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void renderer_frame_setup() {
  OpenGLDuderozi* r = renderer_gl();
  if (!r) return;
  picture_buffer_bind(*r);
  renderer_reset_viewport();
  frame_state_reset(*r);
}

void frame_state_reset(OpenGLDuderozi& r) {
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.05f);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glFrontFace(GL_CCW);
  glDisable(GL_FOG);
  glDisable(GL_POINT_SMOOTH);
  glDisable(GL_LINE_SMOOTH);
  glDisable(GL_STENCIL_TEST);
  glDisable(GL_NORMALIZE);
  glDisable(GL_LIGHTING);
  glDisable(GL_COLOR_MATERIAL);
  glDisable(GL_DITHER);
  glDisable(GL_POLYGON_SMOOTH);
  glShadeModel(GL_FLAT);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
  r.smoothing = 1;
  glDisable(GL_TEXTURE_2D);
  apply_blind_scissor();
  set_opaque_mode(r);
}

void renderer_flush() {
  // Every drawing command goes straight to GL; make sure it is all submitted before the swap.
  if (renderer_gl()) glFlush();
}

void renderer_request_depth_clear() {
  if (g_renderer) g_renderer->depth_clear_pending = true;
}

void renderer_prepare_next() {
  OpenGLDuderozi* r = renderer_gl();
  if (!r) return;
  picture_buffer_after_swap(*r);
  if (r->record.enabled) {
    // The frame starts from what the list's first command draws, when the frame ends.
    if (r->depth_clear_pending) glClear(GL_DEPTH_BUFFER_BIT);
    r->depth_clear_pending = false;
    DrawCommand base;
    if (r->background.loaded()) {
      base.op = DrawOp::background;
    } else {
      base.op = DrawOp::clear;
      std::memcpy(base.i, r->clear_color, sizeof r->clear_color);
    }
    frame_record_start(*r, base, r->background.loaded() || r->clear_each_frame);
    return;
  }
  if (r->background.loaded()) {
    // After a swap the back buffer's content is undefined until the background covers it again.
    r->drawn_over_background = true;
    if (r->depth_clear_pending) glClear(GL_DEPTH_BUFFER_BIT);
    r->depth_clear_pending = false;
    background_draw(*r);
    return;
  }
  GLbitfield mask = 0;
  if (r->clear_each_frame) {
    glClearColor(r->clear_color[0], r->clear_color[1], r->clear_color[2], r->clear_color[3]);
    mask |= GL_COLOR_BUFFER_BIT;
  }
  if (r->depth_clear_pending) mask |= GL_DEPTH_BUFFER_BIT;
  r->depth_clear_pending = false;
  if (mask) glClear(mask);
  r->drawn_over_background = true;
}
