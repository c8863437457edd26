// The game's busy waits: they sleep between polls, end in virtual time, end when the window loses
// activation while a key or button is held, and let a close request or a quit key end the program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "engine/app/app.h"
#include "engine/core/timer.h"
#include "engine/media/sound.h"
#include "game/shell/waits.h"
#include "support/app_test_helpers.h"

namespace {

class Waits : public ::testing::Test {
 protected:
  void SetUp() override {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ASSERT_TRUE(start_headless_app());
  }
  void TearDown() override { remove_private_temp_dir(); }
};

TEST_F(Waits, TimedWaitSleepsThroughItsTime) {
  const double t0 = timer_ms();
  const double slept0 = headless_slept_ms();
  wait_ms(250);
  const double waited = timer_ms() - t0;
  EXPECT_GE(waited, 250.0);
  EXPECT_LT(waited, 260.0);
  // Nearly all of it asleep, in steps of about 1 ms: no spinning.
  EXPECT_GE(headless_slept_ms() - slept0, 240.0);
}

TEST_F(Waits, ReleaseWaitsEndWhenTheWindowLosesActivation) {
  // Enter and both buttons stay down; the window loses activation 300 ms into each wait.
  const std::function<void()> waits[] = {
      [] { wait_control_release(Control::enter); },
      [] { wait_mouse_release(false); },
      [] { wait_mouse_release(true); },
  };
  for (const auto& wait : waits) {
    headless_at_ms(0, script_event(HeadlessEvent::FocusGained));
    headless_at_ms(0, script_event(HeadlessEvent::KeyDown, 28));
    headless_at_ms(0, script_event(HeadlessEvent::ButtonDown, 0));
    headless_at_ms(0, script_event(HeadlessEvent::ButtonDown, 1));
    const double t0 = timer_ms();
    headless_at_ms(headless_time_ms() + 300, script_event(HeadlessEvent::FocusLost));
    wait();
    EXPECT_GE(timer_ms() - t0, 299.0);
    EXPECT_LT(timer_ms() - t0, 320.0);
    EXPECT_TRUE(app_is_paused());  // the next frame_show runs the pause loop
  }
}

TEST_F(Waits, ReleaseWaitsEndOnRelease) {
  headless_at_ms(0, script_event(HeadlessEvent::KeyDown, 28));
  headless_at_ms(headless_time_ms() + 100, script_event(HeadlessEvent::KeyUp, 28));
  headless_at_ms(0, script_event(HeadlessEvent::ButtonDown, 1));
  headless_at_ms(headless_time_ms() + 200, script_event(HeadlessEvent::ButtonUp, 1));
  const double t0 = timer_ms();
  wait_control_release(Control::enter);
  EXPECT_NEAR(timer_ms() - t0, 100.0, 5.0);
  wait_mouse_release(false);  // only the right button is down
  EXPECT_NEAR(timer_ms() - t0, 100.0, 5.0);
  wait_mouse_release(true);
  EXPECT_NEAR(timer_ms() - t0, 200.0, 5.0);
  EXPECT_FALSE(app_is_paused());
}

// A close request, Esc or Alt+F4 arriving inside any wait ends the program at once with status 0.
TEST_F(Waits, CloseAndQuitKeysEndTheProgramFromInsideAWait) {
  struct Ending {
    const char* what;
    std::function<void()> schedule;
  };
  const Ending endings[] = {
      {"close", [] { headless_at_ms(headless_time_ms() + 50, script_event(HeadlessEvent::Close)); }},
      {"esc", [] { headless_at_ms(headless_time_ms() + 50, script_event(HeadlessEvent::KeyDown, 1)); }},
      {"alt+f4",
       [] {
         headless_at_ms(headless_time_ms() + 50, script_event(HeadlessEvent::KeyDown, 56));
         headless_at_ms(headless_time_ms() + 50, script_event(HeadlessEvent::KeyDown, 62));
       }},
  };
  const std::function<void()> waits[] = {
      [] { wait_ms(10000); },
      [] { wait_control_release(Control::enter); },
      [] { wait_mouse_release(true); },
  };
  for (const Ending& e : endings) {
    for (const auto& wait : waits) {
      EXPECT_EXIT(
          {
            headless_at_ms(0, script_event(HeadlessEvent::KeyDown, 28));
            headless_at_ms(0, script_event(HeadlessEvent::ButtonDown, 0));
            e.schedule();
            wait();
            std::exit(42);  // the wait ended without the program ending
          },
          ::testing::ExitedWithCode(0), "")
          << e.what;
    }
  }
}

TEST_F(Waits, SoundWaitEndsWithTheSoundOrAtOnceWithoutOne) {
  const double t0 = timer_ms();
  wait_sound(-1);       // never started
  wait_sound(5 * 256);  // empty slot
  EXPECT_LT(timer_ms() - t0, 1.0);
}

}  // namespace
