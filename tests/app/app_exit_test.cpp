// Ending the program: quit keys, window close, app_end, fatal errors and the quit callback.
#include <gtest/gtest.h>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include "support/app_test_helpers.h"
#include "engine/app/app.h"
#include "engine/app/app_frame.h"

namespace {

class Ending : public ::testing::Test {
 protected:
  void SetUp() override {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    use_private_temp_dir();  // made here so that the death test child writes its log into it
  }
  void TearDown() override { remove_private_temp_dir(); }
};

[[noreturn]] void run_frames(int n) {
  for (int i = 0; i < n; ++i) frame_show();
  std::exit(42);  // the frames ran out without the program ending
}

TEST_F(Ending, EscEndsWithStatusZero) {
  EXPECT_EXIT(
      {
        start_headless_app();
        headless_at_frame(5, script_event(HeadlessEvent::KeyDown, 1));
        run_frames(20);
      },
      ::testing::ExitedWithCode(0), "");
  std::vector<std::string> log = read_log_lines();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2], "Shut down QVX");
  EXPECT_EQ(log.back(), "qvx is shut down");
}

TEST_F(Ending, AltF4EndsWithStatusZero) {
  EXPECT_EXIT(
      {
        start_headless_app();
        headless_at_frame(5, script_event(HeadlessEvent::KeyDown, 56));
        headless_at_frame(6, script_event(HeadlessEvent::KeyDown, 62));
        run_frames(20);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(Ending, WindowCloseEndsWithStatusZero) {
  EXPECT_EXIT(
      {
        start_headless_app();
        headless_at_frame(3, script_event(HeadlessEvent::Close));
        run_frames(20);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(read_log_lines().back(), "qvx is shut down");
}

TEST_F(Ending, EscIgnoredWhenEscQuitsIsOffButAltF4Still) {
  EXPECT_EXIT(
      {
        start_headless_app();
        app_settings.esc_quits = 0;
        headless_at_frame(3, script_event(HeadlessEvent::KeyDown, 1));
        run_frames(20);
      },
      ::testing::ExitedWithCode(42), "");
  EXPECT_EXIT(
      {
        start_headless_app();
        app_settings.esc_quits = 0;
        headless_at_frame(3, script_event(HeadlessEvent::KeyDown, 1));
        headless_at_frame(8, script_event(HeadlessEvent::KeyDown, 56));
        headless_at_frame(8, script_event(HeadlessEvent::KeyDown, 62));
        run_frames(20);
      },
      ::testing::ExitedWithCode(0), "");
}

// The wait for input ends the program on Esc (or key 129) pressed while it waits, instead of returning.
TEST_F(Ending, EscDuringTheWaitForInputEnds) {
  for (int key : {1, 129}) {
    EXPECT_EXIT(
        {
          start_headless_app();
          headless_at_ms(headless_time_ms() + 12.0, script_event(HeadlessEvent::KeyDown, key));
          frame_wait_input();
          std::exit(42);  // the wait returned
        },
        ::testing::ExitedWithCode(0), "")
        << "key " << key;
  }
  // With Esc not quitting, the same key only ends the wait.
  EXPECT_EXIT(
      {
        start_headless_app();
        app_settings.esc_quits = 0;
        headless_at_ms(headless_time_ms() + 12.0, script_event(HeadlessEvent::KeyDown, 1));
        frame_wait_input();
        std::exit(42);
      },
      ::testing::ExitedWithCode(42), "");
}

TEST_F(Ending, KeyNotPolledWhileInactiveDoesNotQuit) {
  EXPECT_EXIT(
      {
        start_headless_app();
        app_settings.auto_pause = 0;  // keep running while inactive
        headless_at_frame(3, script_event(HeadlessEvent::FocusLost));
        headless_at_frame(5, script_event(HeadlessEvent::KeyDown, 1));
        run_frames(20);
      },
      ::testing::ExitedWithCode(42), "");
}

TEST_F(Ending, AppEndExitsZeroAndPrintsExit) {
  EXPECT_EXIT(
      {
        start_headless_app();
        std::freopen((use_private_temp_dir() + "stdout.txt").c_str(), "w", stdout);
        app_set_error(3);
        app_end();
      },
      ::testing::ExitedWithCode(0), "");
  std::ifstream out(use_private_temp_dir() + "stdout.txt");
  std::string text((std::istreambuf_iterator<char>(out)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "exit\n");
}

TEST_F(Ending, FatalErrorExitsWithItsCodeAndLogsTheText) {
  EXPECT_EXIT(
      {
        start_headless_app();
        app_fatal(9);
      },
      ::testing::ExitedWithCode(9), "");
  std::vector<std::string> log = read_log_lines();
  EXPECT_EQ(count_lines(log, "0009 out of bounds"), 1);
  EXPECT_EQ(count_lines(log, "Shut down QVX"), 1);
  EXPECT_EQ(log.back(), "qvx is shut down");
}

TEST_F(Ending, FatalErrorCodesThatDoNotFitAStatusStillFail) {
  EXPECT_EXIT(
      {
        prepare_headless_app();
        app_fatal(256);
      },
      ::testing::ExitedWithCode(1), "");
  EXPECT_EQ(count_lines(read_log_lines(), "0256 unknown error"), 1);
}

TEST_F(Ending, DebugModeAppendsTheErrorDetails) {
  EXPECT_EXIT(
      {
        start_headless_app();
        app_settings.debug_mode = 1;
        dbg_set_line(4, 17);
        app_set_error(20);
        app_exit();
      },
      ::testing::ExitedWithCode(0), "");
  std::vector<std::string> log = read_log_lines();
  size_t i = 0;
  while (i < log.size() && log[i] != "-End On Line") ++i;
  ASSERT_LE(i + 5, log.size());
  EXPECT_EQ(log[i + 1], "20");
  EXPECT_EQ(log[i + 2], "16");
  EXPECT_EQ(log[i + 3], "17");
  EXPECT_EQ(log[i + 4], "4");
  EXPECT_EQ(log[i + 5], "Shut down QVX");
}

void quit_handler_ends() {
  log_line("quit handler\n");
  app_end();
}
void quit_handler_fails() {
  log_line("quit handler\n");
  app_fatal(7);
}
const CallbackEntry kEnds[] = {{quit_handler_ends, "QVX_ON_QUIT"}, {nullptr, nullptr}};
const CallbackEntry kFails[] = {{quit_handler_fails, "QVX_ON_QUIT"}, {nullptr, nullptr}};

TEST_F(Ending, QuitHandlerThatEndsRunsOnceAndShutsDownOnce) {
  EXPECT_EXIT(
      {
        start_headless_app();
        app_set_callback_table(kEnds);
        app_end();
      },
      ::testing::ExitedWithCode(0), "");
  std::vector<std::string> log = read_log_lines();
  EXPECT_EQ(count_lines(log, "quit handler"), 1);
  EXPECT_EQ(count_lines(log, "Shut down QVX"), 1);
  EXPECT_EQ(count_lines(log, "qvx is shut down"), 1);
}

TEST_F(Ending, FatalErrorInTheQuitHandlerStillFailsOnce) {
  EXPECT_EXIT(
      {
        start_headless_app();
        app_set_callback_table(kFails);
        app_end();
      },
      ::testing::ExitedWithCode(7), "");
  std::vector<std::string> log = read_log_lines();
  EXPECT_EQ(count_lines(log, "quit handler"), 1);
  EXPECT_EQ(count_lines(log, "0007 out of memory"), 1);
  EXPECT_EQ(count_lines(log, "Shut down QVX"), 1);
}

}  // namespace
