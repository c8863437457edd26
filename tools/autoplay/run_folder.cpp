#include "run_folder.h"

#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <filesystem>

#include "engine/core/app.h"
#include "engine/core/str.h"
#include "engine/platform/headless.h"
#include "engine/platform/platform.h"
#include "game/round/high_ratings_file.h"

namespace fs = std::filesystem;

namespace autoplay {

std::string make_run_folder(const std::string& prefix, const std::string& media) {
  std::string pattern = "/tmp/" + prefix + "XXXXXX";
  if (!::mkdtemp(pattern.data())) return "";
  std::error_code ec;
  fs::create_directories(pattern + "/Media", ec);
  if (ec || media.empty()) return ec ? "" : pattern;
  const Str highs = high_ratings_file_name();
  for (const auto& entry : fs::directory_iterator(media, ec)) {
    const fs::path to = fs::path(pattern) / "Media" / entry.path().filename();
    if (entry.path().filename() == highs.c_str()) fs::copy_file(entry.path(), to, ec);
    else fs::create_symlink(fs::absolute(entry.path()), to, ec);
    if (ec) return "";
  }
  return ec ? "" : pattern;
}

void enter_run_folder(const std::string& dir) {
  ::prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlives the process that started it
  if (::chdir(dir.c_str()) != 0) std::_Exit(120);
  ::setenv("TMPDIR", dir.c_str(), 1);
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
