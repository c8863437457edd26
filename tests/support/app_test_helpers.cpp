#include "support/app_test_helpers.h"
#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include "engine/app/app.h"
#include "engine/app/app_frame.h"
#include "engine/platform/platform.h"
#include "portable.h"

namespace {
// The temporary folder the process had before a private one took its place, given back on removal so
// that a later test in the same process does not make its folders in a removed one.
std::unique_ptr<portable::TempEnv>& callers_temp_env() {
  static std::unique_ptr<portable::TempEnv> saved;
  return saved;
}
}  // namespace

std::string use_private_temp_dir() {
  std::string dir = portable::get_env("BRAKKA_TEST_TMP").value_or("");
  if (dir.empty()) {
    dir = portable::make_temp_dir("brakka_test_");
    if (dir.empty()) dir = portable::temp_root();  // not kept, so never removed
    else portable::set_env("BRAKKA_TEST_TMP", dir);
  }
  if (!callers_temp_env()) callers_temp_env() = std::make_unique<portable::TempEnv>(dir);
  else portable::set_temp_env(dir);
  return dir + "/";
}

void remove_private_temp_dir() {
  callers_temp_env().reset();
  const std::string kept = portable::get_env("BRAKKA_TEST_TMP").value_or("");
  // Only a folder this made, never one the caller named.
  if (portable::path_text(portable::to_path(kept).filename()).rfind("brakka_test_", 0) != 0) return;
  std::error_code ec;
  std::filesystem::remove_all(portable::to_path(kept), ec);
  portable::unset_env("BRAKKA_TEST_TMP");
}

std::vector<std::string> read_log_lines() {
  std::vector<std::string> lines;
  std::string path = log_path();
  // The log of a run that had the game's settings (a death test's child, say) when this process has not:
  // the game's name puts it in the game's own state folder.
  if (!std::filesystem::exists(path) && frame_app_name().length == 0) {
    frame_app_name() = "Brakka";
    path = log_path();
    frame_app_name() = "";
  }
  std::ifstream f(path);
  std::string line;
  while (std::getline(f, line)) lines.push_back(line);
  return lines;
}

int count_lines(const std::vector<std::string>& lines, const std::string& line) {
  int n = 0;
  for (const std::string& l : lines) n += l == line;
  return n;
}

std::vector<std::string> startup_trace_steps() {
  return {"Start new log...",
          "debug works at all",
          "timer",
          "rbow",
          "rbow init",
          "WIN32 init video",
          "get accurate timer - 1st call",
          "flip - 1st call",
          "2D VP",
          "OGRB init [OK]",
          "Cptn",
          "Network",
          "Input",
          "Window mode",
          "Create DXin",
          "reptr",
          "getexe",
          "cd",
          "Init Finalized"};
}

void expect_lines_in_order(const std::vector<std::string>& log, const std::vector<std::string>& steps,
                           bool once) {
  size_t at = 0;
  for (const std::string& step : steps) {
    while (at < log.size() && log[at] != step) ++at;
    ASSERT_LT(at, log.size()) << "missing or out of order: " << step;
    if (once) {
      EXPECT_EQ(count_lines(log, step), 1) << step;
    }
  }
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
