// The automatic player: plays Brakka on the headless backend through the real input path. Installed as
// the backend's poll hook, it watches the game's state and answers as a person would: with mouse clicks
// on the buttons of each screen's table, with the keyboard (moving the focus, pressing Enter or Space,
// typing the name) or with a game pad. It also keeps a record of what happened (screens, rounds, every
// cell taken) for tests to check.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/shell/button.h"
#include "round_model.h"

namespace autoplay {

// keys: the arrows, Tab, Shift+Tab, Enter, Space and typed letters; pad: the D-pad (or the left stick,
// in a round that asks for it), A and Start.
enum class Input { mouse, keys, pad };

// How to play one round.
struct RoundPlan {
  bool human_first = true;
  bool horizontal = true;  // the human's direction
  Input input = Input::mouse;
  bool aim_win = true;  // play for the best margin, or for the worst
  bool stick = false;   // with the pad: steps with the left stick rather than the D-pad
};

struct Plan {
  // Every screen but the round is played with this input (a round with its plan's).
  Input input = Input::mouse;
  // Welcome screen, in this order, before the play button: type a name on the keyboard (letters,
  // blanks and '<' for delete; "" leaves the name alone, "<done>" takes done at once), look at the high
  // ratings, read the instructions. quit_from_welcome takes quit instead of play.
  std::string typed_name;
  bool visit_high_ratings = false;
  bool visit_instructions = false;
  bool quit_from_welcome = false;
  // Round n (1, 2, ...) of the game.
  std::function<RoundPlan(int)> round_plan = [](int) { return RoundPlan{}; };
  // At the main-screen menu before round n (> 0), click quit instead of continue.
  int quit_before_round = 0;
  // Human moves looked ahead, each with the computer's replies predicted.
  int search_depth = 5;
  // Seeds the random generator when the first screen starts (0: the start-up's own seed stays).
  uint32_t seed = 0;
  // How long a screen (or a screen's next question) is shown before the player clicks on it.
  double settle_ms = 150;
  // Closes the window once this screen (its game_screen_name) has been shown a moment ("": never).
  std::string close_on;
};

struct Take {
  int player;  // 1 or 2
  int value;
};

struct RoundRecord {
  int block = 0;
  int difficulty = 0;
  RoundPlan plan;
  int kind[3] = {0, 0, 0};
  int dir[3] = {0, 0, 0};
  std::vector<Take> takes;
  int totals[3] = {0, 0, 0};
  int result = -1;  // round_result as the round end left it
  int computer_moves = 0;
  int computer_mispredicted = 0;     // computer moves that differ from the model's choice
  bool ended_on_empty_line = false;  // the player to move had an empty line when the round ended
  int illegal_takes = 0;             // takes off the mover's line, of an empty cell, or out of turn
  bool model_totals_match = true;    // the totals as the takes add them up
  bool sums_match() const;           // each total is the sum of its side's takes
  bool result_matches() const;       // 12 / 13 / 0 as the human's total compares
};

struct Record {
  std::vector<std::string> screens;  // each screen as it was entered
  std::vector<RoundRecord> rounds;
  int clicks = 0;  // mouse clicks made
};

class Player {
 public:
  explicit Player(Plan plan);
  // Starts answering: sets the headless backend's poll hook (the player must outlive the run).
  void install();
  const Record& record() const { return record_; }
  // Called with a line of the summary as soon as it happens (for a process that may end at any time).
  std::function<void(const std::string&)> on_event;
  // Completes the record of a round whose end screen is showing or has just been left (happens by itself
  // when the screen after it starts).
  void finish_round();

 private:
  void poll();
  void observe(double now);
  void act(double now);
  void click(double now, int x, int y, int button = 0);
  void tap(double now, int key, double gap_ms);
  void pad_tap(double now, int button, double gap_ms);
  void stick_tap(double now, int axis, int sign);
  void type(double now, char c);
  // Takes button `target` of a screen's table with the plan's input: a click on it, or the focus moved
  // towards it one step at a time and then pressed (Space rather than Enter with use_space, Start
  // rather than A with use_start). True once taken.
  bool take(double now, const Button* buttons, int count, int target, bool use_space = false,
            bool use_start = false);
  bool take(double now, const Button& button, bool use_space = false, bool use_start = false) {
    return take(now, &button, 1, 0, use_space, use_start);
  }
  void play_turn(double now);
  void welcome(double now);
  void name_keyboard(double now);
  RoundModel model() const;
  void emit(const std::string& line);

  Plan plan_;
  Record record_;
  int screen_ = -1;
  double screen_since_ = 0;
  double busy_until_ = 0;
  int clicks_on_screen_ = 0;
  int welcome_step_ = 0;
  size_t typed_count_ = 0;
  bool keyboard_done_ = false;
  // The round being watched.
  bool in_round_ = false;
  RoundModel watched_;  // the round as the takes seen so far made it
  bool counting_ = false;
  int take_col_ = 0, take_row_ = 0;
  int turn_key_ = -1;
  int target_ = 0;
  double confirm_after_ = 0;
};

}  // namespace autoplay
