#include <gtest/gtest.h>

#include "engine/core/timer.h"
#include "engine/platform/headless.h"
#include "engine/platform/platform.h"

namespace {

// Every test runs on the headless backend's virtual clock, from a fresh start.
class TimerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform_select("headless"));
    headless_reset();
  }
};

}  // namespace

TEST_F(TimerTest, CountsFromTheFirstReading) {
  headless_advance_ms(5000);  // the platform clock is far from zero when the runtime starts
  timer_init();
  EXPECT_NEAR(timer_now(), 0.0, 0.1);
  headless_advance_ms(250);
  EXPECT_NEAR(timer_now(), 250.0, 0.1);
}

TEST_F(TimerTest, ReadingsNeverGoBackwards) {
  timer_init();
  double last = timer_now();
  for (int i = 0; i < 1000; ++i) {
    if (i % 100 == 0) headless_advance_ms(3.5);
    double t = timer_now();
    EXPECT_GE(t, last);
    last = t;
  }
  EXPECT_GT(last, 35.0);
}

TEST_F(TimerTest, HasFractionalMilliseconds) {
  timer_init();
  timer_now();
  headless_advance_ms(0.5);
  double t = timer_now();
  EXPECT_GT(t, 0.4);
  EXPECT_LT(t, 0.6);
}

TEST_F(TimerTest, SleepAdvancesTheClock) {
  timer_init();
  double before = timer_now();
  sys_sleep(100);
  EXPECT_NEAR(timer_now() - before, 100.0, 0.1);
  sys_sleep(0);
  sys_sleep(-20);  // nothing, and no fault
  EXPECT_NEAR(timer_now() - before, 100.0, 0.1);
}

TEST_F(TimerTest, GameClockStartsAtTheStartOffset) {
  timer_init();
  timer_now();               // first reading during window creation
  headless_advance_ms(700);  // the rest of start-up
  timer_set_start_offset();
  EXPECT_NEAR(timer_ms(), 0.0, 0.1);
  EXPECT_NEAR(timer_now(), 700.0, 0.1);
  headless_advance_ms(40);
  EXPECT_NEAR(timer_ms(), 40.0, 0.1);
  EXPECT_NEAR(timer_now() - timer_ms(), 700.0, 0.1);
}

TEST_F(TimerTest, ReadsWithoutAnExplicitInit) {
  double a = timer_now();
  headless_advance_ms(10);
  EXPECT_NEAR(timer_now() - a, 10.0, 0.1);
}

TEST_F(TimerTest, NanosecondCounterFarFromZeroKeepsItsPrecision) {
  // 300 days of nanoseconds: scaling the raw count by 1000 would overflow 64 bits.
  headless_advance_ms(300.0 * 86400.0 * 1000.0);
  timer_init();
  EXPECT_NEAR(timer_now(), 0.0, 0.1);
  headless_advance_ms(5);
  EXPECT_NEAR(timer_now(), 5.0, 0.1);
}

TEST_F(TimerTest, TickCountSourceGivesWholeMilliseconds) {
  headless_advance_ms(1234.7);
  timer_init_ticks();
  EXPECT_EQ(timer_now(), 0.0);
  headless_advance_ms(20.6);
  double t = timer_now();
  EXPECT_EQ(t, static_cast<double>(static_cast<long long>(t)));
  EXPECT_GE(t, 20.0);
  EXPECT_LE(t, 21.0);
}

TEST_F(TimerTest, TickCountSourceSurvivesTheWrap) {
  headless_advance_ms(4294967296.0 - 10.0);  // 10 ms before the 32-bit tick count wraps
  timer_init_ticks();
  EXPECT_EQ(timer_now(), 0.0);
  headless_advance_ms(25);
  double t = timer_now();
  EXPECT_GE(t, 24.0);
  EXPECT_LE(t, 26.0);
}
