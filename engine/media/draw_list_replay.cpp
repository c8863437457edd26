// Drawing a held list of commands. Runs of the game's small pictures usually alternate between a few
// textures (a board's tiles, each with its number in a font), so drawing them in order costs a draw
// call and a texture bind each. A 1:1 sprite, animation cell or text is moved back to an earlier draw
// of the same picture when only sprites and texts were drawn in between and none of them meets its
// box (draws that share no pixel give the same picture in either order); each such group is one draw.
#include "engine/platform/gl_headers.h"

#include <cstring>
#include <string>
#include <vector>

#include "engine/core/str.h"
#include "engine/media/draw.h"
#include "engine/media/font.h"
#include "engine/media/renderer_state.h"

namespace {

// Box tests a command may cost before it gives up joining an earlier group.
constexpr int kMaxTests = 512;

// What a command can be joined with: commands of the same key, 0 for none.
enum class Kind : uint8_t { none, quad, text };
struct Key {
  Kind kind = Kind::none;
  bool inside = false;  // quads: all texels inside the picture (the alpha test may pause)
  int slot = -1;
  bool operator==(const Key&) const = default;
};

Key key_of(const OpenGLDuderozi& r, const DrawCommand& c) {
  if (c.slot < 0 || c.slot >= kSpriteSlots) return {};
  const SpriteRecord& rec = r.sprites[c.slot];
  if (rec.texture == 0) return {};
  switch (c.op) {
    case DrawOp::sprite: return {Kind::quad, true, c.slot};
    case DrawOp::anim:
      if (rec.cell_width <= 0 || rec.cell_height <= 0 || rec.image_width == 0) return {};
      return {Kind::quad, anim_quad(rec, c.i[0], c.i[1], c.i[2]).inside, c.slot};
    case DrawOp::text:
      if (rec.image_width == 0 || c.text_length == 0) return {};
      return {Kind::text, false, c.slot};
    default: return {};
  }
}

struct Group {
  Key key;
  std::vector<uint32_t> members;  // command indices, in list order
};

// The pixels a sprite, animation cell or text draws, exactly: their corners lie on whole pixels, so a
// pixel is drawn when its centre lies in the box. (A command's own box has a pixel more all round, and
// a text's is as wide as its cells, while its glyphs may be narrower.)
DrawBox drawn_pixels(const OpenGLDuderozi& r, const DrawList& list, const DrawCommand& c) {
  DrawBox box = {c.box.x0 + 1, c.box.y0 + 1, c.box.x1 - 1, c.box.y1 - 1};
  if (c.op != DrawOp::text) return box;
  const SpriteRecord& rec = r.sprites[c.slot];
  const FontLayout layout = font_layout(rec.image_width, rec.image_height);
  const GlyphRecord* glyphs = r.glyphs[c.slot - kFirstFontSlot];
  int64_t width = 0;
  for (const char ch : list.text_of(c)) {
    const int glyph = static_cast<uint8_t>(ch) % layout.glyph_count;
    if (glyph == 0) break;
    width += c.i[0] == 0 ? layout.cell_width : glyphs[glyph].advance;
  }
  if (box.x0 + width < box.x1) box.x1 = static_cast<int>(box.x0 + width);
  return box;
}

struct Planned {
  Key key;
  DrawBox pixels;
};

// True when drawing command k with group g, before the commands of the groups after g (sprites and
// texts only), changes no pixel: none of them draws a pixel it draws, and none draws its picture (a
// sprite drawing of a font's picture sets the filter its texts then use). Gives up after kMaxTests
// box tests.
bool may_join(const std::vector<Planned>& planned, size_t begin, const std::vector<Group>& groups, size_t g,
              size_t k) {
  const Planned& c = planned[k - begin];
  int tests = 0;
  for (size_t h = g + 1; h < groups.size(); ++h) {
    for (const uint32_t m : groups[h].members) {
      const Planned& other = planned[m - begin];
      if (++tests > kMaxTests || other.key.slot == c.key.slot || other.pixels.meets(c.pixels)) return false;
    }
  }
  return true;
}

// The commands in the order they are drawn, as groups.
void plan(const OpenGLDuderozi& r, const DrawList& list, size_t begin, size_t end, const DrawBox* box,
          std::vector<Group>& groups) {
  static std::vector<Planned> planned;
  planned.assign(end - begin, Planned{});
  std::vector<size_t> open;  // per key, the last group of that key since the last state change
  for (size_t k = begin; k < end; ++k) {
    const DrawCommand& c = list.commands[k];
    const uint32_t index = static_cast<uint32_t>(k);
    if (box && !c.changes_state_only() && (box->empty() || !c.box.meets(*box))) continue;
    const Key key = key_of(r, c);
    if (key.kind == Kind::none) {
      // Anything else may leave state behind (a rectangle turns the alpha test on): nothing moves past it.
      groups.push_back({key, {index}});
      open.clear();
      continue;
    }
    planned[k - begin] = {key, drawn_pixels(r, list, c)};
    size_t* same = nullptr;
    for (size_t& g : open)
      if (groups[g].key == key) same = &g;
    if (same && may_join(planned, begin, groups, *same, k)) {
      groups[*same].members.push_back(index);
      continue;
    }
    groups.push_back({key, {index}});
    if (same) {
      *same = groups.size() - 1;
    } else {
      open.push_back(groups.size() - 1);
    }
  }
}

void draw_command(OpenGLDuderozi& r, const DrawList& list, const DrawCommand& c) {
  switch (c.op) {
    case DrawOp::clear: {
      float rgba[4];
      std::memcpy(rgba, c.i, sizeof rgba);
      glClearColor(rgba[0], rgba[1], rgba[2], rgba[3]);
      glClear(GL_COLOR_BUFFER_BIT);
      break;
    }
    case DrawOp::background: background_draw(r); break;
    case DrawOp::opaque_state:
      set_opaque_mode(r);
      glDisable(GL_TEXTURE_2D);
      break;
    case DrawOp::alpha_mode: draw_alpha_mode(c.d[0]); break;
    case DrawOp::rect: draw_rect(c.i[0], c.i[1], c.i[2], c.i[3], c.i[4]); break;
    case DrawOp::sprite: spr_draw(c.slot, c.i[0], c.i[1]); break;
    case DrawOp::stretched: spr_draw_stretched(c.slot, c.i[0], c.i[1], c.i[2], c.i[3]); break;
    case DrawOp::rotozoom: spr_draw_rotozoom(c.slot, c.i[0], c.i[1], c.d[0], c.d[1]); break;
    case DrawOp::anim: spr_draw_anim(c.slot, c.i[0], c.i[1], c.i[2]); break;
    case DrawOp::text: {
      const int saved = r.current_font;
      r.current_font = c.slot - kFirstFontSlot;
      font_print(Str(std::string(list.text_of(c)).c_str()), c.d[0], c.d[1], c.i[0]);
      r.current_font = saved;
      break;
    }
  }
}

// One group of 1:1 sprites and animation cells of one picture, as one list of quads.
void draw_quads(OpenGLDuderozi& r, const DrawList& list, const Group& group) {
  const SpriteRecord& rec = r.sprites[group.key.slot];
  r.drawn_over_background = true;
  bind_sprite_texture(rec, Sampling::one_to_one);
  const bool pause = sprite_alpha_test_pausable(r, rec, group.key.inside);
  if (pause) glDisable(GL_ALPHA_TEST);
  glBegin(GL_QUADS);
  for (const uint32_t m : group.members) {
    const DrawCommand& c = list.commands[m];
    sprite_quad_vertices(c.op == DrawOp::anim ? anim_quad(rec, c.i[0], c.i[1], c.i[2])
                                              : sprite_quad(rec, c.i[0], c.i[1]));
  }
  glEnd();
  if (pause) glEnable(GL_ALPHA_TEST);
}

// One group of texts in one font, as one triangle strip: between two texts, two vertices repeated make
// triangles of no area, and each text starts at an even vertex, so its triangles are the ones it has
// drawn on its own.
void draw_texts(OpenGLDuderozi& r, const DrawList& list, const Group& group) {
  const int font = group.key.slot - kFirstFontSlot;
  std::vector<float>& v = r.text_vertices;
  v.clear();
  for (const uint32_t m : group.members) {
    const DrawCommand& c = list.commands[m];
    const size_t start = v.size();
    if (font_text_vertices(r, font, list.text_of(c), c.d[0], c.d[1], c.i[0], v) == 0 || start == 0) continue;
    const float joint[10] = {v[start - 5], v[start - 4], v[start - 3], v[start - 2], v[start - 1],
                             v[start],     v[start + 1], v[start + 2], v[start + 3], v[start + 4]};
    v.insert(v.begin() + static_cast<std::ptrdiff_t>(start), joint, joint + 10);
  }
  bind_sprite_texture(r.sprites[group.key.slot], Sampling::own_filter);
  if (v.empty()) return;
  r.drawn_over_background = true;
  font_draw_vertices(v);
}

}  // namespace

size_t draw_list_replay(OpenGLDuderozi& r, const DrawList& list, size_t begin, size_t end,
                        const DrawBox* box) {
  static std::vector<Group> groups;
  groups.clear();
  plan(r, list, begin, end, box, groups);
  size_t joined = 0;
  for (const Group& group : groups) {
    if (group.key.kind == Kind::quad) {
      draw_quads(r, list, group);
    } else if (group.key.kind == Kind::text) {
      draw_texts(r, list, group);
    } else {
      draw_command(r, list, list.commands[group.members[0]]);
      continue;
    }
    joined += group.members.size() - 1;
  }
  return joined;
}
