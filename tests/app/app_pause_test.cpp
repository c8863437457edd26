// Pause and resume driven by the window's activation.
#include <gtest/gtest.h>
#include <string>
#include "support/app_test_helpers.h"
#include "engine/app/app.h"
#include "engine/app/app_frame.h"
#include "engine/core/timer.h"

namespace {

std::string g_title_at_pause;
int g_pauses = 0;
int g_resumes = 0;
void on_pause() {
  ++g_pauses;
  g_title_at_pause = headless_window_title();
}
void on_resume() { ++g_resumes; }
const CallbackEntry kTable[] = {{on_pause, "QVX_ON_PAUSE"}, {on_resume, "QVX_ON_RESUME"}, {nullptr, nullptr}};

class Pause : public ::testing::Test {
 protected:
  void SetUp() override {
    g_title_at_pause.clear();
    g_pauses = g_resumes = 0;
  }
  void TearDown() override {
    app_set_callback_table(nullptr);
    remove_private_temp_dir();
  }
};

TEST_F(Pause, FocusLossFreezesFrameShowUntilRegained) {
  ASSERT_TRUE(start_headless_app());
  app_set_callback_table(kTable);
  EXPECT_EQ(headless_window_title(), "Brakka");
  frame_show();
  double lost_at = headless_time_ms() + 5.0;
  headless_at_ms(lost_at, script_event(HeadlessEvent::FocusLost));
  headless_at_ms(lost_at + 1000.0, script_event(HeadlessEvent::FocusGained));

  int frames = 0;
  while (g_pauses == 0 && frames < 10) {
    frame_show();
    ++frames;
  }
  ASSERT_EQ(g_pauses, 1);
  EXPECT_EQ(g_title_at_pause, "Brakka <pause>");
  EXPECT_EQ(headless_window_title(), "Brakka <pause>");
  EXPECT_TRUE(app_is_paused());
  EXPECT_EQ(g_resumes, 0);

  testing::internal::CaptureStdout();
  frame_show();  // waits in the pause loop until the window is active again
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(g_resumes, 1);
  EXPECT_FALSE(app_is_paused());
  EXPECT_EQ(headless_window_title(), "Brakka");
  EXPECT_GE(headless_time_ms(), lost_at + 1000.0);
  EXPECT_EQ(out, "pause loop in showscreen/hibernate\npause loop ended\n");
}

TEST_F(Pause, FrameShowDoesNotReturnWhilePaused) {
  ASSERT_TRUE(start_headless_app());
  frame_show();
  headless_at_frame(headless_frames(), script_event(HeadlessEvent::FocusLost));
  frame_show();  // the deactivation arrives during this frame's pump
  ASSERT_TRUE(app_is_paused());
  double paused_at = headless_time_ms();
  double slept0 = headless_slept_ms();
  headless_at_ms(paused_at + 1000.0, script_event(HeadlessEvent::FocusGained));
  testing::internal::CaptureStdout();
  frame_show();
  testing::internal::GetCapturedStdout();
  EXPECT_FALSE(app_is_paused());
  double waited = headless_time_ms() - paused_at;
  EXPECT_GE(waited, 1000.0);
  EXPECT_LT(waited, 1000.0 + 200.0 + 25.0);
  // The pause loop sleeps in whole 200 ms passes (the pass that sees the activation still sleeps); the
  // present after the long pause re-bases its deadline and does not sleep.
  double slept = headless_slept_ms() - slept0;
  EXPECT_DOUBLE_EQ(slept, 1200.0);
}

TEST_F(Pause, DebugModeNeitherPausesNorRetitles) {
  ASSERT_TRUE(start_headless_app());
  app_settings.debug_mode = 1;
  headless_at_frame(0, script_event(HeadlessEvent::FocusLost));
  frame_show();
  frame_show();
  EXPECT_FALSE(app_is_paused());
  EXPECT_EQ(headless_window_title(), "Brakka");
}

TEST_F(Pause, AutoPauseOffKeepsRunning) {
  ASSERT_TRUE(start_headless_app());
  app_settings.auto_pause = 0;
  headless_at_frame(0, script_event(HeadlessEvent::FocusLost));
  frame_show();
  frame_show();
  EXPECT_FALSE(app_is_paused());
  EXPECT_EQ(headless_window_title(), "Brakka");
}

TEST_F(Pause, SetPausedCallsBackOnlyOnAChange) {
  prepare_headless_app();
  app_set_callback_table(kTable);
  app_set_paused(0);
  EXPECT_EQ(g_resumes, 0);
  app_set_paused(1);
  app_set_paused(5);
  EXPECT_EQ(g_pauses, 1);
  EXPECT_TRUE(app_is_paused());
  app_set_paused(0);
  EXPECT_EQ(g_resumes, 1);
  EXPECT_FALSE(app_is_paused());
}

TEST_F(Pause, WaitForInputReturnsOnAKeyOrAfterFifteenChecks) {
  ASSERT_TRUE(start_headless_app());
  double t0 = headless_time_ms();
  frame_wait_input();
  double idle = headless_time_ms() - t0;
  EXPECT_GE(idle, 15 * 5.0);
  EXPECT_LT(idle, 15 * 5.0 + 10.0);

  headless_at_ms(headless_time_ms() + 12.0, script_event(HeadlessEvent::KeyDown, 30));
  t0 = headless_time_ms();
  frame_wait_input();
  double waited = headless_time_ms() - t0;
  EXPECT_GE(waited, 10.0);
  EXPECT_LT(waited, 25.0);
}

}  // namespace
