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
