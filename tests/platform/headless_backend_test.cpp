// The headless backend: virtual clock, scripted input, offscreen OpenGL window.
#include "engine/platform/gl_headers.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include "engine/platform/headless.h"
#include "engine/platform/platform.h"
#include "portable.h"

namespace {

class HeadlessBackend : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform_select("headless"));
    headless_reset();
  }
  void TearDown() override { platform().window_destroy(); }

  std::vector<PlatformEvent> drain() {
    std::vector<PlatformEvent> out;
    PlatformEvent ev;
    while (platform().event_poll(ev)) out.push_back(ev);
    return out;
  }
};

HeadlessEvent make(HeadlessEvent::Kind kind, int a = 0, int b = 0) {
  HeadlessEvent ev;
  ev.kind = kind;
  ev.a = a;
  ev.b = b;
  return ev;
}

TEST(PlatformSelect, KnownNamesOnly) {
  EXPECT_TRUE(platform_select("headless"));
  EXPECT_TRUE(platform_is_headless());
  EXPECT_STREQ(platform().name(), "headless");
  EXPECT_FALSE(platform_select("nonesuch"));
  EXPECT_STREQ(platform().name(), "headless");  // an unknown name keeps the current backend
  EXPECT_TRUE(platform_select("sdl"));
  EXPECT_FALSE(platform_is_headless());
}

TEST_F(HeadlessBackend, ClockAdvancesOnReadingsAndSleeps) {
  Platform& p = platform();
  double t0 = headless_time_ms();
  uint64_t a = p.counter();
  uint64_t b = p.counter();
  EXPECT_GT(b, a);
  EXPECT_NEAR(double(b - a) / double(p.counter_frequency()) * 1000.0, 0.01, 1e-9);
  p.sleep_ms(20);
  EXPECT_NEAR(headless_time_ms() - t0, 20.02, 1e-6);
  headless_advance_ms(1000);
  EXPECT_GE(p.ticks_ms(), 1020u);
}

TEST_F(HeadlessBackend, LoopWaitingOnTheClockEnds) {
  Platform& p = platform();
  uint64_t start = p.counter();
  uint64_t freq = p.counter_frequency();
  int readings = 0;
  while (double(p.counter() - start) * 1000.0 / double(freq) < 5.0) ++readings;
  EXPECT_GT(readings, 100);
  EXPECT_LT(readings, 1000);
}

TEST_F(HeadlessBackend, WindowHasAnOpenGLContextOfTheAskedSize) {
  Platform& p = platform();
  ASSERT_TRUE(p.window_create(800, 600, false, false));
  EXPECT_TRUE(p.window_exists());
  int w = 0, h = 0;
  p.window_client_size(w, h);
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 600);
  glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  unsigned char px[4] = {};
  glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, px);
  EXPECT_EQ(px[0], 0);
  EXPECT_EQ(px[1], 255);
  GLint depth = 0, stencil = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depth);
  glGetIntegerv(GL_STENCIL_BITS, &stencil);
  EXPECT_GE(depth, 24);
  EXPECT_GE(stencil, 8);
  EXPECT_TRUE(p.gl_alpha_bits());
  p.window_set_title("Brakka");
  EXPECT_EQ(headless_window_title(), "Brakka");
  uint64_t f = headless_frames();
  p.gl_swap();
  p.gl_swap();
  EXPECT_EQ(headless_frames(), f + 2);
}

TEST_F(HeadlessBackend, FrameEventsWaitForTheirFrame) {
  Platform& p = platform();
  ASSERT_TRUE(p.window_create(320, 200, false, false));
  headless_at_frame(2, make(HeadlessEvent::KeyDown, 28));
  EXPECT_TRUE(drain().empty());
  uint8_t keys[256];
  p.keyboard_state(keys);
  EXPECT_EQ(keys[28], 0);
  p.gl_swap();
  p.gl_swap();
  p.keyboard_state(keys);
  EXPECT_EQ(keys[28], 0x81);  // down, and a new press
  auto events = drain();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].type, PlatformEvent::KeyDown);
  EXPECT_EQ(events[0].code, 28);
  EXPECT_TRUE(events[0].down);
  EXPECT_EQ(headless_pending_events(), 0);
}

TEST_F(HeadlessBackend, TimeEventsWaitForTheClock) {
  Platform& p = platform();
  headless_at_ms(50, make(HeadlessEvent::FocusLost));
  headless_at_ms(80, make(HeadlessEvent::FocusGained));
  EXPECT_TRUE(drain().empty());
  EXPECT_TRUE(p.window_active());
  p.sleep_ms(60);
  auto events = drain();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].type, PlatformEvent::Deactivate);
  EXPECT_FALSE(p.window_active());
  p.sleep_ms(30);
  events = drain();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].type, PlatformEvent::Activate);
  EXPECT_TRUE(p.window_active());
}

TEST_F(HeadlessBackend, MouseMovesAbsoluteAndRelative) {
  Platform& p = platform();
  headless_at_ms(0, make(HeadlessEvent::Mouse, 400, 300));
  headless_at_ms(0, make(HeadlessEvent::MouseRel, -50, 10));
  headless_at_ms(0, make(HeadlessEvent::ButtonDown, 1));
  headless_at_ms(0, make(HeadlessEvent::Wheel, -2));
  MouseSample s;
  p.mouse_read(s);
  EXPECT_EQ(s.x, 350);
  EXPECT_EQ(s.y, 310);
  EXPECT_EQ(s.dx, 350);
  EXPECT_EQ(s.dy, 310);
  EXPECT_EQ(s.wheel, -2);
  EXPECT_FALSE(s.buttons[0]);
  EXPECT_TRUE(s.buttons[1]);
  p.mouse_read(s);  // motion and wheel are reported once
  EXPECT_EQ(s.dx, 0);
  EXPECT_EQ(s.wheel, 0);
  EXPECT_TRUE(s.buttons[1]);
  p.pointer_warp(10, 20);
  p.mouse_read(s);
  EXPECT_EQ(s.x, 10);
  EXPECT_EQ(s.dx, 0);  // a warp is no motion
}

TEST_F(HeadlessBackend, ScriptLinesParse) {
  EXPECT_TRUE(headless_script_line("frame 10 keydown 1"));
  EXPECT_TRUE(headless_script_line("ms 500 mouse 400 300   # comment"));
  EXPECT_TRUE(headless_script_line("ms 2.5 mouserel -3 4"));
  EXPECT_TRUE(headless_script_line("frame 0 buttondown 0"));
  EXPECT_TRUE(headless_script_line("frame 1 char A"));
  EXPECT_TRUE(headless_script_line("frame 1 char 228"));
  EXPECT_TRUE(headless_script_line("frame 3 focus lost"));
  EXPECT_TRUE(headless_script_line("frame 4 close"));
  EXPECT_TRUE(headless_script_line("   # only a comment"));
  EXPECT_TRUE(headless_script_line(""));
  EXPECT_EQ(headless_pending_events(), 8);
  EXPECT_FALSE(headless_script_line("frame x keydown 1"));
  EXPECT_FALSE(headless_script_line("frame 1 keydown 256"));
  EXPECT_FALSE(headless_script_line("frame 1 buttondown 3"));
  EXPECT_FALSE(headless_script_line("frame 1 focus sideways"));
  EXPECT_FALSE(headless_script_line("frame 1 keydown 1 extra"));
  EXPECT_FALSE(headless_script_line("second 1 close"));
  EXPECT_FALSE(headless_script_line("ms -1 close"));
  EXPECT_FALSE(headless_script_line("frame 1 char 0"));
  EXPECT_EQ(headless_pending_events(), 8);
}

// Pad lines name buttons and axes as SDL's controller mappings do, or by number; the first plugs a pad
// in; a tap between two readings reads as down, and as a new press, once; nothing is pressed while the
// window is inactive.
TEST_F(HeadlessBackend, PadFromTheScript) {
  Platform& p = platform();
  PadState pads;
  p.pad_state(pads);
  EXPECT_EQ(pads.connected, 0);
  for (const char* bad :
       {"ms 1 pad down z", "ms 1 pad down 15", "ms 1 pad axis leftx", "ms 1 pad axis lefty 40000"})
    EXPECT_FALSE(headless_script_line(bad)) << bad;
  for (const char* line :
       {"ms 1 pad down a", "ms 1 pad up a", "ms 1 pad down 14", "ms 1 pad axis lefty -32768"})
    ASSERT_TRUE(headless_script_line(line)) << line;
  p.sleep_ms(2);
  p.pad_state(pads);
  EXPECT_EQ(pads.connected, 1);
  EXPECT_TRUE(pads.buttons[PadA] && pads.pressed[PadA] && pads.pressed[PadDpRight]);
  EXPECT_EQ(pads.axes[PadLeftY], -32768);
  p.pad_state(pads);
  EXPECT_FALSE(pads.buttons[PadA]);
  EXPECT_TRUE(pads.buttons[PadDpRight] && !pads.pressed[PadDpRight]) << "held: no new press";
  headless_at_ms(0, make(HeadlessEvent::FocusLost));
  headless_at_ms(0, make(HeadlessEvent::PadDown, PadStart));
  p.pad_state(pads);
  EXPECT_FALSE(pads.pressed[PadStart]);
}

TEST_F(HeadlessBackend, ScriptFileDrivesEvents) {
  Platform& p = platform();
  std::string path = platform_temp_dir() + "brakka_script_test.txt";
  {
    std::ofstream f(path);
    f << "# test script\nms 1 char a\nms 1 char 10\nframe 0 close\nbogus line\n";
  }
  EXPECT_EQ(headless_load_script(path.c_str()), 3);
  std::remove(path.c_str());
  EXPECT_EQ(headless_load_script(path.c_str()), -1);
  p.sleep_ms(2);
  auto events = drain();
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].type, PlatformEvent::Char);
  EXPECT_EQ(events[0].code, 'a');
  EXPECT_EQ(events[1].code, 10);
  EXPECT_EQ(events[2].type, PlatformEvent::Close);
}

TEST_F(HeadlessBackend, MessageBoxIsRecordedNotShown) {
  Platform& p = platform();
  p.message_box("No OpenGL Hardware Drivers", "text");
  EXPECT_EQ(headless_message_box_count(), 1);
  EXPECT_EQ(headless_last_box_title(), "No OpenGL Hardware Drivers");
  EXPECT_EQ(headless_last_box_text(), "text");
}

TEST_F(HeadlessBackend, KeyToCharFollowsShift) {
  Platform& p = platform();
  EXPECT_EQ(p.key_to_char(30), 'a');
  headless_at_ms(0, make(HeadlessEvent::KeyDown, 42));
  uint8_t keys[256];
  p.keyboard_state(keys);
  EXPECT_EQ(p.key_to_char(30), 'A');
  EXPECT_EQ(p.key_to_char(2), '!');
  EXPECT_EQ(p.key_to_char(59), 0);  // F1 types nothing
}

TEST(SystemFacts, ProgramPathAndTracer) {
  ASSERT_TRUE(platform_select("headless"));
  std::string path = platform().program_path();
  ASSERT_FALSE(path.empty());
  EXPECT_TRUE(portable::to_path(path).is_absolute()) << path;
  EXPECT_NE(path.find("platform_tests"), std::string::npos);
  EXPECT_FALSE(platform().debugger_attached());
  headless_set_debugger_attached(true);
  EXPECT_TRUE(platform().debugger_attached());
  std::string tmp = platform().temp_dir();
  EXPECT_EQ(tmp.back(), portable::native_path("/")[0]) << tmp;
}

}  // namespace
