#include "support/app_test_helpers.h"
#include <gtest/gtest.h>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include "engine/core/app.h"
#include "engine/core/app_frame.h"
#include "engine/platform/platform.h"

std::string use_private_temp_dir() {
  const char* kept = std::getenv("BRAKKA_TEST_TMP");
  std::string dir;
  if (kept && *kept) {
    dir = kept;
  } else {
    char pattern[] = "/tmp/brakka_test_XXXXXX";
    const char* made = ::mkdtemp(pattern);
    dir = made ? made : "/tmp";
    ::setenv("BRAKKA_TEST_TMP", dir.c_str(), 1);
  }
  ::setenv("TMPDIR", dir.c_str(), 1);
  return dir + "/";
}

void remove_private_temp_dir() {
  const char* kept = std::getenv("BRAKKA_TEST_TMP");
  if (!kept || std::string(kept).rfind("/tmp/brakka_test_", 0) != 0) return;
  std::error_code ec;
  std::filesystem::remove_all(kept, ec);
  ::unsetenv("BRAKKA_TEST_TMP");
}

std::vector<std::string> read_log_lines() {
  std::vector<std::string> lines;
  std::ifstream f(log_path());
  std::string line;
  while (std::getline(f, line)) lines.push_back(line);
  return lines;
}

int count_lines(const std::vector<std::string>& lines, const std::string& line) {
  int n = 0;
  for (const std::string& l : lines) n += l == line;
  return n;
}

void prepare_headless_app() {
  use_private_temp_dir();
  platform_select("headless");
  headless_reset();
  app_settings = AppSettings();
  app_settings.screen_width = 800;
  app_settings.screen_height = 600;
  app_settings.hide_mouse = 1;
  app_settings.frame_rate = 50;
  frame_app_name() = "Brakka";
}

bool start_headless_app() {
  prepare_headless_app();
  return app_startup(1, "Brakka") == 1;
}

HeadlessEvent script_event(HeadlessEvent::Kind kind, int a, int b) {
  HeadlessEvent ev;
  ev.kind = kind;
  ev.a = a;
  ev.b = b;
  return ev;
}
