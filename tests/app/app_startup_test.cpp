// Start-up: the log's trace in order, the window, the clock at the game's start, the driver warning.
#include <gtest/gtest.h>
#include <unistd.h>
#include <cstdio>
#include <fstream>
#include <string>
#include "support/app_test_helpers.h"
#include "engine/app/app.h"
#include "engine/app/app_frame.h"
#include "engine/core/timer.h"
#include "engine/platform/platform.h"
#include "portable.h"

namespace {

class Startup : public ::testing::Test {
 protected:
  void TearDown() override { remove_private_temp_dir(); }
};

TEST_F(Startup, LogTracesEveryStepInOrder) {
  prepare_headless_app();
  {
    std::ofstream old(log_path());
    old << "a line from an earlier run\n";
  }
  ASSERT_EQ(app_startup(1, "Brakka"), 1);
  std::vector<std::string> log = read_log_lines();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[0], "Start new log...");
  EXPECT_EQ(log[1], "debug works at all");
  EXPECT_EQ(log[2], "timer");
  EXPECT_EQ(log.back(), "Init Finalized");
  EXPECT_EQ(count_lines(log, "a line from an earlier run"), 0);

  char dir[4096];
  ASSERT_NE(::getcwd(dir, sizeof dir), nullptr);
  std::vector<std::string> expected = startup_trace_steps();
  expected.insert(expected.end() - 1, std::string("exepath=curdir= ") + dir);
  // The renderer adds its own lines between "flip - 1st call" and "2D VP"; every traced step is there
  // once and in this order.
  expect_lines_in_order(log, expected, true);
}

TEST_F(Startup, CurrentDirectoryIsTheProgramsFolder) {
  ASSERT_TRUE(start_headless_app());
  std::string program = platform().program_path();
  char dir[4096];
  ASSERT_NE(::getcwd(dir, sizeof dir), nullptr);
  EXPECT_EQ(std::string(dir), program.substr(0, program.find_last_of(portable::kWindows ? "/\\" : "/")));
  EXPECT_EQ(app_program_dir(), std::string(dir));
}

TEST_F(Startup, WindowShownWithTheTitleAndThePointerHidden) {
  ASSERT_TRUE(start_headless_app());
  EXPECT_TRUE(platform().window_exists());
  EXPECT_TRUE(headless_window_shown());
  EXPECT_EQ(headless_window_title(), "Brakka");
  int w = 0, h = 0;
  platform().window_client_size(w, h);
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 600);
  EXPECT_FALSE(headless_pointer_visible());
  EXPECT_TRUE(headless_mouse_relative());
  EXPECT_FALSE(app_is_paused());
}

TEST_F(Startup, StartHiddenKeepsTheWindowHidden) {
  prepare_headless_app();
  ASSERT_EQ(app_startup(0, "Brakka"), 1);
  EXPECT_FALSE(headless_window_shown());
}

TEST_F(Startup, ZeroSizeTakesTheWindowsSize) {
  prepare_headless_app();
  app_settings.screen_width = 0;
  app_settings.screen_height = 0;
  ASSERT_EQ(app_startup(1, "Brakka"), 1);
  int w = 0, h = 0;
  platform().window_client_size(w, h);
  EXPECT_GT(w, 0);
  EXPECT_EQ(app_settings.screen_width, w);
  EXPECT_EQ(app_settings.screen_height, h);
}

TEST_F(Startup, GameClockStartsNearZeroAndPacingIsSet) {
  ASSERT_TRUE(start_headless_app());
  double ms = timer_ms();
  EXPECT_GE(ms, 0.0);
  EXPECT_LT(ms, 1.0);
  EXPECT_DOUBLE_EQ(frame_period(), 20.0);
  // Two presents so far: the first flip at window creation and the cleared first frame.
  EXPECT_EQ(headless_frames(), 2u);
}

TEST_F(Startup, ShowingTheFirstFramesPresentsOnePerCall) {
  ASSERT_TRUE(start_headless_app());
  uint64_t f0 = headless_frames();
  for (int i = 0; i < 5; ++i) frame_show();
  EXPECT_EQ(headless_frames(), f0 + 5);
  EXPECT_NEAR(frame_current_time() - frame_previous_time(), 20.0, 1.0);
}

TEST_F(Startup, SoftwareDriverIsOnlyTheNamedOne) {
  EXPECT_TRUE(app_driver_is_software("Mesa Windows GDI Driver"));
  EXPECT_FALSE(app_driver_is_software("llvmpipe (LLVM 15.0.6, 256 bits)"));
  EXPECT_FALSE(app_driver_is_software("Mesa Windows GDI Driver "));
  EXPECT_FALSE(app_driver_is_software(""));
  EXPECT_FALSE(app_driver_is_software(nullptr));
}

TEST_F(Startup, SoftwareDriverWarnsOnceWithoutBlocking) {
  prepare_headless_app();
  const std::string dir = portable::make_temp_dir("brakka_driver_");
  ASSERT_FALSE(dir.empty());
  ASSERT_EQ(::chdir(dir.c_str()), 0);
  app_driver_check("Mesa Windows GDI Driver");
  EXPECT_EQ(headless_message_box_count(), 1);
  EXPECT_EQ(headless_last_box_title(), "No OpenGL Hardware Drivers");
  EXPECT_EQ(headless_last_box_text().rfind(
                "Please update your GFX adapter's driver\nso it can render OpenGL by HARDWARE", 0),
            0u);
  EXPECT_EQ(count_lines(read_log_lines(), "*** OpenGL Software Emulation - update driver!"), 1);
  app_driver_check("Mesa Windows GDI Driver");
  EXPECT_EQ(headless_message_box_count(), 1);  // once per process
  ::rmdir(dir.c_str());
}

TEST_F(Startup, DriverMessageComesFromTheTextFileWhenPresent) {
  prepare_headless_app();
  const std::string dir = portable::make_temp_dir("brakka_driver_");
  ASSERT_FALSE(dir.empty());
  ASSERT_EQ(::chdir(dir.c_str()), 0);
  {
    std::ofstream f("opengldriver.txt");
    f << std::string(3000, 'x');
  }
  EXPECT_EQ(std::string(app_driver_message().data), std::string(2047, 'x'));
  {
    std::ofstream f("opengldriver.txt");  // empty: the built-in text
  }
  EXPECT_EQ(std::string(app_driver_message().data).rfind("Please update", 0), 0u);
  std::remove("opengldriver.txt");
  ::rmdir(dir.c_str());
}

TEST_F(Startup, RealDriverShowsNoWarning) {
  ASSERT_TRUE(start_headless_app());
  EXPECT_EQ(headless_message_box_count(), 0);
}

}  // namespace
