// The "sdl" backend on a real X server (Xvfb, 2560 x 1440): the window opens at the largest whole
// scale that fits, pointer positions come back in the picture's pixels, F11 and Alt+Enter toggle full
// screen without reaching the game.
#include <gtest/gtest.h>
#include <SDL2/SDL.h>
#include <cstdlib>
#include <string_view>
#include "engine/app/app.h"
#include "engine/core/input.h"
#include "engine/media/draw.h"
#include "engine/media/renderer.h"
#include "engine/platform/platform.h"
#include "engine/platform/view_fit.h"
#include "support/app_test_helpers.h"
// Xlib's macros (None, True, ...) clash with other names, so it comes last.
#include "tests/platform/xvfb_helpers.h"
#include <SDL2/SDL_syswm.h>
#include <X11/keysym.h>

namespace {

using namespace std::chrono_literals;

// Starts an Xvfb server with one screen of `screen` and the runtime on the "sdl" backend under it, with
// the game's settings but the pointer shown and no pause (no window manager hands out the focus); `d` is
// a connection of the test's own to the server, and `window` the game's window once the server shows it.
::testing::AssertionResult start_under_xvfb(XClient& x, Xvfb& server, const std::string& screen, Display*& d,
                                            Window& window) {
  if (!server.start(x, screen)) return ::testing::AssertionFailure() << "no Xvfb came up";
  ::setenv("DISPLAY", server.display.c_str(), 1);
  ::setenv("SDL_VIDEODRIVER", "x11", 1);
  // Video stays up for the rest of a process once started, on the driver it started with: an earlier
  // test in this process may have started it on another.
  for (int k = 0; k < 8 && SDL_WasInit(SDL_INIT_VIDEO); ++k) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  use_private_temp_dir();
  if (!platform_select("sdl")) return ::testing::AssertionFailure() << "no sdl backend";
  app_settings = AppSettings();
  game_settings();
  app_settings.hide_mouse = 0;
  app_settings.auto_pause = 0;
  if (app_startup(1, "Brakka") != 1) return ::testing::AssertionFailure() << "the start-up failed";
  d = x.open_display(server.display.c_str());
  if (!d) return ::testing::AssertionFailure() << "no X connection";
  if (!wait_for([&] { return (window = x.find(d, "Brakka")) != 0; }, 5000ms))
    return ::testing::AssertionFailure() << "the server shows no window named Brakka";
  return ::testing::AssertionSuccess();
}

// Everything that talks to the server goes before the server does.
void stop_on(Xvfb& server, XClient& x, Display* d) {
  x.close_display(d);
  app_shutdown();
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  server.stop();
  remove_private_temp_dir();
}

// Runs frames until `done` holds (at most two seconds of frames); `each` runs after every frame.
bool frames_until(const std::function<bool()>& done, const std::function<void()>& each = {}) {
  for (int i = 0; i < 100; ++i) {
    frame_show();
    if (each) each();
    if (done()) return true;
  }
  return false;
}

// Runs a fixed number of frames (a quarter of a second by default).
void run_frames(const std::function<void()>& each = {}, int n = 12) {
  for (int i = 0; i < n; ++i) {
    frame_show();
    if (each) each();
  }
}

bool fullscreen(SDL_Window* w) { return (SDL_GetWindowFlags(w) & SDL_WINDOW_FULLSCREEN) != 0; }

TEST(SdlScaling, UnderXvfbTheWindowFitsTheDesktopAndMapsThePointer) {
  XClient x;
  if (!xvfb_available(x)) GTEST_SKIP() << "Xvfb or the X client libraries are not installed";
  Xvfb server;
  Display* d = nullptr;
  Window xwindow = 0;
  ASSERT_TRUE(start_under_xvfb(x, server, "2560x1440x24", d, xwindow));

  // Twice the picture fits 2560 x 1440 with room for a frame; three times does not.
  SDL_Window* window = SDL_GL_GetCurrentWindow();
  ASSERT_NE(window, nullptr);
  int w = 0, h = 0;
  SDL_GetWindowSize(window, &w, &h);
  EXPECT_EQ(w, 1600);
  EXPECT_EQ(h, 1200);
  EXPECT_TRUE(renderer_draws_offscreen());
  EXPECT_TRUE(SDL_GetWindowFlags(window) & SDL_WINDOW_RESIZABLE);
  XWindowAttributes attributes;
  ASSERT_TRUE(x.attributes(d, xwindow, &attributes));
  EXPECT_EQ(attributes.width, 1600);
  EXPECT_EQ(attributes.height, 1200);
  x.set_focus(d, xwindow, RevertToParent, CurrentTime);
  x.sync(d, False);

  // Shown pointer: a position on the window is the picture pixel drawn there.
  inp_mouse_show(1);
  const ViewFit fit = view_fit(800, 600, 1600, 1200);
  struct Point {
    int x, y;
  };
  for (Point p : {Point{300, 250}, Point{0, 0}, Point{799, 599}, Point{421, 17}}) {
    int wx = 0, wy = 0;
    picture_to_view(fit, p.x, p.y, wx, wy);
    SDL_WarpMouseInWindow(window, wx - 1, wy);  // the other column of the pixel's 2 x 2 square
    double mx = -1, my = -1;
    EXPECT_TRUE(frames_until([&] {
      inp_mouse_state(&mx, &my, nullptr, nullptr);
      return mx == p.x && my == p.y;
    })) << "at "
        << p.x << "," << p.y << " the pointer read " << mx << "," << my;
  }

  // Hidden pointer: motion is scaled down to the picture, 2 window pixels to 1.
  SDL_WarpMouseInWindow(window, 800, 600);
  run_frames();
  inp_mouse_show(0);
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  inp_mouse_state(&x0, &y0, nullptr, nullptr);
  ASSERT_TRUE(x.fake_relative_motion(d, 60, -40, CurrentTime));
  x.sync(d, False);
  EXPECT_TRUE(frames_until([&] {
    inp_mouse_state(&x1, &y1, nullptr, nullptr);
    return x1 != x0 || y1 != y0;
  }));
  run_frames([&] { inp_mouse_state(&x1, &y1, nullptr, nullptr); });
  EXPECT_EQ(x1 - x0, 30);
  EXPECT_EQ(y1 - y0, -20);
  inp_mouse_show(1);

  // F11 switches to full screen and back; the game never sees the key.
  bool f11_seen = false;
  auto watch_f11 = [&] { f11_seen |= inp_key_down(87) != 0; };
  x.key(d, XK_F11, true);
  EXPECT_TRUE(frames_until([&] { return fullscreen(window); }, watch_f11));
  x.key(d, XK_F11, false);
  run_frames(watch_f11);
  x.key(d, XK_F11, true);
  x.key(d, XK_F11, false);
  EXPECT_TRUE(frames_until([&] { return !fullscreen(window); }, watch_f11));
  EXPECT_FALSE(f11_seen);

  // Alt+Enter the same, and its Enter confirms nothing: no key, no typed character.
  bool enter_seen = false;
  auto watch_enter = [&] { enter_seen |= inp_key_down(28) != 0 || inp_chars_waiting() != 0; };
  x.key(d, XK_Alt_L, true);
  x.key(d, XK_Return, true);
  EXPECT_TRUE(frames_until([&] { return fullscreen(window); }, watch_enter));
  run_frames(watch_enter);  // Enter held after the toggle
  x.key(d, XK_Alt_L, false);
  run_frames(watch_enter);  // ... and after Alt went up
  x.key(d, XK_Return, false);
  run_frames(watch_enter);
  EXPECT_FALSE(enter_seen);
  EXPECT_TRUE(fullscreen(window));

  // A plain Enter is the game's again.
  x.key(d, XK_Return, true);
  EXPECT_TRUE(frames_until([] { return inp_key_down(28) != 0; }));
  x.key(d, XK_Return, false);
  EXPECT_TRUE(frames_until([] { return inp_key_down(28) == 0; }));
  EXPECT_EQ(inp_take_char(), 10);

  stop_on(server, x, d);
}

// With no window manager to answer them, F11 and Alt+Enter leave the window as it is while SDL takes it
// for as large as the desktop, also after switching back. The picture is drawn for the window's real
// size all the same and pointer positions map onto it; a resize made as a window manager makes it (by
// the X client) is followed too.
TEST(SdlScaling, UnderXvfbThePictureFollowsTheWindowsRealSize) {
  XClient x;
  if (!xvfb_available(x)) GTEST_SKIP() << "Xvfb or the X client libraries are not installed";
  Xvfb server;
  Display* d = nullptr;
  Window xwindow = 0;
  ASSERT_TRUE(start_under_xvfb(x, server, "1024x768x24", d, xwindow));
  x.set_focus(d, xwindow, RevertToParent, CurrentTime);
  // A red square in the picture's top-left corner and a white one in its bottom-right, in every frame.
  auto draw_marks = [] {
    draw_rect(0, 0, 40, 40, 0x0000FF);
    draw_rect(760, 560, 40, 40, 0xFFFFFF);
  };
  auto chord = [&](std::initializer_list<unsigned long> keys) {
    for (unsigned long k : keys) x.key(d, k, true);
    for (unsigned long k : keys) x.key(d, k, false);
    run_frames(draw_marks, 25);
  };
  struct Step {
    const char* what;
    std::function<void()> act;
    int w;  // the window's real width after it; it stays 600 high, so the picture stays 1:1
  };
  const Step steps[] = {
      {"F11", [&] { chord({XK_F11}); }, 800},
      {"F11 again", [&] { chord({XK_F11}); }, 800},
      {"Alt+Enter twice",
       [&] {
         chord({XK_Alt_L, XK_Return}), chord({XK_Alt_L, XK_Return});
       },
       800},
      {"resized", [&] { x.resize_window(d, xwindow, 1000, 600); }, 1000},
      {"F11 twice after that", [&] { chord({XK_F11}), chord({XK_F11}); }, 1000},
  };
  for (const Step& step : steps) {
    step.act();
    XWindowAttributes a;
    ASSERT_TRUE(frames_until([&] { return x.attributes(d, xwindow, &a) && a.width == step.w; }, draw_marks));
    const int left = (step.w - 800) / 2;  // the bar beside the picture
    long top_left = -1, bottom_right = -1;
    EXPECT_TRUE(frames_until(
        [&] {
          top_left = x.pixel(d, xwindow, left + 20, 20);
          bottom_right = x.pixel(d, xwindow, left + 780, 580);
          return top_left == 0xFF0000 && bottom_right == 0xFFFFFF;
        },
        draw_marks))
        << step.what << ": the corners show " << std::hex << top_left << " and " << bottom_right;
    SDL_WarpMouseInWindow(SDL_GL_GetCurrentWindow(), left + 775, 585);
    double mx = -1, my = -1;
    EXPECT_TRUE(frames_until(
        [&] { return inp_mouse_state(&mx, &my, nullptr, nullptr), mx == 775 && my == 585; }, draw_marks))
        << step.what << ": the pointer read " << mx << "," << my;
  }
  stop_on(server, x, d);
}

// Where the driver shows parts of the window without a swap, the window keeps its back buffer and a
// frame that moved one square shows only the boxes that changed, straight from the window at scale 1,
// copied and scaled from the off-screen picture at scale 2. What the X server shows after every frame
// equals what frames drawn whole and swapped show, across resizes to 1:1, to an uneven scale with bars
// and back, and full-screen switches.
TEST(SdlScaling, UnderXvfbFramesShownInPartEqualFramesSwappedWhole) {
  XClient x;
  if (!xvfb_available(x)) GTEST_SKIP() << "Xvfb or the X client libraries are not installed";
  // A grid of colours, and a square that moves every frame but the few that repeat the last.
  const auto scene = [](int k) {
    for (int gx = 0; gx < 800; gx += 40)
      for (int gy = 0; gy < 600; gy += 40) draw_rect(gx, gy, 40, 40, (gx * 331 + gy * 7919) & 0xFFFFFF);
    const int step = k % 10 < 7 ? k : k - k % 10 + 6;
    draw_rect(100 + 13 * (step % 40), 77 + 9 * (step % 50), 31, 23, 0xFFFFFF);
  };
  const int kFrames = 60;
  std::vector<size_t> shown[2];
  RendererFrameCounts counts[2];
  for (int kept = 0; kept < 2; ++kept) {
    SCOPED_TRACE(kept ? "shown in part" : "swapped whole");
    renderer_allow_kept_window(kept != 0);
    Xvfb server;
    Display* d = nullptr;
    Window xwindow = 0;
    ASSERT_TRUE(start_under_xvfb(x, server, "1700x1300x24", d, xwindow));
    EXPECT_EQ(renderer_keeps_window(), kept != 0);
    x.set_focus(d, xwindow, RevertToParent, CurrentTime);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    ASSERT_TRUE(SDL_GetWindowWMInfo(SDL_GL_GetCurrentWindow(), &info));
    run_frames();  // the window shown, at twice the picture
    const RendererFrameCounts before = renderer_frame_counts();
    for (int k = 0; k < kFrames; ++k) {
      if (k == 10) x.resize_window(d, xwindow, 800, 600);
      if (k == 20) x.resize_window(d, xwindow, 1000, 700);
      if (k == 30) x.resize_window(d, xwindow, 1600, 1200);
      if (k == 40 || k == 50) x.key(d, XK_F11, true), x.key(d, XK_F11, false);
      x.sync(d, False);
      scene(k);
      frame_show();
      // What the server shows once it has everything the runtime sent.
      x.sync(info.info.x11.display, False);
      XWindowAttributes a;
      ASSERT_TRUE(x.attributes(d, xwindow, &a));
      const std::vector<uint32_t> pixels = x.pixels(d, xwindow, a.width, a.height);
      ASSERT_FALSE(pixels.empty());
      shown[kept].push_back(std::hash<std::string_view>()(
          std::string_view(reinterpret_cast<const char*>(pixels.data()), pixels.size() * sizeof pixels[0])));
    }
    const RendererFrameCounts after = renderer_frame_counts();
    counts[kept] = {after.whole - before.whole, after.part - before.part, after.kept - before.kept};
    stop_on(server, x, d);
  }
  renderer_allow_kept_window(true);
  ASSERT_EQ(shown[0].size(), shown[1].size());
  for (size_t k = 0; k < shown[0].size(); ++k) EXPECT_EQ(shown[1][k], shown[0][k]) << "frame " << k;
  // Both runs drew mostly in part; only the kept window showed the parts alone.
  EXPECT_GT(counts[1].part, kFrames / 2);
  EXPECT_GT(counts[1].kept, 4);
}

// On a 640 x 480 screen the window is shrunk below the picture's size and placed on the screen whole:
// every button of the picture can be reached with the mouse.
TEST(SdlScaling, UnderXvfbASmallScreenShowsTheWholePicture) {
  XClient x;
  if (!xvfb_available(x)) GTEST_SKIP() << "Xvfb or the X client libraries are not installed";
  Xvfb server;
  Display* d = nullptr;
  Window xwindow = 0;
  ASSERT_TRUE(start_under_xvfb(x, server, "640x480x24", d, xwindow));
  XWindowAttributes a;
  ASSERT_TRUE(wait_for([&] { return x.attributes(d, xwindow, &a) && a.width < 800; }, 5000ms));
  EXPECT_GE(a.x, 0);
  EXPECT_GE(a.y, 0);
  EXPECT_LE(a.x + a.width, 640);
  EXPECT_LE(a.y + a.height, 480);
  EXPECT_NEAR(double(a.width) / a.height, 800.0 / 600, 0.01);
  // The picture's bottom-right pixel is under the window's bottom-right corner.
  SDL_Window* window = SDL_GL_GetCurrentWindow();
  ASSERT_NE(window, nullptr);
  run_frames();
  SDL_WarpMouseInWindow(window, a.width - 1, a.height - 1);
  double mx = -1, my = -1;
  EXPECT_TRUE(frames_until([&] {
    inp_mouse_state(&mx, &my, nullptr, nullptr);
    return mx >= 797 && my >= 597;
  })) << mx
      << "," << my;
  stop_on(server, x, d);
}

}  // namespace
