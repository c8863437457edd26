// Drawing only what changed: a run of frames drawn with frames recorded (kept, redrawn in boxes or
// whole) gives, frame after frame, exactly the pixels of the same frames drawn whole as they come,
// also across a picture loaded mid-frame, a screen grab, and the window resized and switched back, with
// full-screen layers drawn from kept copies, and sprites and texts of one picture joined into one draw.
// And the change detection on its own: which boxes a difference between two lists asks to redraw.
#include "engine/platform/gl_headers.h"
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/app/app_frame.h"
#include "engine/core/timer.h"
#include "engine/media/draw.h"
#include "engine/media/draw_list.h"
#include "engine/media/font.h"
#include "engine/media/renderer.h"
#include "engine/media/sprites.h"
#include "engine/platform/headless.h"
#include "engine/platform/platform.h"
#include "tests/media/gl_fixture.h"

namespace {

using Picture = std::vector<uint8_t>;

// A picture with a different colour in every pixel, opaque or with a transparent border.
ImageBuffer pattern(int w, int h, int seed, bool border) {
  return make_image(w, h, [=](int x, int y) {
    if (border && (x < 2 || y < 2)) return kClear;
    return Rgba{static_cast<uint8_t>(x * 7 + seed), static_cast<uint8_t>(y * 5 + seed * 3),
                static_cast<uint8_t>((x ^ y) + seed), 255};
  });
}

// One frame of a scene that changes a little from frame to frame (k), as the game's screens do.
void scene(int k) {
  // Two additive full-screen layers, the second other in frames 5..7, and a draw with their mode.
  draw_alpha_mode(0.5);
  spr_draw_zoomed(1, 380, 285, 30, 30);
  spr_draw_zoomed(1, 380, 285, -30, k >= 5 && k < 8 ? -29 : -30);
  spr_draw(2, 300, 40);
  draw_alpha_mode(0);
  spr_draw(1, 100, 100);
  spr_draw(2, 200 + (k >= 3 ? 6 * k : 0), 150);
  draw_alpha_mode(k == 6 ? 0.7 : 0.5);  // frame 6: a state change, everything after it differs
  spr_draw_zoomed(2, 400, 300, 2.2, 2.2);
  spr_draw_zoomed(2, 400, 300, -2.2, -2.2);
  draw_alpha_mode(0);
  spr_draw_rotated(1, 520, 90, k >= 8 ? 30.0 : 0.0);
  font_print(k >= 4 ? "SCORE 12" : "SCORE 7", 20.4, 20, 1);
  draw_rect(50, 500, (k % 5) * 10, 20, 0x00ff00);
  spr_draw_anim(3, k / 3 % 4, 600, 400);
  // A board: tiles of two pictures and cells of a third (one past its last cell), each with its number,
  // one number running over the next cells' tiles.
  for (int cell = 0; cell < 9; ++cell) {
    const int x = 60 + cell * 44, y = 540;
    if (cell % 4 == 3) {
      spr_draw_anim(3, cell == 7 ? 40 : cell + k, x, y);
    } else {
      spr_draw(cell % 4 == 0 ? 2 : 1, x, y);
    }
    font_print(cell == 4 ? "RUNS OVER" : std::to_string(cell * 3 + (cell == 2 ? k : 0)).c_str(), x + 6, y + 6,
               cell % 2);
  }
  spr_draw(-3, 10, 10);  // slots that do not exist draw nothing
  spr_draw_rotated(70000, 10, 10, 5.0);
  if (k == 9) image_upload(pattern(40, 30, 77, false), 1, false);  // a picture changed mid-frame
  if (k == 10) {
    spr_grab(4, 90, 90, 30, 30);  // a read of the screen mid-frame
    spr_draw(4, 700, 500);
  }
}

Picture read_picture() {
  Picture p(800 * 600 * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
  return p;
}

// The window as shown (its back buffer after the present), at the window's size.
Picture read_window() {
  int w = 0, h = 0;
  platform().window_drawable_size(w, h);
  Picture p(static_cast<size_t>(w) * h * 4);
  EXPECT_TRUE(renderer_read_window(0, 0, w, h, p.data()));
  return p;
}

struct FrameRun {
  std::vector<Picture> pictures, windows;
  RendererFrameCounts counts;
};

constexpr int kFrames = 16;

// A headless window of 800 x 600 picture pixels shown at window_w x window_h, the renderer made with
// frames recorded or not.
void open_window(bool tracking, int window_w, int window_h) {
  renderer_set_change_tracking(tracking);
  EXPECT_TRUE(platform_select("headless"));
  headless_reset();
  headless_set_window_size(1920, 1200);
  EXPECT_TRUE(platform().window_create(800, 600, false, false));
  headless_set_window_size(window_w, window_h);
  timer_init();
  renderer_create();
  renderer_gl_init();
  renderer_frame_setup();
  EXPECT_EQ(renderer_tracks_changes(), tracking);
}

// Runs the scene's frames, with frames recorded or not, in a window of window_w x window_h.
FrameRun run_frames(bool tracking, void (*scene)(int), int frames, int window_w, int window_h) {
  FrameRun run;
  open_window(tracking, window_w, window_h);
  font_startup();
  image_upload(pattern(40, 30, 1, false), 1, false);
  image_upload(pattern(24, 24, 2, true), 2, false);
  image_upload(pattern(64, 32, 3, false), 3, false);
  spr_set_anim(3, 16, 16);
  draw_clear_screen(0x402010);
  headless_set_swap_hook([&run] {
    run.pictures.push_back(read_picture());
    run.windows.push_back(read_window());
  });
  const RendererFrameCounts before = renderer_frame_counts();
  for (int k = 0; k < frames; ++k) {
    scene(k);
    frame_set_deadline(0);  // no pacing
    EXPECT_TRUE(frame_present(nullptr));
    renderer_frame_setup();
  }
  const RendererFrameCounts after = renderer_frame_counts();
  run.counts = {after.whole - before.whole,   after.part - before.part,
                after.kept - before.kept,     after.layers - before.layers,
                after.joined - before.joined, after.in_window - before.in_window};
  headless_set_swap_hook({});
  renderer_destroy();
  platform().window_destroy();
  headless_set_window_size(0, 0);
  renderer_set_change_tracking(false);
  return run;
}

int differing_pixels(const Picture& a, const Picture& b) {
  if (a.size() != b.size()) return -1;
  int n = 0;
  for (size_t i = 0; i < a.size(); i += 4) n += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2];
  return n;
}

// The scene's frames 0..11 (11 again from frame 12 on), the window resized after frame 10 and back
// after frame 12.
void scene_resized(int k) {
  if (k == 11) headless_set_window_size(1000, 750);
  if (k == 13) headless_set_window_size(1600, 1200);
  scene(k < 12 ? k : 11);
}

FrameRun run_scaled_frames(bool tracking) {
  // Scaled from the start, so that the frames drawn whole go into the off-screen picture too (a window
  // of another pixel format may round a filtered pixel differently).
  return run_frames(tracking, scene_resized, kFrames, 1600, 1200);
}

void expect_same_frames(const FrameRun& whole, const FrameRun& tracked, int frames) {
  ASSERT_EQ(whole.pictures.size(), static_cast<size_t>(frames));
  ASSERT_EQ(tracked.pictures.size(), static_cast<size_t>(frames));
  for (int k = 0; k < frames; ++k) {
    EXPECT_EQ(differing_pixels(tracked.pictures[k], whole.pictures[k]), 0) << "picture of frame " << k;
    EXPECT_EQ(differing_pixels(tracked.windows[k], whole.windows[k]), 0) << "window of frame " << k;
  }
}

TEST(FrameRecord, FramesDrawnInPartEqualFramesDrawnWhole) {
  const FrameRun whole = run_scaled_frames(false);
  const FrameRun tracked = run_scaled_frames(true);
  expect_same_frames(whole, tracked, kFrames);
  // The run went through every way of drawing a frame.
  EXPECT_EQ(whole.counts.part + whole.counts.kept, 0);
  EXPECT_GT(tracked.counts.part, 3);
  EXPECT_GE(tracked.counts.kept, 3);    // frames 12..15 repeat frame 11
  EXPECT_GE(tracked.counts.whole, 3);   // the first, the state change, the mid-frame changes
  EXPECT_GE(tracked.counts.layers, 4);  // the layers of frames 0..4 drawn again from frame 8 on
  EXPECT_GE(tracked.counts.joined, 8);  // the board's tiles and numbers, drawn whole
}

// Frames that each change whole: a new clear colour and a sprite moving; from frame 8 on, frames that
// start from the last one's pixels (no clear after frame 7's); screens grabbed mid-frame in frames 4
// and 8.
void scene_changing_whole(int k) {
  if (k < 7) draw_clear_screen(0x0c0804 * (k + 1));
  if (k == 7) draw_clear_screen(-1);
  spr_draw(2, 100 + 10 * k, 100 + 5 * k);
  font_print("SCORE", 20.4 + k, 20, 1);
  if (k == 4 || k == 8) {
    spr_grab(4, 90 + k, 90, 30, 30);
    spr_draw(4, 700, 500);
  }
}

// At 1:1 on a window shown by swaps, a frame that changed whole after one that did goes straight into
// the window; what comes after it (a grab mid-frame, a frame that starts from its pixels, a frame
// redrawn in part) is drawn into the kept picture again, from the same pixels.
TEST(FrameRecord, FramesChangedWholeGoStraightIntoTheWindow) {
  constexpr int kChanging = 12;
  const FrameRun whole = run_frames(false, scene_changing_whole, kChanging, 800, 600);
  const FrameRun tracked = run_frames(true, scene_changing_whole, kChanging, 800, 600);
  expect_same_frames(whole, tracked, kChanging);
  EXPECT_GE(tracked.counts.in_window, 3);  // frames 1..3, 6 and 7
  EXPECT_EQ(whole.counts.in_window, 0);
}

// A frame that repeats the last is not shown again on a display, unless the window changed.
TEST(FrameRecord, UnchangedFrameIsShownAgainOnlyAfterTheWindowChanged) {
  open_window(true, 800, 600);
  image_upload(pattern(40, 30, 1, false), 1, false);
  const auto frame = [](int x) {
    spr_draw(1, x, 100);
    const bool shown = renderer_finish_frame();
    renderer_prepare_next();
    renderer_frame_setup();
    return shown;
  };
  EXPECT_TRUE(frame(10));
  EXPECT_TRUE(frame(10));  // the first list that starts from a cleared picture
  EXPECT_FALSE(frame(10));
  EXPECT_TRUE(frame(12));
  EXPECT_FALSE(frame(12));
  headless_set_window_size(1600, 1200);
  EXPECT_TRUE(frame(12));
  EXPECT_FALSE(frame(12));
  renderer_destroy();
  platform().window_destroy();
  headless_set_window_size(0, 0);
  renderer_set_change_tracking(false);
}

// ---- the change detection alone ---------------------------------------------------------------------

DrawCommand at(DrawOp op, int x, int y, int w, int h, int arg = 0) {
  DrawCommand c = DrawCommand::make(op, op == DrawOp::rect ? -1 : 5, {x, y, w, h, arg});
  if (!c.changes_state_only()) c.box = {x, y, x + w, y + h};
  return c;
}

DrawList list_of(std::vector<DrawCommand> commands, bool self_contained = true) {
  DrawList l;
  DrawCommand clear = DrawCommand::make(DrawOp::clear, -1, {});
  clear.box = {0, 0, 800, 600};
  l.commands.push_back(clear);
  for (const DrawCommand& c : commands) l.commands.push_back(c);
  l.self_contained = self_contained;
  return l;
}

TEST(DrawListDamage, BoxesToRedraw) {
  const DrawCommand a = at(DrawOp::sprite, 10, 10, 20, 20);
  const DrawCommand b = at(DrawOp::sprite, 100, 100, 20, 20);
  const DrawCommand b_moved = at(DrawOp::sprite, 110, 100, 20, 20);
  const DrawCommand far = at(DrawOp::rect, 600, 400, 10, 10, 0xff);
  const DrawCommand half = DrawCommand::make(DrawOp::alpha_mode, -1, {}, {0.5});
  const DrawCommand quarter = DrawCommand::make(DrawOp::alpha_mode, -1, {}, {0.25});
  struct Case {
    const char* what;
    DrawList before, after;
    bool partial;
    std::vector<DrawBox> boxes;
  };
  std::vector<DrawCommand> many;
  for (int k = 0; k < 12; ++k) many.push_back(at(DrawOp::sprite, k * 30, k * 20, 10, 10, k));
  std::vector<DrawCommand> many_moved = many;
  for (DrawCommand& c : many_moved) c.i[4] += 100;
  const Case cases[] = {
      {"the same", list_of({a, b}), list_of({a, b}), true, {}},
      {"one moved: both places, merged",
       list_of({a, b}),
       list_of({a, b_moved}),
       true,
       {{100, 100, 130, 120}}},
      {"one added", list_of({a, b}), list_of({a, far, b}), true, {{600, 400, 610, 410}}},
      {"one gone", list_of({a, far, b}), list_of({a, b}), true, {{600, 400, 610, 410}}},
      {"two apart",
       list_of({a, b}),
       list_of({b_moved, far}),
       true,
       {{10, 10, 30, 30}, {100, 100, 130, 120}, {600, 400, 610, 410}}},
      {"a state change", list_of({half, a}), list_of({quarter, a}), false, {}},
      {"a state change added", list_of({a}), list_of({half, a}), false, {}},
      {"not self-contained", list_of({a}, false), list_of({b}, false), false, {}},
      {"too many boxes: their union", list_of(many), list_of(many_moved), true, {{0, 0, 340, 230}}},
      {"more than half the picture", list_of({a}), list_of({at(DrawOp::sprite, 0, 0, 700, 500)}), false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<DrawBox> boxes;
    EXPECT_EQ(draw_list_damage(c.before, c.after, 800, 600, boxes), c.partial);
    EXPECT_EQ(draw_lists_equal(c.before, c.after), std::string(c.what) == "the same");
    if (!c.partial) continue;
    ASSERT_EQ(boxes.size(), c.boxes.size());
    for (size_t k = 0; k < boxes.size(); ++k) {
      bool found = false;
      for (const DrawBox& want : c.boxes)
        found = found || (want.x0 == boxes[k].x0 && want.y0 == boxes[k].y0 && want.x1 == boxes[k].x1 &&
                          want.y1 == boxes[k].y1);
      EXPECT_TRUE(found) << boxes[k].x0 << "," << boxes[k].y0 << " " << boxes[k].x1 << "," << boxes[k].y1;
    }
  }
}

}  // namespace
