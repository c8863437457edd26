// Drawing only what changed: the frame's commands held in a list, compared with the previous frame's
// when the frame ends, and drawn whole, in boxes over the kept picture, or not at all.
#include "engine/platform/gl_headers.h"

#include <cmath>
#include <cstring>
#include <string>

#include "engine/core/str.h"
#include "engine/media/draw.h"
#include "engine/media/font.h"
#include "engine/media/font_glyphs.h"
#include "engine/media/renderer_state.h"
#include "engine/media/sprites.h"
#include "engine/platform/platform.h"

namespace {

int g_tracking = -1;  // -1: on except on the headless backend
bool g_redraw_whole = false;
RendererFrameCounts g_counts;
// A frame that draws without ever ending holds no more than this many commands.
constexpr size_t kMaxHeld = 100000;

DrawBox box_of(int x, int y, int w, int h) {
  if (w < 0) {
    x += w;
    w = -w;
  }
  if (h < 0) {
    y += h;
    h = -h;
  }
  // One pixel more all round: edges on pixel corners, rounding and the rectangles' shift.
  return {x - 1, y - 1, x + w + 1, y + h + 1};
}

DrawBox whole_picture(const OpenGLDuderozi& r) { return {0, 0, r.screen_width, r.screen_height}; }

// The pixels a command may change, from its arguments and its picture's sizes.
DrawBox command_box(const OpenGLDuderozi& r, const DrawCommand& c, size_t text_length) {
  const SpriteRecord* rec = c.slot >= 0 && c.slot < kSpriteSlots ? &r.sprites[c.slot] : nullptr;
  switch (c.op) {
    case DrawOp::clear:
    case DrawOp::background: return whole_picture(r);
    case DrawOp::alpha_mode:
    case DrawOp::opaque_state: return {};
    case DrawOp::rect: return box_of(c.i[0], c.i[1], c.i[2], c.i[3]);
    case DrawOp::sprite: return box_of(c.i[0], c.i[1], rec->image_width, rec->image_height);
    case DrawOp::stretched: return box_of(c.i[0], c.i[1], c.i[2], c.i[3]);
    case DrawOp::anim: return box_of(c.i[1], c.i[2], rec->cell_width, rec->cell_height);
    case DrawOp::rotozoom: {
      const double reach = std::hypot(rec->image_width, rec->image_height) * std::fabs(c.d[1]) * 0.5 + 2.0;
      if (!(reach < 1e6)) return whole_picture(r);
      const int cx = c.i[0] + rec->image_width / 2, cy = c.i[1] + rec->image_height / 2;
      const int k = static_cast<int>(std::ceil(reach));
      return {cx - k, cy - k, cx + k, cy + k};
    }
    case DrawOp::text: {
      if (!(std::fabs(c.d[0]) < 1e6 && std::fabs(c.d[1]) < 1e6)) return whole_picture(r);
      // No glyph is wider than its cell.
      const FontLayout layout = font_layout(rec->image_width, rec->image_height);
      return box_of(static_cast<int>(std::ceil(c.d[0])), static_cast<int>(std::ceil(c.d[1])),
                    static_cast<int>(text_length) * layout.cell_width, layout.cell_height);
    }
  }
  return whole_picture(r);
}

// Draws the list from the frame's starting state: all of it, or only what falls in one box (scissored).
void draw_list_now(OpenGLDuderozi& r, const DrawList& list, const DrawBox* box) {
  FrameRecord& f = r.record;
  f.replaying = true;
  frame_state_reset(r);
  if (box) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(box->x0, r.screen_height - box->y1, box->x1 - box->x0, box->y1 - box->y0);
  }
  // A start of full-screen layers is drawn in one pass where it is kept, and kept once drawn whole.
  const size_t run = layer_run_length(r, list);
  const size_t end = list.commands.size();
  if (run && layer_draw(r, list, run)) {
    // The state those commands leave, with nothing drawn (an empty box: only state changes).
    const DrawBox nowhere;
    draw_list_replay(r, list, 0, run, &nowhere);
    g_counts.joined += draw_list_replay(r, list, run, end, box);
    ++g_counts.layers;
  } else if (run && !box) {
    g_counts.joined += draw_list_replay(r, list, 0, run, nullptr);
    layer_make(r, list, run);
    g_counts.joined += draw_list_replay(r, list, run, end, nullptr);
  } else {
    g_counts.joined += draw_list_replay(r, list, 0, end, box);
  }
  if (box) frame_state_reset(r);  // the scissor box goes (or the blind one comes back)
  f.replaying = false;
}

// Drawing goes back into the kept picture after a frame drawn straight into the window. That picture
// holds an older frame: a frame that starts from the last one's pixels has the last one drawn first.
void leave_window(OpenGLDuderozi& r, const DrawList& last) {
  if (!r.record.in_window) return;
  picture_buffer_draw_in_kept(r);
  if (!r.record.list.self_contained) draw_list_now(r, last, nullptr);
}

uint32_t slot_version(const FrameRecord& f, int slot) {
  return slot >= 0 && slot < static_cast<int>(f.versions.size()) ? f.versions[slot] : 0;
}

}  // namespace

void renderer_set_change_tracking(bool on) { g_tracking = on ? 1 : 0; }

void renderer_set_redraw_whole(bool on) { g_redraw_whole = on; }

bool renderer_tracks_changes() {
  const OpenGLDuderozi* r = renderer_gl();
  return r && r->record.enabled;
}

RendererFrameCounts renderer_frame_counts() { return g_counts; }

bool frame_record_wanted() { return g_tracking < 0 ? !platform_is_headless() : g_tracking != 0; }

bool draw_list_take(DrawCommand command, std::string_view text) {
  OpenGLDuderozi* r = renderer_gl();
  if (!r) return false;
  FrameRecord& f = r->record;
  if (!f.recording || f.replaying) return false;
  if (!f.immediate && f.list.commands.size() >= kMaxHeld) renderer_before_change(-1);
  const bool draws_a_slot = command.op == DrawOp::sprite || command.op == DrawOp::stretched ||
                            command.op == DrawOp::rotozoom || command.op == DrawOp::anim ||
                            command.op == DrawOp::text;
  if (draws_a_slot && (command.slot < 0 || command.slot >= kSpriteSlots)) return true;  // draws nothing
  if (command.op != DrawOp::alpha_mode && command.op != DrawOp::opaque_state) r->drawn_over_background = true;
  if (command.op == DrawOp::background) {
    command.slot = -1;
    command.version = slot_version(f, kBackgroundSlot);
    r->drawn_over_background = false;
  } else {
    command.version = slot_version(f, command.slot);
  }
  command.box = command_box(*r, command, text.size());
  command.text_at = static_cast<uint32_t>(f.list.texts.size());
  command.text_length = static_cast<uint32_t>(text.size());
  f.list.texts.append(text);
  f.list.commands.push_back(command);
  if (command.op == DrawOp::clear || (command.op == DrawOp::background && background_covers_picture(*r)))
    f.list.self_contained = true;
  // Drawing as the frame goes: the command is drawn by the caller now.
  return !f.immediate;
}

void renderer_before_change(int slot) {
  OpenGLDuderozi* r = renderer_gl();
  if (!r) return;
  FrameRecord& f = r->record;
  if (!f.enabled) return;
  if (f.recording && !f.immediate && !f.replaying) {
    f.immediate = true;
    f.kept_valid = false;
    leave_window(*r, f.previous);
    draw_list_now(*r, f.list, nullptr);
  }
  if (slot >= 0 && slot < static_cast<int>(f.versions.size())) f.versions[slot] = ++f.next_version;
}

void frame_record_start(OpenGLDuderozi& r, DrawCommand base, bool has_base) {
  FrameRecord& f = r.record;
  if (!f.enabled) return;
  if (f.versions.empty()) f.versions.assign(kSpriteSlots + 1, 0);
  f.list.clear();
  f.recording = true;
  f.immediate = false;
  if (has_base) draw_list_take(base);
}

bool renderer_finish_frame() {
  OpenGLDuderozi* r = renderer_gl();
  if (!r) return true;
  FrameRecord& f = r->record;
  if (!f.enabled) {
    ++g_counts.whole;
    return true;
  }
  int w = 0, h = 0;
  platform().window_drawable_size(w, h);
  const uint32_t repaints = platform().window_repaints();
  const bool resized = !f.shown || w != f.shown_w || h != f.shown_h;
  const bool window_changed = resized || repaints != f.shown_repaints;
  // Where the window keeps its back buffer, a frame moving into it or out of it is drawn whole.
  if (!f.immediate && picture_buffer_choose(*r, w, h, resized)) f.kept_valid = false;
  f.present_swap = resized;
  const bool blind = renderer_blind();
  if (g_redraw_whole) f.kept_valid = false;
  // What changed since the last frame, told once: nothing, a few boxes, or (neither) the whole frame.
  const bool compared = !f.immediate && !blind;
  const bool equal = compared && draw_lists_equal(f.previous, f.list);
  const bool in_part =
      compared && !equal && draw_list_damage(f.previous, f.list, r->screen_width, r->screen_height, f.boxes);
  const bool changed_whole = compared && !equal && !in_part;
  bool drew = true;
  f.present_part = false;
  if (f.immediate) {
    ++g_counts.whole;  // drawn as it went
    f.kept_valid = f.list.self_contained && !blind;
  } else if (f.kept_valid && equal) {
    ++g_counts.kept;
    drew = false;
  } else if (f.kept_valid && in_part) {
    for (const DrawBox& box : f.boxes) draw_list_now(*r, f.list, &box);
    ++g_counts.part;
    f.present_part = !window_changed;
  } else {
    // A frame that changed whole after one that did, at 1:1 on a window shown by swaps, goes straight
    // into the window: keeping it would cost a copy of every pixel, for frames that keep nothing.
    const bool in_window =
        changed_whole && f.changed_whole && f.list.self_contained && picture_buffer_window_takes(*r, w, h);
    if (in_window) {
      picture_buffer_draw_in_window(*r);
      ++g_counts.in_window;
    } else {
      leave_window(*r, f.previous);
    }
    draw_list_now(*r, f.list, nullptr);
    ++g_counts.whole;
    f.kept_valid = f.list.self_contained && !blind && !in_window;
  }
  f.changed_whole = changed_whole;
  layer_cache_tick(*r);
  f.recording = false;
  f.immediate = false;
  std::swap(f.previous, f.list);
  f.list.clear();

  const bool show = drew || window_changed;
  if (show) {
    f.shown = true;
    f.shown_w = w;
    f.shown_h = h;
    f.shown_repaints = repaints;
  }
  return show;
}
