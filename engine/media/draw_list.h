// A frame's drawing as a list of commands, and what changed between two such lists. Plain data with no
// OpenGL in it: any drawing path records into it and replays from it.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// A box of picture pixels, x0 <= x < x1, y0 <= y < y1, y downwards.
struct DrawBox {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  bool empty() const { return x1 <= x0 || y1 <= y0; }
  int64_t area() const { return empty() ? 0 : static_cast<int64_t>(x1 - x0) * (y1 - y0); }
  bool meets(const DrawBox& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
  DrawBox joined(const DrawBox& o) const;
  DrawBox clipped(int w, int h) const;
};

enum class DrawOp : uint8_t {
  clear,         // the colour buffer cleared to i[0] (packed colour)
  background,    // the background picture drawn over the whole picture
  opaque_state,  // opaque mode set and texturing off, as the background leaves them, without drawing
  alpha_mode,    // d[0]: the blend mode and opacity
  rect,          // i[0..4]: x, y, w, h, colour
  sprite,        // slot; i[0..1]: x, y
  stretched,     // slot; i[0..3]: x, y, w, h
  rotozoom,      // slot; i[0..1]: x, y; d[0..1]: angle, zoom
  anim,          // slot; i[0..2]: frame, x, y
  text,          // slot (the font's); i[0]: kerning; d[0..1]: x, y; the text
};

struct DrawCommand {
  DrawOp op = DrawOp::clear;
  int slot = -1;         // the picture drawn (sprite table slot), or -1
  uint32_t version = 0;  // that slot's version (or the background's) when recorded
  int i[5] = {0, 0, 0, 0, 0};
  double d[2] = {0, 0};
  uint32_t text_at = 0, text_length = 0;  // the text, in the list's text store
  // The pixels the command may change; a command that changes only state has none. A command that
  // covers everything (a clear, the background) has the whole picture.
  DrawBox box;
  static DrawCommand make(DrawOp op, int slot, std::initializer_list<int> ints,
                          std::initializer_list<double> reals = {});
  bool changes_state_only() const { return op == DrawOp::alpha_mode || op == DrawOp::opaque_state; }
};

struct DrawList {
  std::vector<DrawCommand> commands;
  std::string texts;
  // The frame starts from a picture covered whole (a clear or a background that covers it), so the
  // list alone says every pixel of the frame: replaying it anywhere gives the same pixels.
  bool self_contained = false;

  void clear() {
    commands.clear();
    texts.clear();
    self_contained = false;
  }
  std::string_view text_of(const DrawCommand& c) const {
    return std::string_view(texts).substr(c.text_at, c.text_length);
  }
};

bool draw_lists_equal(const DrawList& a, const DrawList& b);

// The boxes to redraw so that a picture holding what `before` drew holds what `after` draws, each box
// redrawn from `after` alone. False when that is the whole picture, or when it cannot be told (both
// lists must be self-contained; a state change among the differences changes everything after it).
// Boxes are merged while they overlap and kept to a few; when they would cover more than about half
// of the w x h picture, redrawing it whole is cheaper.
bool draw_list_damage(const DrawList& before, const DrawList& after, int w, int h,
                      std::vector<DrawBox>& boxes);
