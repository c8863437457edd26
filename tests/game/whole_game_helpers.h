// Whole games, from process start to exit status: the program runs in a child process on the headless
// backend in virtual time, with blind drawing, played by the automatic player, in a folder of its own
// whose Media holds the build's media (or nothing) and a copy of the starting high-ratings file.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "autoplay.h"

struct GameRunOptions {
  bool empty_media = false;  // an empty Media folder: no pictures, fonts, sounds, music or ratings
  double limit_s = 300;      // wall-clock limit; the child is killed after it
  std::string program_dir;   // the program's folder, with its Media ("": the run's folder)
  // Changes the run's folder (its Media holds links to the build's files: remove a link before writing
  // a file of its name) before the program starts.
  std::function<void(const std::string& dir)> prepare;
};

struct GameRun {
  int status = -1;                  // exit status; 1000 + signal when killed; -1 on a timeout
  std::vector<std::string> events;  // the automatic player's events, in order
  double game_s = 0;                // virtual time the game ran
  int clicks = -1;                  // mouse clicks the automatic player made
  double wall_s = 0;                // wall-clock time it took
  std::string dir;                  // the run's folder (removed by the destructor)
  ~GameRun();

  std::string media() const { return dir + "/Media"; }
  // Lines of the player's events that start with prefix.
  std::vector<std::string> lines(const std::string& prefix) const;
  int count(const std::string& prefix) const { return static_cast<int>(lines(prefix).size()); }
  bool saw_screen(const std::string& name) const;
  // The high-ratings file of the run, and its ratings and names of entries 0..6 as the game reads
  // them; false when it is missing or holds fewer than 14 lines.
  std::string high_ratings_path() const;
  bool read_high_ratings(std::vector<double>& ratings, std::vector<std::string>& names) const;
  // The file's bytes ("" when missing).
  std::string high_ratings_bytes() const;
  // The lines of the run's log (ErrorLog.txt).
  std::vector<std::string> log_lines() const;
};

// Round n of a game with varied play: keys in odd rounds, the mouse in even ones, the first move and
// the direction alternating; aim_win plays for the best margin, else for the worst.
autoplay::RoundPlan varied_round(int n, bool aim_win);

// Runs one whole game and prints its game time against its wall time.
void run_game(const autoplay::Plan& plan, const GameRunOptions& options, GameRun& run);
