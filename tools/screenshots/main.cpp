// brakka_screenshots <media dir> <out dir>: plays two whole games headless with the automatic player
// and writes a PNG of each screen as the program draws it: a won game (with the welcome screen's
// sub-screens on the way) and a lost one; then the welcome screen played by keys, its focus shown.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "autoplay.h"
#include "engine/platform/headless.h"
#include "game/state/round_state.h"
#include "game/state/game_state.h"
#include "game/shell/welcome_screen.h"
#include "run_folder.h"
#include "screen_capture.h"

namespace fs = std::filesystem;

namespace {

struct Shot {
  std::string file;
  std::function<bool(double ms_on_screen, int visit)> due;
  GameScreen screen;
  bool taken = false;
};

int non_empty_cells() {
  int n = 0;
  for (int c = 1; c <= 8; ++c)
    for (int r = 1; r <= 8; ++r) n += board(c, r) != 0;
  return n;
}

// Watches every finished frame (before the swap) and writes the frames the shots ask for.
void take_shots(std::vector<Shot> shots, const std::string& out_dir) {
  static std::vector<Shot> pending;
  static std::string dir;
  static GameScreen screen = GameScreen::none;
  static double since = 0;
  static int visits[32] = {};
  pending = std::move(shots);
  dir = out_dir;
  headless_set_swap_hook([] {
    const double now = headless_time_ms();
    if (game_screen != screen) {
      screen = game_screen;
      since = now;
      ++visits[static_cast<int>(screen)];
    }
    for (Shot& s : pending) {
      if (s.taken || s.screen != screen || !s.due(now - since, visits[static_cast<int>(screen)])) continue;
      s.taken = true;
      const std::string path = dir + "/" + s.file;
      std::printf("%s %s\n", write_screen_png(path) ? "wrote" : "could not write", path.c_str());
      std::fflush(stdout);
    }
  });
}

int run(const std::string& media, const std::string& out, const autoplay::Plan& plan,
        std::vector<Shot> shots) {
  const std::string dir = autoplay::make_run_folder("brakka_shots_", media);
  if (dir.empty()) return 1;
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    autoplay::enter_run_folder(dir);
    static autoplay::Player* player = new autoplay::Player(plan);
    player->install();
    take_shots(std::move(shots), out);
    autoplay::run_program();
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  std::error_code ec;
  fs::remove_all(dir, ec);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: brakka_screenshots <media dir> <out dir>\n");
    return 2;
  }
  const std::string media = fs::absolute(argv[1]).string(), out = fs::absolute(argv[2]).string();
  fs::create_directories(out);
  ::setenv("SDL_VIDEODRIVER", "offscreen", 0);
  ::setenv("SDL_AUDIODRIVER", "dummy", 0);

  autoplay::Plan won;
  won.seed = 2024;
  won.settle_ms = 1200;
  won.typed_name = "ALEX";
  won.visit_high_ratings = true;
  won.visit_instructions = true;
  won.round_plan = [](int n) {
    return autoplay::RoundPlan{n % 2 == 1, n % 2 == 1,
                               n % 2 == 1 ? autoplay::Input::keys : autoplay::Input::mouse, true};
  };
  std::vector<Shot> won_shots = {
      {"welcome.png", [](double t, int v) { return v == 1 && t > 1000; }, GameScreen::welcome},
      {"name-keyboard.png", [](double, int) { return player_name.length >= 3; }, GameScreen::name_keyboard},
      {"high-ratings.png", [](double t, int v) { return v == 1 && t > 1000; }, GameScreen::stats},
      {"instructions.png", [](double t, int) { return t > 1000; }, GameScreen::instructions},
      {"main-menu.png", [](double t, int) { return t > 800; }, GameScreen::main_menu},
      {"setup-order.png", [](double t, int) { return t > 800; }, GameScreen::round_setup},
      {"setup-direction.png", [](double t, int) { return t > 2000; }, GameScreen::round_setup},
      {"round.png",
       [](double, int) { return non_empty_cells() <= 55 && player_kind(static_cast<int>(turn)) == 1; },
       GameScreen::round},
      {"round-end.png", [](double, int) { return move_confirmed >= 1; }, GameScreen::round_end},
      {"stats.png", [](double t, int v) { return v == 2 && t > 1000; }, GameScreen::stats},
      {"win.png", [](double t, int) { return t > 900; }, GameScreen::win},
      {"goodbye.png", [](double t, int) { return t > 2600; }, GameScreen::goodbye},
  };
  autoplay::Plan lost;
  lost.seed = 77;
  lost.settle_ms = 1200;
  lost.round_plan = [](int) { return autoplay::RoundPlan{true, true, autoplay::Input::mouse, false}; };
  std::vector<Shot> lost_shots = {
      {"lose.png", [](double t, int) { return t > 1000; }, GameScreen::lose},
  };
  // The welcome screen played by keys: the focus moved from PLAY to HIGH RATINGS shows its ring.
  autoplay::Plan keys;
  keys.input = autoplay::Input::keys;
  keys.settle_ms = 1200;
  keys.visit_high_ratings = true;
  keys.quit_from_welcome = true;
  std::vector<Shot> keys_shots = {
      {"welcome-focus.png",
       [](double, int) {
         return screen_focus.shown && screen_focus.button == static_cast<int>(WelcomeButton::high_ratings);
       },
       GameScreen::welcome},
  };
  const int a = run(media, out, won, won_shots);
  const int b = run(media, out, lost, lost_shots);
  const int c = run(media, out, keys, keys_shots);
  return a == 0 && b == 0 && c == 0 ? 0 : 1;
}
