#include "run_folder.h"

#include <cstdlib>
#include <filesystem>

#include "engine/app/app.h"
#include "engine/core/str.h"
#include "engine/platform/headless.h"
#include "engine/platform/platform.h"
#include "game/state/high_ratings_file.h"
#include "portable.h"

namespace fs = std::filesystem;

namespace autoplay {

std::string make_run_folder(const std::string& prefix, const std::string& media) {
  const std::string dir = portable::make_temp_dir(prefix);
  if (dir.empty()) return "";
  std::error_code ec;
  fs::create_directories(portable::to_path(dir + "/Media"), ec);
  if (ec || media.empty()) return ec ? "" : dir;
  const Str highs = high_ratings_file_name();
  for (const auto& entry : fs::directory_iterator(portable::to_path(media), ec)) {
    const std::string name = portable::path_text(entry.path().filename());
    const std::string from = media + "/" + name, to = dir + "/Media/" + name;
    if (name == highs.c_str()) fs::copy_file(entry.path(), portable::to_path(to), ec);
    else if (!portable::link_file(from, to)) return "";
    if (ec) return "";
  }
  return ec ? "" : dir;
}

void enter_run_folder(const std::string& dir) {
  std::error_code ec;
  fs::current_path(portable::to_path(dir), ec);
  if (ec) std::_Exit(120);
  portable::set_temp_env(dir);
  platform_select("headless");
  headless_reset();
  headless_set_program_path(dir + "/brakka");
}

void run_program() {
  char program[] = "brakka";
  char* argv[] = {program, nullptr};
  app_run(1, argv);
}

}  // namespace autoplay
