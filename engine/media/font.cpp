// Font slots and the current font: loading, selecting, printing text and measuring it.
#include "engine/platform/gl_headers.h"

#include <cmath>
#include <cstring>

#include "engine/core/archive.h"
#include "engine/core/log.h"
#include "engine/media/font.h"
#include "engine/media/font_builtin.h"
#include "engine/media/picture_file.h"
#include "engine/media/renderer_state.h"

namespace {

void load_failed(int font, int code) {
  sprite_free(kFirstFontSlot + font);
  app_set_error(code);
  // Text stays readable: a failed load leaves the built-in font in the slot.
  font_install_builtin(font);
}

}  // namespace

void font_load(const Str& file, int id) {
  app_set_error(RtError::success);
  OpenGLDuderozi* r = renderer_object();
  if (!r) {
    app_set_error(RtError::file);
    return;
  }
  if (file.c_str()[0] == '\0') {
    if (id >= 0 && id < kFontSlots) {
      sprite_free(kFirstFontSlot + id);
      for (GlyphRecord& g : r->glyphs[id]) g = GlyphRecord{};
    }
    return;
  }
  if (id >= 0 && id < kFontSlots) {
    r->current_font = id;
  } else {
    app_set_error(RtError::memory_or_range);  // and the file goes into the current font's slot
  }
  const int font = r->current_font;
  // The old picture goes first: its memory is the new one's to use.
  sprite_free(kFirstFontSlot + font);
  ImageBuffer image;
  const auto cost = [](int w, int h) { return sprite_picture_cost(w, h, true, renderer_texture_limit()); };
  int code = picture_file_read(file, r->font_key, false, cost, image);
  if (code == 0 && !font_install_image(std::move(image), font)) code = picture_file_upload_failed(file);
  if (code != 0) load_failed(font, code);
}

bool font_install_image(ImageBuffer image, int font) {
  OpenGLDuderozi* r = renderer_gl();
  if (!r || font < 0 || font >= kFontSlots) return false;
  GlyphRecord measured[256];
  font_measure_glyphs(image, renderer_texture_limit(), measured);
  if (!image_upload(std::move(image), kFirstFontSlot + font, true)) return false;
  std::memcpy(r->glyphs[font], measured, sizeof measured);
  return true;
}

void font_set(int id) {
  OpenGLDuderozi* r = renderer_object();
  if (id < 0 || id >= kFontSlots) {
    app_set_error(RtError::memory_or_range);
    return;
  }
  if (r) r->current_font = id;
}

int font_current() {
  OpenGLDuderozi* r = renderer_object();
  return r ? r->current_font : 0;
}

void font_print(const Str& text, double x, double y, int kerning) {
  OpenGLDuderozi* r = renderer_gl();
  const size_t length = std::strlen(text.c_str());
  if (!r || length == 0) return;
  const int font = r->current_font;
  const SpriteRecord& rec = r->sprites[kFirstFontSlot + font];
  if (rec.image_width == 0) return;  // an empty slot has zero-size glyphs
  if (draw_list_take(DrawCommand::make(DrawOp::text, kFirstFontSlot + font, {kerning}, {x, y}),
                     std::string_view(text.c_str(), length)))
    return;
  r->text_vertices.clear();
  const size_t vertices =
      font_text_vertices(*r, font, std::string_view(text.c_str(), length), x, y, kerning, r->text_vertices);
  bind_sprite_texture(rec, Sampling::own_filter);
  if (vertices == 0) return;
  r->drawn_over_background = true;
  font_draw_vertices(r->text_vertices);
}

void font_draw_vertices(const std::vector<float>& v) {
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glVertexPointer(3, GL_FLOAT, 5 * sizeof(float), v.data());
  glTexCoordPointer(2, GL_FLOAT, 5 * sizeof(float), v.data() + 3);
  glDrawArrays(GL_TRIANGLE_STRIP, 0, static_cast<GLsizei>(v.size() / 5));
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
}

size_t font_text_vertices(const OpenGLDuderozi& r, int font, std::string_view text, double x, double y,
                          int kerning, std::vector<float>& out) {
  const SpriteRecord& rec = r.sprites[kFirstFontSlot + font];
  const FontLayout layout = font_layout(rec.image_width, rec.image_height);
  const float su = rec.u_max / 16.0f;
  const float sv = rec.v_max / static_cast<float>(layout.glyph_count / 16);
  const int top_row = layout.glyph_count / 16 - 1;
  // Rounded up in double precision: a position a hair past a whole pixel starts on the next one.
  float x0 = static_cast<float>(std::ceil(x));
  const float y0 = static_cast<float>(std::ceil(y));
  const float ch = static_cast<float>(layout.cell_height);
  const GlyphRecord* glyphs = r.glyphs[font];
  size_t vertices = 0;
  for (const char ch8 : text) {
    const int c = static_cast<uint8_t>(ch8) % layout.glyph_count;
    if (c == 0) break;
    const float vb = static_cast<float>(top_row - c / 16) * sv;
    const float vt = vb + sv;
    float ua, ub, width;
    if (kerning == 0) {
      ua = static_cast<float>(c % 16) * su;
      ub = ua + su;
      width = static_cast<float>(layout.cell_width);
    } else {
      ua = glyphs[c].u0;
      ub = glyphs[c].u1;
      width = glyphs[c].advance;
    }
    out.insert(out.end(), {x0,         y0 + ch, 0.0f, ua, vb,  //
                           x0,         y0,      0.0f, ua, vt,  //
                           x0 + width, y0 + ch, 0.0f, ub, vb,  //
                           x0 + width, y0,      0.0f, ub, vt});
    vertices += 4;
    x0 += width;
  }
  return vertices;
}

int font_text_width(const Str& text, int kerning) {
  OpenGLDuderozi* r = renderer_object();
  if (!r) return 0;
  const int font = r->current_font;
  const SpriteRecord& rec = r->sprites[kFirstFontSlot + font];
  const char* s = text.c_str();
  const size_t length = std::strlen(s);
  if (kerning == 0) return static_cast<int>(length) * (rec.image_width / 16);
  long long width = 0;
  for (size_t i = 0; i < length; ++i) width += r->glyphs[font][static_cast<uint8_t>(s[i])].advance;
  return static_cast<int>(width);
}

void font_startup() {
  OpenGLDuderozi* r = renderer_object();
  if (!r) return;
  font_install_builtin(0);
  static const char* const kNames[] = {"Media/smalfont.png", "Media/smalfont.bmp", "smalfont.png",
                                       "smalfont.bmp"};
  for (const char* name : kNames) {
    Str path;
    if (archive_resolve(ARCHIVE_DATA, name, path, 1)) {
      font_load(Str(name), 0);
      break;
    }
  }
  font_set(0);
}
