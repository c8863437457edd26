// The picture shown scaled in a window of another size: drawn off-screen at 800 x 600, copied into the
// window with black bars, read back (spr_grab, pixels) unscaled; and drawn directly while the window is
// exactly the picture's size or the driver has no frame buffer objects.
#include <gtest/gtest.h>

#include <vector>

#include "engine/app/app.h"
#include "engine/media/draw.h"
#include "engine/media/renderer.h"
#include "engine/media/sprites.h"
#include "engine/platform/headless.h"
#include "engine/platform/platform.h"
#include "engine/platform/view_fit.h"
#include "support/app_test_helpers.h"
#include "tests/media/gl_fixture.h"

namespace {

constexpr Rgba kBlack{0, 0, 0, 255};
constexpr int kRedRgb = 255, kGreenRgb = 255 << 8, kBlueRgb = 255 << 16, kWhiteRgb = 0xffffff;

// Window pixel at (x, y) counted from the window's top-left corner, as the window will show it.
Rgba window_pixel(int x, int y) {
  int w = 0, h = 0;
  platform().window_drawable_size(w, h);
  uint8_t p[4] = {0, 0, 0, 0};
  EXPECT_TRUE(renderer_read_window(x, h - 1 - y, 1, 1, p));
  return Rgba{p[0], p[1], p[2], p[3]};
}

bool same_rgb(Rgba a, Rgba b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

// The present of a frame as the frame loop does it, without the pacing.
void present() {
  renderer_flush();
  renderer_present_picture();
  platform().gl_swap();
  renderer_prepare_next();
  renderer_frame_setup();
}

// A 10 x 10 square of four colours at (x, y): red, green / blue, white.
void draw_quarters(int x, int y) {
  draw_rect(x, y, 5, 5, kRedRgb);
  draw_rect(x + 5, y, 5, 5, kGreenRgb);
  draw_rect(x, y + 5, 5, 5, kBlueRgb);
  draw_rect(x + 5, y + 5, 5, 5, kWhiteRgb);
}

void expect_quarters(int x, int y) {
  EXPECT_EQ(screen_pixel(x + 1, y + 1), kRed);
  EXPECT_EQ(screen_pixel(x + 8, y + 1), kGreen);
  EXPECT_EQ(screen_pixel(x + 1, y + 8), kBlue);
  EXPECT_EQ(screen_pixel(x + 8, y + 8), kWhite);
}

// An 800 x 600 picture in a window whose surface holds up to 1920 x 1200; the window's size can then
// be changed as a test goes on.
class ScaledPicture : public ::testing::Test {
 protected:
  void open(int window_w, int window_h) {
    ASSERT_TRUE(platform_select("headless"));
    headless_reset();
    headless_set_window_size(1920, 1200);
    ASSERT_TRUE(platform().window_create(800, 600, false, false));
    headless_set_window_size(window_w, window_h);
    renderer_create();
    renderer_gl_init();
    renderer_frame_setup();
    draw_clear_screen(0);
  }
  void TearDown() override {
    renderer_destroy();
    platform().window_destroy();
    headless_set_window_size(0, 0);
    renderer_allow_offscreen(true);
  }
};

class ScaledGrab : public ScaledPicture, public ::testing::WithParamInterface<bool> {};

// By texture copy and by reading pixels back: the grab takes the unscaled picture, at its place.
TEST_P(ScaledGrab, GrabAfterScalingReadsTheUnscaledPicture) {
  open(1600, 1200);
  ASSERT_TRUE(renderer_can_scale());
  ASSERT_TRUE(renderer_draws_offscreen());
  renderer_force_grab_readback(GetParam());
  draw_quarters(100, 100);
  renderer_flush();
  renderer_present_picture();  // the window's back buffer now shows it at twice the size
  EXPECT_TRUE(same_rgb(window_pixel(2 * 101, 2 * 101), kRed));
  EXPECT_TRUE(same_rgb(window_pixel(2 * 108 + 1, 2 * 101 + 1), kGreen));
  EXPECT_TRUE(same_rgb(window_pixel(2 * 101, 2 * 108), kBlue));
  EXPECT_TRUE(same_rgb(window_pixel(2 * 109 + 1, 2 * 109 + 1), kWhite));
  EXPECT_TRUE(same_rgb(window_pixel(2 * 110, 2 * 110), kBlack));

  spr_grab(1, 100, 100, 10, 10);
  EXPECT_EQ(sprite_record(1).image_width, 10);
  EXPECT_EQ(sprite_record(1).image_height, 10);
  draw_clear_screen(0);
  spr_draw(1, 300, 200);
  expect_quarters(300, 200);
  EXPECT_TRUE(screen_rect_is(310, 200, 330, 220, kBlack));  // nothing of a doubled picture
  EXPECT_TRUE(screen_rect_is(300, 210, 320, 230, kBlack));
}

INSTANTIATE_TEST_SUITE_P(CopyAndReadBack, ScaledGrab, ::testing::Bool());

// The picture fills the middle of the window at its aspect; the bars beside it are black.
TEST_F(ScaledPicture, BarsAreBlackAndThePictureFillsTheMiddle) {
  open(1920, 1080);
  struct Size {
    int w, h;
  };
  for (Size size : {Size{1920, 1080}, Size{1000, 600}, Size{800, 1000}, Size{1600, 1200}, Size{1024, 768},
                    Size{400, 300}}) {
    SCOPED_TRACE(testing::Message() << size.w << " x " << size.h);
    headless_set_window_size(size.w, size.h);
    // Green picture, red corner pixels.
    draw_clear_screen(kGreenRgb);
    for (int x : {0, 799})
      for (int y : {0, 599}) draw_rect(x, y, 1, 1, kRedRgb);
    renderer_flush();
    renderer_present_picture();
    const ViewFit fit = view_fit(800, 600, size.w, size.h);
    for (int x : {0, 799}) {
      for (int y : {0, 599}) {
        int wx = 0, wy = 0;
        picture_to_view(fit, x, y, wx, wy);
        if (fit.w >= 800) {
          EXPECT_TRUE(same_rgb(window_pixel(wx, wy), kRed)) << x << "," << y;
        }
      }
    }
    EXPECT_TRUE(same_rgb(window_pixel(size.w / 2, size.h / 2), kGreen));
    if (fit.x > 0) {
      EXPECT_TRUE(same_rgb(window_pixel(0, size.h / 2), kBlack));
      EXPECT_TRUE(same_rgb(window_pixel(fit.x - 1, size.h / 2), kBlack));
      EXPECT_TRUE(same_rgb(window_pixel(size.w - 1, size.h / 2), kBlack));
      EXPECT_TRUE(same_rgb(window_pixel(fit.x, size.h / 2), kGreen));
    }
    if (fit.y > 0) {
      EXPECT_TRUE(same_rgb(window_pixel(size.w / 2, 0), kBlack));
      EXPECT_TRUE(same_rgb(window_pixel(size.w / 2, size.h - 1), kBlack));
      EXPECT_TRUE(same_rgb(window_pixel(size.w / 2, fit.y), kGreen));
    }
    // Whatever the window, the picture reads back unscaled.
    EXPECT_EQ(screen_pixel(0, 0), kRed);
    EXPECT_EQ(screen_pixel(799, 599), kRed);
    EXPECT_EQ(screen_pixel(1, 1), kGreen);
    platform().gl_swap();
    renderer_prepare_next();
    renderer_frame_setup();
  }
}

// Growing the window moves drawing off-screen, shrinking it back to the picture's size moves drawing
// into the window again; each time the picture on show carries over (a screen that is not cleared
// between frames keeps it).
TEST_F(ScaledPicture, ResizingSwitchesBetweenWindowAndOffscreenKeepingThePicture) {
  open(800, 600);
  ASSERT_TRUE(renderer_can_scale());
  EXPECT_FALSE(renderer_draws_offscreen());
  draw_clear_screen(-1);  // no clearing between frames
  draw_quarters(20, 30);
  present();
  EXPECT_FALSE(renderer_draws_offscreen());

  // The window grows while the next frame is drawn: that frame is shown scaled, from the picture.
  draw_quarters(60, 30);
  headless_set_window_size(1600, 1200);
  renderer_flush();
  renderer_present_picture();
  EXPECT_TRUE(renderer_draws_offscreen());
  EXPECT_TRUE(same_rgb(window_pixel(2 * 61, 2 * 31), kRed));
  EXPECT_TRUE(same_rgb(window_pixel(2 * 68, 2 * 38), kWhite));
  platform().gl_swap();
  renderer_prepare_next();
  renderer_frame_setup();
  expect_quarters(60, 30);  // the picture kept what was drawn

  // Back to the picture's size: this frame is still copied, then drawing goes to the window again,
  // which starts from the picture on show.
  draw_quarters(100, 30);
  headless_set_window_size(800, 600);
  present();
  EXPECT_FALSE(renderer_draws_offscreen());
  expect_quarters(20, 30);
  expect_quarters(60, 30);
  expect_quarters(100, 30);
  draw_quarters(140, 30);
  present();
  EXPECT_FALSE(renderer_draws_offscreen());
  expect_quarters(140, 30);
}

// Without frame buffer objects drawing goes straight to the window at the picture's size.
TEST_F(ScaledPicture, WithoutFrameBufferObjectsDrawingGoesToTheWindow) {
  renderer_allow_offscreen(false);
  open(0, 0);
  EXPECT_FALSE(renderer_can_scale());
  EXPECT_FALSE(renderer_draws_offscreen());
  draw_quarters(100, 100);
  renderer_present_picture();  // nothing to copy
  std::vector<uint8_t> window(4);
  EXPECT_TRUE(renderer_read_window(101, 600 - 1 - 101, 1, 1, window.data()));
  EXPECT_TRUE(same_rgb(Rgba{window[0], window[1], window[2], 255}, kRed));
  spr_grab(2, 100, 100, 10, 10);
  draw_clear_screen(0);
  spr_draw(2, 400, 300);
  expect_quarters(400, 300);
}

// The whole frame loop with the window at twice the picture's size: frame_show shows the frame scaled
// while the game's reads see it unscaled.
TEST(ScaledFrameLoop, FrameShowPresentsTheFrameScaled) {
  prepare_headless_app();
  headless_set_window_size(1600, 1200);
  ASSERT_EQ(app_startup(1, "Brakka"), 1);
  ASSERT_TRUE(renderer_draws_offscreen());
  int frames_checked = 0;
  headless_set_swap_hook([&] {
    // The window's back buffer holds the scaled frame; the picture holds it unscaled.
    if (!same_rgb(screen_pixel(405, 305), kBlue)) return;
    EXPECT_TRUE(same_rgb(window_pixel(2 * 405, 2 * 305), kBlue));
    EXPECT_TRUE(same_rgb(window_pixel(2 * 400 - 1, 2 * 305), kBlack));
    EXPECT_TRUE(same_rgb(window_pixel(2 * 419 + 1, 2 * 319 + 1), kBlue));
    EXPECT_TRUE(same_rgb(window_pixel(2 * 420, 2 * 305), kBlack));
    EXPECT_EQ(screen_pixel(419, 319), kBlue);
    EXPECT_EQ(screen_pixel(420, 319), kBlack);
    ++frames_checked;
  });
  for (int i = 0; i < 3; ++i) {
    draw_rect(400, 300, 20, 20, kBlueRgb);
    frame_show();
  }
  headless_set_swap_hook({});
  EXPECT_EQ(frames_checked, 3);
  // The next frame starts cleared, in the picture.
  EXPECT_EQ(screen_pixel(405, 305), kBlack);
  headless_set_window_size(0, 0);
  remove_private_temp_dir();
}

}  // namespace
