// Filled rectangles.
#include "engine/platform/gl_headers.h"

#include "engine/media/draw.h"
#include "engine/media/renderer_state.h"

void draw_rect(int x, int y, int w, int h, int rgb) {
  OpenGLDuderozi* r = renderer_gl();
  if (!r) return;
  // A negative size extends left (up) from the start pixel, which stays covered.
  if (w < 0) {
    x = x + w + 1;
    w = -w;
  }
  if (h < 0) {
    y = y + h + 1;
    h = -h;
  }
  if (draw_list_take(DrawCommand::make(DrawOp::rect, -1, {x, y, w, h, rgb}))) return;
  r->drawn_over_background = true;
  glDisable(GL_ALPHA_TEST);
  const GLubyte alpha = rgb == r->sprite_key ? 0 : static_cast<GLubyte>(r->opacity * 255.0f);
  glColor4ub(static_cast<GLubyte>(rgb & 0xff), static_cast<GLubyte>((rgb >> 8) & 0xff),
             static_cast<GLubyte>((rgb >> 16) & 0xff), alpha);
  glDisable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, 0);
  // Shift by 3/8 pixel so that edges on pixel corners rasterise the same on every driver.
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glTranslatef(0.375f, 0.375f, 0.0f);
  glMatrixMode(GL_MODELVIEW);
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  const float fw = static_cast<float>(w), fh = static_cast<float>(h);
  glBegin(GL_TRIANGLE_FAN);
  glVertex2f(fx, fy + fh);
  glVertex2f(fx + fw, fy + fh);
  glVertex2f(fx + fw, fy);
  glVertex2f(fx, fy);
  glEnd();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glColor4f(1.0f, 1.0f, 1.0f, r->opacity);
  glEnable(GL_ALPHA_TEST);
}
