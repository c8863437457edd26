// The goodbye screen: the word spun in from nothing, held centred, the music stopped before the
// zoom, and the end of the program with status 0 after 230 frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "engine/media/font.h"
#include "engine/media/music.h"
#include "engine/platform/headless.h"
#include "game/screen_driver_helpers.h"
#include "game/shell/goodbye_screen.h"
#include "game/shell/media_slots.h"
#include "support/app_test_helpers.h"

namespace {

using namespace screen_driver;

// What the run saw, reported as the process ends.
uint64_t start_frame = 0;
int first_silent = -1;            // first frame (from 0) presented with the music stopped
int lit_at_start = -1;            // lit pixels of the first frame (zoom 0)
int box[4] = {800, 600, -1, -1};  // lit pixels' bounds on a held frame
int gx = 0, width = 0;            // where the held word belongs

void report() {
  const bool inside = box[0] >= gx && box[2] < gx + width && box[1] >= 275 && box[3] < 275 + 50 &&
                      box[2] - box[0] > width * 8 / 10;
  std::fprintf(stderr, "frames %llu silent from %d lit at start %d held %s (%d %d %d %d in x %d w %d)\n",
               static_cast<unsigned long long>(headless_frames() - start_frame), first_silent, lit_at_start,
               inside ? "inside" : "outside", box[0], box[1], box[2], box[3], gx, width);
}

TEST(Goodbye, SpinsHoldsZoomsAndEndsAfter230Frames) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        start_game_app();
        // The held word belongs centred on x 400 at its width in font 4, 50 rows from y 275.
        font_set(font::total);
        width = font_text_width("GOODBYE", 0);
        gx = static_cast<int>(400 - 0.5 * width);
        music_play("brakka.mp3", 1);
        start_frame = headless_frames();
        headless_set_swap_hook([] {
          const int frame = static_cast<int>(headless_frames() - start_frame);
          if (first_silent < 0 && !music_is_playing()) first_silent = frame;
          if (frame != 0 && frame != 150) return;
          const std::vector<Rgb> screen = read_screen(0, 0, 800, 600);
          int lit = 0;
          for (int i = 0; i < 800 * 600; ++i) {
            if (screen[i].black()) continue;
            ++lit;
            box[0] = std::min(box[0], i % 800), box[1] = std::min(box[1], i / 800);
            box[2] = std::max(box[2], i % 800), box[3] = std::max(box[3], i / 800);
          }
          if (frame == 0) lit_at_start = lit;
        });
        std::atexit(report);
        goodbye_screen();
      },
      ::testing::ExitedWithCode(0), "frames 230 silent from 190 lit at start 0 held inside");
  remove_private_temp_dir();
}

}  // namespace
