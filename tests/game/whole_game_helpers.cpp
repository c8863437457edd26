#include "game/whole_game_helpers.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include <gtest/gtest.h>

#include "engine/core/str.h"
#include "engine/media/renderer.h"
#include "engine/platform/headless.h"
#include "game/game_test_helpers.h"
#include "game/state/high_ratings_file.h"
#include "plan_text.h"
#include "portable.h"
#include "run_folder.h"

namespace fs = std::filesystem;

namespace {

// The child: the program itself, played by the automatic player, reporting each event to a file. Its
// argument: the run's folder and the program's folder ("": the run's) on a line each, then the plan.
int play_whole_game(const std::string& arg) {
  std::istringstream in(arg);
  std::string dir, program_dir;
  std::getline(in, dir);
  std::getline(in, program_dir);
  autoplay::Plan plan;
  if (!autoplay::plan_from_text(std::string(std::istreambuf_iterator<char>(in), {}), plan)) return 121;
  autoplay::enter_run_folder(dir);
  if (!program_dir.empty()) headless_set_program_path(program_dir + "/brakka");
  renderer_set_blind(true);
  static std::string events_path = dir + "/events.txt";
  static autoplay::Player* player = new autoplay::Player(plan);
  player->on_event = [](const std::string& line) {
    if (std::FILE* f = std::fopen(events_path.c_str(), "a")) {
      std::fprintf(f, "%s\n", line.c_str());
      std::fclose(f);
    }
  };
  player->install();
  std::atexit([] {
    char line[64];
    std::snprintf(line, sizeof line, "game_ms %.0f clicks %d", headless_time_ms(), player->record().clicks);
    player->on_event(line);
  });
  autoplay::run_program();
}

const portable::ChildBody kWholeGame("whole game", play_whole_game);

}  // namespace

GameRun::~GameRun() {
  std::error_code ec;
  if (!dir.empty()) fs::remove_all(dir, ec);
}

std::vector<std::string> GameRun::lines(const std::string& prefix) const {
  std::vector<std::string> out;
  for (const std::string& e : events)
    if (e.rfind(prefix, 0) == 0) out.push_back(e);
  return out;
}

bool GameRun::saw_screen(const std::string& name) const { return count("screen " + name) > 0; }

std::string GameRun::high_ratings_path() const { return media() + "/" + high_ratings_file_name().c_str(); }

std::string GameRun::high_ratings_bytes() const {
  std::ifstream f(high_ratings_path(), std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

bool GameRun::read_high_ratings(std::vector<double>& ratings, std::vector<std::string>& names) const {
  HighTable table;
  if (::read_high_ratings(Str(high_ratings_path().c_str()), table) != kHighEntries) return false;
  ratings.assign(table.ratings, table.ratings + kHighEntries);
  names.clear();
  for (const Str& name : table.names) names.push_back(name.c_str());
  return true;
}

autoplay::RoundPlan varied_round(int n, bool aim_win) {
  return autoplay::RoundPlan{n % 2 == 1, (n / 2) % 2 == 0,
                             n % 2 == 1 ? autoplay::Input::keys : autoplay::Input::mouse, aim_win};
}

std::vector<std::string> GameRun::log_lines() const {
  std::vector<std::string> out;
  std::ifstream log(dir + "/ErrorLog.txt");
  for (std::string line; std::getline(log, line);) out.push_back(line);
  return out;
}

void run_game(const autoplay::Plan& plan, const GameRunOptions& options, GameRun& run) {
  run.dir = autoplay::make_run_folder("brakka_game_", options.empty_media ? "" : media_dir());
  ASSERT_FALSE(run.dir.empty());
  if (options.prepare) options.prepare(run.dir);

  const auto start = std::chrono::steady_clock::now();
  portable::Child child;
  ASSERT_TRUE(
      child.start("whole game", run.dir + "\n" + options.program_dir + "\n" + autoplay::plan_to_text(plan)));
  // A slower run (under valgrind, say) may ask for more time.
  const char* limit_env = std::getenv("BRAKKA_WHOLE_GAME_LIMIT_S");
  const double limit_s = limit_env && std::atof(limit_env) > 0 ? std::atof(limit_env) : options.limit_s;
  run.status = child.wait(limit_s);
  if (run.status == portable::kTimedOut) child.kill();
  run.wall_s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::ifstream events(run.dir + "/events.txt");
  for (std::string line; std::getline(events, line);) {
    run.events.push_back(line);
    double ms = 0;
    if (std::sscanf(line.c_str(), "game_ms %lf clicks %d", &ms, &run.clicks) == 2) run.game_s = ms / 1000;
  }
  std::printf("whole game: %.1f s of game time in %.2f s wall (%.0f x real time), exit status %d\n",
              run.game_s, run.wall_s, run.wall_s > 0 ? run.game_s / run.wall_s : 0.0, run.status);
}
