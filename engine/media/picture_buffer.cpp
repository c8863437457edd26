// The off-screen picture: a frame buffer object of the picture's size that frames are drawn into
// while the window does not show the picture 1:1, copied scaled into the window (black bars where
// the aspects differ) just before each buffer swap. Everything that reads the screen back (spr_grab,
// tests) reads the buffer being drawn into, so it always sees the unscaled picture, whatever the
// window's size.
//
// While the window is exactly the picture's size, frames go straight to the window instead: the copy
// would change nothing, and a driver that draws in software would pay for it on every frame. The
// switch happens at a present, in either direction, carrying the picture over. Without frame buffer
// objects (or without the blit that copies them) drawing always goes to the window, which then keeps
// the picture's size.
#include "engine/platform/gl_headers.h"

#include <cstdlib>
#include <string>

#include "engine/media/renderer_state.h"
#include "engine/platform/platform.h"
#include "engine/platform/view_fit.h"

namespace {

bool g_allowed = true;
bool g_kept_window_allowed = true;

// The entry points, from OpenGL 3.0 / GL_ARB_framebuffer_object or from the EXT extensions (same
// signatures and enum values).
struct FramebufferCalls {
  PFNGLGENFRAMEBUFFERSPROC gen_framebuffers = nullptr;
  PFNGLDELETEFRAMEBUFFERSPROC delete_framebuffers = nullptr;
  PFNGLBINDFRAMEBUFFERPROC bind_framebuffer = nullptr;
  PFNGLFRAMEBUFFERRENDERBUFFERPROC framebuffer_renderbuffer = nullptr;
  PFNGLCHECKFRAMEBUFFERSTATUSPROC check_framebuffer_status = nullptr;
  PFNGLGENRENDERBUFFERSPROC gen_renderbuffers = nullptr;
  PFNGLDELETERENDERBUFFERSPROC delete_renderbuffers = nullptr;
  PFNGLBINDRENDERBUFFERPROC bind_renderbuffer = nullptr;
  PFNGLRENDERBUFFERSTORAGEPROC renderbuffer_storage = nullptr;
  PFNGLBLITFRAMEBUFFERPROC blit_framebuffer = nullptr;

  template <typename F>
  static bool get(F& out, const std::string& name) {
    out = reinterpret_cast<F>(platform().gl_proc_address(name.c_str()));
    return out != nullptr;
  }

  bool load(const char* suffix) {
    const std::string s = suffix;
    return get(gen_framebuffers, "glGenFramebuffers" + s) &&
           get(delete_framebuffers, "glDeleteFramebuffers" + s) &&
           get(bind_framebuffer, "glBindFramebuffer" + s) &&
           get(framebuffer_renderbuffer, "glFramebufferRenderbuffer" + s) &&
           get(check_framebuffer_status, "glCheckFramebufferStatus" + s) &&
           get(gen_renderbuffers, "glGenRenderbuffers" + s) &&
           get(delete_renderbuffers, "glDeleteRenderbuffers" + s) &&
           get(bind_renderbuffer, "glBindRenderbuffer" + s) &&
           get(renderbuffer_storage, "glRenderbufferStorage" + s) &&
           get(blit_framebuffer, "glBlitFramebuffer" + s);
  }
};

FramebufferCalls g_calls;

bool has_extension(const std::string& extensions, const char* name) {
  const std::string n = name;
  for (size_t at = extensions.find(n); at != std::string::npos; at = extensions.find(n, at + 1)) {
    const size_t end = at + n.size();
    if ((at == 0 || extensions[at - 1] == ' ') && (end == extensions.size() || extensions[end] == ' '))
      return true;
  }
  return false;
}

int gl_major_version() {
  const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  return version ? std::atoi(version) : 0;
}

void drain_gl_errors() {
  for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {}
}

// Loads the entry points; the depth and stencil format to use is returned in `depth_format`
// (0 = depth only at 24 bits).
bool load_calls(const std::string& extensions, GLenum& depth_format) {
  if (gl_major_version() >= 3 || has_extension(extensions, "GL_ARB_framebuffer_object")) {
    depth_format = GL_DEPTH24_STENCIL8;
    if (g_calls.load("")) return true;
  }
  if (has_extension(extensions, "GL_EXT_framebuffer_object") &&
      has_extension(extensions, "GL_EXT_framebuffer_blit")) {
    depth_format = has_extension(extensions, "GL_EXT_packed_depth_stencil") ? GL_DEPTH24_STENCIL8 : 0;
    if (g_calls.load("EXT")) return true;
  }
  g_calls = FramebufferCalls{};
  return false;
}

ViewFit window_fit(const OpenGLDuderozi& r) {
  int w = 0, h = 0;
  platform().window_drawable_size(w, h);
  return view_fit(r.picture_w, r.picture_h, w, h);
}

// Copies the picture between the window's back buffer and the off-screen buffer, 1:1.
void copy_unscaled(GLuint from, GLuint to, int w, int h) {
  g_calls.bind_framebuffer(GL_READ_FRAMEBUFFER, from);
  g_calls.bind_framebuffer(GL_DRAW_FRAMEBUFFER, to);
  g_calls.blit_framebuffer(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
}

void bind_target(const OpenGLDuderozi& r) {
  g_calls.bind_framebuffer(GL_FRAMEBUFFER, r.picture_offscreen && !r.record.in_window ? r.picture_fbo : 0);
}

// The bars around a scaled picture, black.
void clear_bars() {
  GLfloat saved[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, saved);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(saved[0], saved[1], saved[2], saved[3]);
}

// Shows a box of picture pixels (y downwards) where the fit puts it in the window, scaled by a whole
// `scale`; copied there from the off-screen picture first unless the window holds it already.
void show_box(const OpenGLDuderozi& r, const ViewFit& fit, int scale, const DrawBox& box, bool copy) {
  const DrawBox b = box.clipped(r.picture_w, r.picture_h);
  if (b.empty()) return;
  const int bottom = fit.window_h - fit.y - fit.h;  // GL counts rows from the bottom
  const int x0 = fit.x + b.x0 * scale, y0 = bottom + (r.picture_h - b.y1) * scale;
  const int x1 = fit.x + b.x1 * scale, y1 = bottom + (r.picture_h - b.y0) * scale;
  if (copy)
    g_calls.blit_framebuffer(b.x0, r.picture_h - b.y1, b.x1, r.picture_h - b.y0, x0, y0, x1, y1,
                             GL_COLOR_BUFFER_BIT, GL_NEAREST);
  platform().gl_show_part(x0, y0, x1 - x0, y1 - y0);
}

// The window keeps its back buffer and is shown without swaps: at 1:1 the frame was drawn into it and
// the boxes drawn (or all of it) are shown; scaled, the boxes are copied from the off-screen picture
// into it, scaled, and shown, or all of it when the window changed, the scale is not whole or the
// window does not hold the last frame shown. A frame that finds the window resized was drawn into the
// off-screen picture and is shown whole after a swap.
void present_kept(OpenGLDuderozi& r) {
  const FrameRecord& f = r.record;
  const ViewFit fit = view_fit(r.picture_w, r.picture_h, f.shown_w, f.shown_h);
  const DrawBox all{0, 0, r.picture_w, r.picture_h};
  if (!r.picture_offscreen && fit.identity() && !f.present_swap) {
    if (f.present_part) {
      for (const DrawBox& box : f.boxes) show_box(r, fit, 1, box, false);
    } else {
      show_box(r, fit, 1, all, false);
    }
    r.window_holds_shown = false;
    return;
  }
  if (!r.picture_offscreen) {
    // Drawn into the window (as it went) while the window changed size: the frame moves off-screen.
    copy_unscaled(0, r.picture_fbo, r.picture_w, r.picture_h);
    r.picture_offscreen = true;
  }
  if (f.present_swap) {
    // The window's size changed: a driver may size its back buffer anew only at a swap. One swap
    // lets it, and the frame goes into the new back buffer whole.
    platform().gl_swap();
    r.window_holds_shown = false;
  }
  g_calls.bind_framebuffer(GL_READ_FRAMEBUFFER, r.picture_fbo);
  g_calls.bind_framebuffer(GL_DRAW_FRAMEBUFFER, 0);
  if (f.present_part && r.window_holds_shown && fit.whole_scale()) {
    for (const DrawBox& box : f.boxes) show_box(r, fit, fit.w / r.picture_w, box, true);
  } else {
    if (fit.has_bars()) clear_bars();
    if (!fit.empty()) {
      const GLenum filter = fit.whole_scale() ? GL_NEAREST : GL_LINEAR;
      const int bottom = fit.window_h - fit.y - fit.h;
      g_calls.blit_framebuffer(0, 0, r.picture_w, r.picture_h, fit.x, bottom, fit.x + fit.w, bottom + fit.h,
                               GL_COLOR_BUFFER_BIT, filter);
    }
    platform().gl_show_part(0, 0, fit.window_w, fit.window_h);
  }
  r.window_holds_shown = !fit.empty();
  g_calls.bind_framebuffer(GL_FRAMEBUFFER, r.picture_fbo);
}

}  // namespace

void picture_buffer_create(OpenGLDuderozi& r, const std::string& extensions) {
  picture_buffer_release(r);
  if (!g_allowed) return;
  GLenum depth_format = 0;
  if (!load_calls(extensions, depth_format)) return;
  // A blit into a multisampled window is not allowed; such a window is drawn directly.
  GLint sample_buffers = 0;
  glGetIntegerv(GL_SAMPLE_BUFFERS, &sample_buffers);
  if (sample_buffers > 0) return;
  int w = 0, h = 0;
  platform().window_client_size(w, h);
  if (w <= 0 || h <= 0) return;

  drain_gl_errors();
  GLuint fbo = 0, color = 0, depth = 0;
  g_calls.gen_framebuffers(1, &fbo);
  g_calls.gen_renderbuffers(1, &color);
  g_calls.gen_renderbuffers(1, &depth);
  g_calls.bind_renderbuffer(GL_RENDERBUFFER, color);
  g_calls.renderbuffer_storage(GL_RENDERBUFFER, GL_RGBA8, w, h);
  g_calls.bind_renderbuffer(GL_RENDERBUFFER, depth);
  g_calls.renderbuffer_storage(GL_RENDERBUFFER, depth_format ? depth_format : GL_DEPTH_COMPONENT24, w, h);
  g_calls.bind_renderbuffer(GL_RENDERBUFFER, 0);
  g_calls.bind_framebuffer(GL_FRAMEBUFFER, fbo);
  g_calls.framebuffer_renderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, color);
  g_calls.framebuffer_renderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
  if (depth_format)
    g_calls.framebuffer_renderbuffer(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depth);
  const bool complete = g_calls.check_framebuffer_status(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  if (!complete || glGetError() != GL_NO_ERROR) {
    g_calls.bind_framebuffer(GL_FRAMEBUFFER, 0);
    g_calls.delete_framebuffers(1, &fbo);
    g_calls.delete_renderbuffers(1, &color);
    g_calls.delete_renderbuffers(1, &depth);
    drain_gl_errors();
    return;
  }
  r.picture_fbo = fbo;
  r.picture_color = color;
  r.picture_depth = depth;
  r.picture_w = w;
  r.picture_h = h;
  // The buffer starts black, like a freshly cleared window.
  GLfloat saved[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, saved);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  glClearColor(saved[0], saved[1], saved[2], saved[3]);
  // A window made larger than the picture shows it scaled from the first frame on. Frames recorded are
  // drawn into the kept picture: this buffer, or the window where it keeps its back buffer.
  r.picture_offscreen = (r.record.enabled && !r.window_kept) || !window_fit(r).identity();
  bind_target(r);
}

void picture_buffer_release(OpenGLDuderozi& r) {
  if (!r.picture_fbo) return;
  if (r.gl_ready && platform().window_exists()) {
    g_calls.bind_framebuffer(GL_FRAMEBUFFER, 0);
    g_calls.delete_framebuffers(1, &r.picture_fbo);
    g_calls.delete_renderbuffers(1, &r.picture_color);
    g_calls.delete_renderbuffers(1, &r.picture_depth);
  }
  r.picture_fbo = r.picture_color = r.picture_depth = 0;
  r.picture_w = r.picture_h = 0;
  r.picture_offscreen = false;
  r.picture_back_to_window = false;
}

void picture_buffer_bind(const OpenGLDuderozi& r) {
  if (r.picture_fbo) bind_target(r);
}

void picture_buffer_after_swap(OpenGLDuderozi& r) {
  if (!r.picture_back_to_window) return;
  r.picture_back_to_window = false;
  r.picture_offscreen = false;
  // The picture goes on in the window: its back buffer starts from the frame just shown, as it
  // would after a swap of a window drawn directly.
  copy_unscaled(r.picture_fbo, 0, r.picture_w, r.picture_h);
  bind_target(r);
}

bool picture_buffer_choose(OpenGLDuderozi& r, int w, int h, bool resized) {
  if (!r.picture_fbo || !r.window_kept) return false;
  const bool offscreen = resized || !view_fit(r.picture_w, r.picture_h, w, h).identity();
  if (offscreen == r.picture_offscreen) return false;
  r.picture_offscreen = offscreen;
  bind_target(r);
  return true;
}

bool picture_buffer_window_takes(const OpenGLDuderozi& r, int w, int h) {
  return r.picture_fbo && !r.window_kept && r.picture_offscreen &&
         view_fit(r.picture_w, r.picture_h, w, h).identity();
}

void picture_buffer_draw_in_window(OpenGLDuderozi& r) {
  r.record.in_window = true;
  bind_target(r);
}

void picture_buffer_draw_in_kept(OpenGLDuderozi& r) {
  r.record.in_window = false;
  bind_target(r);
}

void renderer_allow_offscreen(bool allow) { g_allowed = allow; }

void renderer_allow_kept_window(bool allow) { g_kept_window_allowed = allow; }

bool kept_window_allowed() { return g_kept_window_allowed; }

bool renderer_keeps_window() {
  const OpenGLDuderozi* r = renderer_gl();
  return r && r->window_kept;
}

bool renderer_can_scale() {
  const OpenGLDuderozi* r = renderer_gl();
  return r && r->picture_fbo != 0;
}

bool renderer_draws_offscreen() {
  const OpenGLDuderozi* r = renderer_gl();
  return r && r->picture_fbo != 0 && r->picture_offscreen;
}

bool renderer_present_picture() {
  OpenGLDuderozi* r = renderer_gl();
  if (!r || !r->picture_fbo) return false;
  if (r->window_kept) {
    present_kept(*r);
    return true;
  }
  if (r->record.in_window) return false;  // drawn into the window 1:1: the swap shows it
  const ViewFit fit = window_fit(*r);
  if (!r->picture_offscreen) {
    if (fit.identity()) return false;  // the window shows the picture as it was drawn
    // The window no longer matches the picture: the frame drawn into it moves off-screen, and it
    // and the frames after it are shown scaled.
    copy_unscaled(0, r->picture_fbo, r->picture_w, r->picture_h);
    r->picture_offscreen = true;
  }
  g_calls.bind_framebuffer(GL_READ_FRAMEBUFFER, r->picture_fbo);
  g_calls.bind_framebuffer(GL_DRAW_FRAMEBUFFER, 0);
  if (fit.has_bars()) {
    // The bars: after a swap the window's back buffer holds anything.
    GLfloat saved[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, saved);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(saved[0], saved[1], saved[2], saved[3]);
  }
  if (!fit.empty()) {
    // Whole scales keep every picture pixel a sharp square; any other scale is smoothed.
    const GLenum filter = fit.whole_scale() ? GL_NEAREST : GL_LINEAR;
    const int bottom = fit.window_h - fit.y - fit.h;  // GL counts rows from the bottom
    g_calls.blit_framebuffer(0, 0, r->picture_w, r->picture_h, fit.x, bottom, fit.x + fit.w, bottom + fit.h,
                             GL_COLOR_BUFFER_BIT, filter);
  }
  // Drawing and reading go on in the picture; once the window matches it again, in the window, from
  // the next frame on.
  g_calls.bind_framebuffer(GL_FRAMEBUFFER, r->picture_fbo);
  r->picture_back_to_window = fit.identity() && !r->record.enabled;
  return false;
}

bool renderer_read_window(int x, int y, int w, int h, uint8_t* rgba) {
  OpenGLDuderozi* r = renderer_gl();
  if (!r || !rgba || w <= 0 || h <= 0) return false;
  renderer_before_change(-1);
  if (r->picture_fbo) g_calls.bind_framebuffer(GL_READ_FRAMEBUFFER, 0);
  GLint alignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  glPixelStorei(GL_PACK_ALIGNMENT, alignment);
  if (r->picture_fbo) bind_target(*r);
  return true;
}
