// Full-screen layers drawn once. A frame that starts with a clear followed by several draws that each
// cover most of the picture (the title animation's two additive, zoomed copies) has that start kept as a
// picture of its own: made the first time the list is drawn whole, by copying the buffer drawn into
// once those commands are drawn, and from then on drawn in one opaque 1:1 pass (nearest) whenever a
// list starts with the same commands, the same pictures at the same versions. The copy holds exactly
// the pixels those commands drew, so the frame's pixels are the same. The layers take at most
// kLayerBytes; one unused for a while makes room for another, and all of them go once unused longer.
#include "engine/platform/gl_headers.h"

#include <cstring>
#include <string>

#include "engine/media/renderer_state.h"

namespace {

constexpr int64_t kLayerBytes = int64_t{64} << 20;
constexpr long kReplaceableAfter = 100;  // frames unused before a layer may give its room to another
constexpr long kDroppedAfter = 500;      // frames unused before a layer is let go

// A draw over at least half the picture: worth keeping in a layer. (The layer holds every pixel of the
// picture whatever the draws cover, as the commands start with a clear.)
bool large(const OpenGLDuderozi& r, const DrawCommand& c) {
  return c.box.clipped(r.screen_width, r.screen_height).area() * 2 >=
         static_cast<int64_t>(r.screen_width) * r.screen_height;
}

// The key of the list's first n commands: everything that decides their pixels.
std::string key_of(const DrawList& list, size_t n) {
  std::string key;
  for (size_t k = 0; k < n; ++k) {
    const DrawCommand& c = list.commands[k];
    key.append(reinterpret_cast<const char*>(&c.op), sizeof c.op);
    key.append(reinterpret_cast<const char*>(&c.slot), sizeof c.slot);
    key.append(reinterpret_cast<const char*>(&c.version), sizeof c.version);
    key.append(reinterpret_cast<const char*>(c.i), sizeof c.i);
    key.append(reinterpret_cast<const char*>(c.d), sizeof c.d);
  }
  return key;
}

bool npot_textures() {
  static int known = -1;
  if (known < 0) {
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const char* ext = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    known = (version && version[0] >= '2' && version[0] <= '9') ||
            (ext && std::strstr(ext, "GL_ARB_texture_non_power_of_two"));
  }
  return known == 1;
}

KeptLayer* find(OpenGLDuderozi& r, const std::string& key) {
  for (KeptLayer& layer : r.layers)
    if (layer.key == key) return &layer;
  return nullptr;
}

}  // namespace

size_t layer_run_length(const OpenGLDuderozi& r, const DrawList& list) {
  const auto& c = list.commands;
  if (c.empty() || c[0].op != DrawOp::clear || r.screen_width <= 0 || r.screen_height <= 0) return 0;
  size_t end = 0;
  int covering = 0;
  for (size_t k = 1; k < c.size(); ++k) {
    if (c[k].changes_state_only()) continue;
    if (c[k].op == DrawOp::text || !large(r, c[k])) break;
    ++covering;
    end = k + 1;
  }
  return covering >= 2 ? end : 0;
}

bool layer_draw(OpenGLDuderozi& r, const DrawList& list, size_t n) {
  KeptLayer* layer = find(r, key_of(list, n));
  if (!layer) return false;
  layer->used = r.layer_clock;
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, layer->texture);
  const float w = static_cast<float>(r.screen_width), h = static_cast<float>(r.screen_height);
  // The copy's first row is the picture's bottom one.
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 1.0f);
  glVertex2f(0.0f, 0.0f);
  glTexCoord2f(1.0f, 1.0f);
  glVertex2f(w, 0.0f);
  glTexCoord2f(1.0f, 0.0f);
  glVertex2f(w, h);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2f(0.0f, h);
  glEnd();
  glDisable(GL_TEXTURE_2D);
  set_opaque_mode(r);
  return true;
}

void layer_make(OpenGLDuderozi& r, const DrawList& list, size_t n) {
  if (!npot_textures() || renderer_blind()) return;
  std::string key = key_of(list, n);
  if (find(r, key)) return;
  const int64_t bytes = int64_t{4} * r.screen_width * r.screen_height;
  int64_t held = 0;
  for (const KeptLayer& layer : r.layers) held += layer.bytes;
  KeptLayer* slot = nullptr;
  if (held + bytes > kLayerBytes) {
    // Room from the layer unused longest, if it has not been used for a while: the layers a screen
    // goes round are all kept, or the ones made last wait.
    for (KeptLayer& layer : r.layers)
      if (r.layer_clock - layer.used >= kReplaceableAfter && (!slot || layer.used < slot->used))
        slot = &layer;
    if (!slot || slot->bytes != bytes) return;
  }
  GLuint texture = slot ? slot->texture : 0;
  if (!texture) glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 0, 0, r.screen_width, r.screen_height, 0);
  if (glGetError() != GL_NO_ERROR) {
    glDeleteTextures(1, &texture);
    if (slot) r.layers.erase(r.layers.begin() + (slot - r.layers.data()));
    return;
  }
  if (!slot) {
    r.layers.push_back({});
    slot = &r.layers.back();
  }
  *slot = KeptLayer{std::move(key), texture, bytes, r.layer_clock};
}

void layer_cache_tick(OpenGLDuderozi& r) {
  ++r.layer_clock;
  for (size_t k = 0; k < r.layers.size();) {
    if (r.layer_clock - r.layers[k].used < kDroppedAfter) {
      ++k;
      continue;
    }
    glDeleteTextures(1, &r.layers[k].texture);
    r.layers.erase(r.layers.begin() + static_cast<std::ptrdiff_t>(k));
  }
}

void layer_cache_release(OpenGLDuderozi& r) {
  for (KeptLayer& layer : r.layers) glDeleteTextures(1, &layer.texture);
  r.layers.clear();
}
