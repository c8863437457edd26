// Frame pacing on the headless backend's virtual clock.
#include <gtest/gtest.h>
#include "support/app_test_helpers.h"
#include "engine/app/app.h"
#include "engine/app/app_frame.h"
#include "engine/core/timer.h"

namespace {

class FramePacing : public ::testing::Test {
 protected:
  void SetUp() override {
    prepare_headless_app();
    timer_init();
  }
  void TearDown() override { remove_private_temp_dir(); }
};

TEST_F(FramePacing, PeriodFromTheFrameRate) {
  frame_set_frame_rate(50);
  EXPECT_DOUBLE_EQ(frame_period(), 20.0);
  frame_set_frame_rate(60);
  EXPECT_DOUBLE_EQ(frame_period(), 1000.0 / 60.0);
  frame_set_frame_rate(0);
  EXPECT_DOUBLE_EQ(frame_period(), 2.0);
  frame_set_frame_rate(-5);
  EXPECT_DOUBLE_EQ(frame_period(), 2.0);
}

TEST_F(FramePacing, DeadlineAdvancesByExactlyOnePeriod) {
  frame_set_frame_rate(50);
  double start = timer_now();
  frame_set_deadline(start + 20.0);
  for (int frame = 1; frame <= 50; ++frame) {
    double deadline = frame_deadline();
    ASSERT_EQ(frame_present(nullptr), 1);
    double now = timer_now();
    // The frame ends in the last millisecond before its deadline, never after it.
    EXPECT_LE(deadline - now, 1.0) << "frame " << frame;
    EXPECT_GT(deadline - now, 0.0) << "frame " << frame;
    EXPECT_DOUBLE_EQ(frame_deadline(), start + 20.0 * (frame + 1));
  }
  EXPECT_EQ(headless_frames(), 50u);
}

TEST_F(FramePacing, FramesFollowTheRateOnTheClock) {
  frame_set_frame_rate(50);
  frame_set_deadline(timer_now());
  frame_present(nullptr);
  double d0 = frame_deadline();
  for (int i = 0; i < 100; ++i) frame_present(nullptr);
  EXPECT_DOUBLE_EQ(frame_deadline() - d0, 2000.0);
  double now = timer_now();
  EXPECT_GT(now, d0 + 2000.0 - 20.0 - 1.0);
  EXPECT_LT(now, d0 + 2000.0 - 20.0);
}

TEST_F(FramePacing, MissedDeadlineKeepsTheSchedule) {
  frame_set_frame_rate(50);
  double start = timer_now();
  frame_set_deadline(start + 20.0);
  frame_present(nullptr);     // ends just before start + 20; next deadline start + 40
  headless_advance_ms(30.0);  // the game overran: now is past start + 40, short of start + 60
  frame_present(nullptr);     // presents at once
  EXPECT_DOUBLE_EQ(frame_deadline(), start + 60.0);
}

TEST_F(FramePacing, StallPastTwoDeadlinesSkipsOne) {
  frame_set_frame_rate(50);
  double start = timer_now();
  frame_set_deadline(start + 20.0);
  frame_present(nullptr);
  headless_advance_ms(45.0);  // now is past start + 60, short of start + 80
  frame_present(nullptr);
  EXPECT_DOUBLE_EQ(frame_deadline(), start + 80.0);
}

TEST_F(FramePacing, LongStallRebasesTheSchedule) {
  frame_set_frame_rate(50);
  double start = timer_now();
  frame_set_deadline(start + 20.0);
  frame_present(nullptr);
  headless_advance_ms(500.0);
  frame_present(nullptr);
  double now = timer_now();
  // Not a burst of catch-up frames: the next deadline is one period after the present ended.
  EXPECT_NEAR(frame_deadline() - now, 20.0, 0.1);
  EXPECT_LT(frame_deadline(), start + 600.0);
  double before = timer_now();
  frame_present(nullptr);
  EXPECT_GT(timer_now() - before, 18.9);
  EXPECT_LE(timer_now() - before, 20.0);
}

TEST_F(FramePacing, ZeroRateRunsAtTwoMilliseconds) {
  frame_set_frame_rate(0);
  frame_set_deadline(timer_now());
  frame_present(nullptr);
  double t0 = timer_now();
  for (int i = 0; i < 10; ++i) frame_present(nullptr);
  // With 2 ms frames the loop never sleeps; it pumps until 1 ms or less is left.
  double per_frame = (timer_now() - t0) / 10.0;
  EXPECT_GE(per_frame, 1.0);
  EXPECT_LE(per_frame, 2.1);
}

TEST_F(FramePacing, SleepsOnlyWhenMoreThanSevenMillisecondsAreLeft) {
  frame_set_frame_rate(50);
  struct Case {
    double left;
    double slept;
  };
  // More than 7 ms left: sleep until 3 ms remain (rounded); the rest is spent pumping events.
  for (Case c : {Case{20.0, 17.0}, Case{8.0, 5.0}, Case{6.5, 0.0}, Case{2.0, 0.0}, Case{0.5, 0.0}}) {
    frame_set_deadline(timer_now() + c.left);
    double slept0 = headless_slept_ms();
    frame_present(nullptr);
    EXPECT_DOUBLE_EQ(headless_slept_ms() - slept0, c.slept) << "left " << c.left;
  }
}


// The last milliseconds before the deadline pump events between short naps instead of spinning: the
// time they take is almost all slept, in naps of a fraction of a millisecond, and the frame still ends
// within the last millisecond.
TEST_F(FramePacing, LastMillisecondsNapInsteadOfSpinning) {
  frame_set_frame_rate(50);
  struct Case {
    double left;
    double slept_ms;  // whole-millisecond sleeps
  };
  for (Case c : {Case{20.0, 17.0}, Case{8.0, 5.0}, Case{6.5, 0.0}, Case{3.0, 0.0}, Case{1.2, 0.0}}) {
    SCOPED_TRACE(testing::Message() << "left " << c.left);
    const double deadline = timer_now() + c.left;
    frame_set_deadline(deadline);
    const double slept0 = headless_slept_ms(), naps0 = headless_short_slept_ms();
    const uint64_t nap_count0 = headless_short_sleeps();
    frame_present(nullptr);
    const double now = timer_now();
    EXPECT_GT(deadline - now, 0.0);
    EXPECT_LE(deadline - now, 1.0);
    const double slept = headless_slept_ms() - slept0, naps = headless_short_slept_ms() - naps0;
    const uint64_t nap_count = headless_short_sleeps() - nap_count0;
    EXPECT_DOUBLE_EQ(slept, c.slept_ms);
    // What the whole-millisecond sleep left down to the last millisecond is napped away, apart from
    // the clock's small steps at each poll and reading.
    const double to_nap = (c.left > 7.0 ? 3.0 : c.left) - 1.0;
    EXPECT_LE(naps, to_nap);
    EXPECT_GE(naps, 0.85 * to_nap);
    EXPECT_GE(double(nap_count) * 0.5, naps - 1e-9);  // no nap longer than 0.5 ms
    EXPECT_GE(naps / double(nap_count), 0.15);        // ... and not many tiny ones
  }
}

// Over many frames at 50 per second almost every millisecond of waiting is slept: on the virtual clock
// only clock readings and polls pass outside a sleep, a few hundredths of a millisecond each.
TEST_F(FramePacing, WaitingForTheDeadlineIsAlmostAllSleep) {
  frame_set_frame_rate(50);
  frame_set_deadline(timer_now());
  frame_present(nullptr);
  const double t0 = timer_now();
  const double slept0 = headless_slept_ms() + headless_short_slept_ms();
  for (int i = 0; i < 100; ++i) frame_present(nullptr);
  const double slept = headless_slept_ms() + headless_short_slept_ms() - slept0;
  const double awake_per_frame = ((timer_now() - t0) - slept) / 100;
  EXPECT_LT(awake_per_frame, 0.4);
  EXPECT_NEAR((timer_now() - t0) / 100, 20.0, 0.05);
}

}  // namespace
