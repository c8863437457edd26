#include "autoplay.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "engine/core/random.h"
#include "engine/platform/headless.h"
#include "engine/platform/platform.h"
#include "game/round/round_end.h"
#include "game/state/round_state.h"
#include "game/shell/stats_screen.h"
#include "game/shell/game_keys.h"
#include "game/state/game_state.h"
#include "game/shell/instructions_screen.h"
#include "game/shell/lose_screen.h"
#include "game/shell/main_menu.h"
#include "game/shell/name_keyboard.h"
#include "game/shell/round_setup_screen.h"
#include "game/shell/welcome_screen.h"
#include "game/shell/win_screen.h"

namespace autoplay {

namespace {

constexpr double kPressMs = 60;  // a click holds the button for three frames
constexpr double kClickGapMs = 200;
constexpr double kKeyHoldMs = 40;
constexpr double kKeyGapMs = 270;    // arrow keys step once per 250 ms
constexpr double kFocusGapMs = 120;  // between two moves of the focus

int to_int(double v) { return static_cast<int>(v); }

// The name keyboard's key for a character of a planned name ('<' is delete), or 0.
int name_key_for(char c) {
  return c == '<' ? kNameKeyDelete : name_key_of_char(static_cast<unsigned char>(c));
}

Button name_key_at(int key) { return name_key(key, kNameKeyboardX, kNameKeyboardY); }

// The scan code of a letter or a blank on a US keyboard, or 0.
int scan_code(char c) {
  static const char* const rows[3] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  static const int first[3] = {16, 30, 44};
  if (c == ' ') return kKeySpace;
  for (int r = 0; r < 3; ++r)
    if (const char* at = std::strchr(rows[r], c)) return first[r] + static_cast<int>(at - rows[r]);
  return 0;
}

// Earlier in the focus order: left of it, or above it at the same x.
bool before(const Button& a, const Button& b) { return a.x != b.x ? a.x < b.x : a.y < b.y; }

}  // namespace

bool RoundRecord::sums_match() const {
  int sum[3] = {0, 0, 0};
  for (const Take& t : takes) sum[t.player] += t.value;
  return sum[1] == totals[1] && sum[2] == totals[2];
}

bool RoundRecord::result_matches() const {
  const int human = kind[1] == 1 ? 1 : 2;
  const int mine = totals[human], theirs = totals[3 - human];
  return result == (mine > theirs ? 12 : mine < theirs ? 13 : 0);
}

Player::Player(Plan plan) : plan_(std::move(plan)) {}

void Player::install() {
  headless_set_poll_hook([this] { poll(); });
}

void Player::emit(const std::string& line) {
  if (on_event) on_event(line);
}

void Player::poll() {
  const double now = headless_time_ms();
  observe(now);
  if (now >= busy_until_) act(now);
}

RoundModel Player::model() const {
  RoundModel m;
  for (int c = 1; c <= 8; ++c)
    for (int r = 1; r <= 8; ++r) m.cell[c][r] = to_int(board(c, r));
  m.col = to_int(cursor_col);
  m.row = to_int(cursor_row);
  for (int p = 1; p <= 2; ++p) {
    m.dir[p] = to_int(player_dir(p));
    m.kind[p] = to_int(player_kind(p));
    m.total[p] = to_int(totals(p));
  }
  m.turn = to_int(turn);
  m.difficulty = to_int(round_difficulty);
  return m;
}

// Watches the screens and, during a round, every take: a take shows first as a change of the totals
// while the cursor stands on the cell being counted; the cell is emptied when the counting is over.
void Player::observe(double now) {
  const int screen = static_cast<int>(game_screen);
  if (screen != screen_) {
    if (screen_ == static_cast<int>(GameScreen::round_end)) finish_round();
    screen_ = screen;
    screen_since_ = now;
    clicks_on_screen_ = 0;
    const std::string name = game_screen_name(game_screen);
    if (record_.screens.empty() && plan_.seed != 0) rnd_seed(plan_.seed);
    record_.screens.push_back(name);
    emit("screen " + name);
    if (game_screen == GameScreen::round) {
      in_round_ = true;
      RoundRecord r;
      r.block = to_int(current_block);
      r.difficulty = to_int(round_difficulty);
      r.plan = plan_.round_plan(static_cast<int>(record_.rounds.size()) + 1);
      for (int p = 1; p <= 2; ++p) {
        r.kind[p] = to_int(player_kind(p));
        r.dir[p] = to_int(player_dir(p));
      }
      record_.rounds.push_back(r);
      watched_ = model();
      counting_ = false;
      turn_key_ = -1;
    }
  }
  if (!in_round_) return;
  RoundRecord& r = record_.rounds.back();
  if (game_screen == GameScreen::round_end) {
    // The result as the end screen decides it; the totals stay until the next round starts.
    for (int p = 1; p <= 2; ++p) r.totals[p] = to_int(totals(p));
    r.result = to_int(round_result);
    return;
  }
  if (game_screen != GameScreen::round) return;

  if (counting_ && board(take_col_, take_row_) == 0) counting_ = false;
  const bool totals_moved = to_int(totals(1)) != watched_.total[1] || to_int(totals(2)) != watched_.total[2];
  if (counting_ || !totals_moved) return;

  // A take has begun: the player to move takes the cursor cell.
  counting_ = true;
  take_col_ = to_int(cursor_col);
  take_row_ = to_int(cursor_row);
  const int player = to_int(turn);
  const int value = to_int(board(take_col_, take_row_));
  r.takes.push_back({player, value});
  const bool vertical = watched_.dir[watched_.turn] == 1;
  const int position = vertical ? take_row_ : take_col_;
  const bool on_line = vertical ? take_col_ == watched_.col : take_row_ == watched_.row;
  if (player != watched_.turn || !on_line || watched_.at(position) != value || value == 0) ++r.illegal_takes;
  if (watched_.kind[watched_.turn] == 2) {
    ++r.computer_moves;
    if (computer_pick(watched_) != position) ++r.computer_mispredicted;
  }
  watched_.take(position);
}

void Player::finish_round() {
  if (!in_round_) return;
  in_round_ = false;
  RoundRecord& r = record_.rounds.back();
  r.ended_on_empty_line = !watched_.has_move();
  r.model_totals_match = watched_.total[1] == r.totals[1] && watched_.total[2] == r.totals[2];
  char line[256];
  std::snprintf(line, sizeof line,
                "round %zu block %d difficulty %d human %d dir %d totals %d %d result %d takes %zu "
                "computer %d mispredicted %d illegal %d sums %d result_ok %d empty_line %d",
                record_.rounds.size(), r.block, r.difficulty, r.kind[1] == 1 ? 1 : 2,
                r.dir[r.kind[1] == 1 ? 1 : 2], r.totals[1], r.totals[2], r.result, r.takes.size(),
                r.computer_moves, r.computer_mispredicted, r.illegal_takes, r.sums_match() ? 1 : 0,
                r.result_matches() ? 1 : 0, r.ended_on_empty_line ? 1 : 0);
  emit(line);
}

void Player::click(double now, int x, int y, int button) {
  headless_at_ms(0, HeadlessEvent{HeadlessEvent::Mouse, x, y});
  headless_at_ms(0, HeadlessEvent{HeadlessEvent::ButtonDown, button});
  headless_at_ms(now + kPressMs, HeadlessEvent{HeadlessEvent::ButtonUp, button});
  busy_until_ = now + kPressMs + std::max(kClickGapMs, plan_.settle_ms);
  ++clicks_on_screen_;
  ++record_.clicks;
}

void Player::tap(double now, int key, double gap_ms) {
  headless_at_ms(0, HeadlessEvent{HeadlessEvent::KeyDown, key});
  headless_at_ms(now + kKeyHoldMs, HeadlessEvent{HeadlessEvent::KeyUp, key});
  busy_until_ = now + gap_ms;
}

void Player::pad_tap(double now, int button, double gap_ms) {
  headless_at_ms(0, HeadlessEvent{HeadlessEvent::PadDown, button});
  headless_at_ms(now + kKeyHoldMs, HeadlessEvent{HeadlessEvent::PadUp, button});
  busy_until_ = now + gap_ms;
}

void Player::stick_tap(double now, int axis, int sign) {
  headless_at_ms(0, HeadlessEvent{HeadlessEvent::PadMove, axis, sign * 32000});
  headless_at_ms(now + kKeyHoldMs, HeadlessEvent{HeadlessEvent::PadMove, axis, 0});
  busy_until_ = now + kKeyGapMs;
}

// A character typed on the real keyboard: its key goes down and up, and the window gets the character
// in between, as a desktop delivers them. '<' is Backspace.
void Player::type(double now, char c) {
  const int code = c == '<' ? 14 : scan_code(c);
  headless_at_ms(0, HeadlessEvent{HeadlessEvent::KeyDown, code});
  headless_at_ms(0, HeadlessEvent{HeadlessEvent::Char, c == '<' ? 8 : static_cast<unsigned char>(c)});
  headless_at_ms(now + kKeyHoldMs, HeadlessEvent{HeadlessEvent::KeyUp, code});
  busy_until_ = now + kFocusGapMs;
}

bool Player::take(double now, const Button* buttons, int count, int target, bool use_space, bool use_start) {
  const Button& goal = buttons[target];
  if (plan_.input == Input::mouse) {
    click(now, goal.centre_x(), goal.centre_y());
    return true;
  }
  const int at = screen_focus.button;
  const bool keys = plan_.input == Input::keys;
  if (at != target && at >= 0 && at < count) {
    const bool forward = before(buttons[at], goal);
    if (keys && forward) {
      tap(now, kKeyTab, kFocusGapMs);
    } else if (keys) {  // Shift+Tab
      headless_at_ms(0, HeadlessEvent{HeadlessEvent::KeyDown, kKeyLeftShift});
      tap(now, kKeyTab, kFocusGapMs);
      headless_at_ms(now + kKeyHoldMs + 10, HeadlessEvent{HeadlessEvent::KeyUp, kKeyLeftShift});
    } else {
      pad_tap(now, forward ? PadDpRight : PadDpLeft, kFocusGapMs);
    }
    return false;
  }
  if (keys) tap(now, use_space ? kKeySpace : kKeyEnter, kClickGapMs);
  else pad_tap(now, use_start ? PadStart : PadA, kClickGapMs);
  busy_until_ = std::max(busy_until_, now + plan_.settle_ms);
  ++clicks_on_screen_;
  return true;
}

void Player::act(double now) {
  if (now - screen_since_ < plan_.settle_ms) return;
  if (!plan_.close_on.empty() && plan_.close_on == game_screen_name(game_screen)) {
    emit("closing on " + plan_.close_on);
    headless_at_ms(0, HeadlessEvent{HeadlessEvent::Close});
    busy_until_ = now + 1000;
    return;
  }
  switch (game_screen) {
    case GameScreen::welcome: welcome(now); break;
    case GameScreen::name_keyboard: name_keyboard(now); break;
    case GameScreen::instructions: take(now, kInstructionsContinue, true); break;
    case GameScreen::stats: take(now, kStatsButton, false, true); break;
    case GameScreen::main_menu: {
      const bool quit = plan_.quit_before_round == static_cast<int>(record_.rounds.size()) + 1;
      take(now, kMenuButtons, 2, static_cast<int>(quit ? MenuButton::quit : MenuButton::continue_game));
      break;
    }
    case GameScreen::round_setup: {
      const RoundPlan p = plan_.round_plan(static_cast<int>(record_.rounds.size()) + 1);
      const bool left = clicks_on_screen_ == 0 ? p.human_first : p.horizontal;
      if (clicks_on_screen_ < 2)
        take(now, kSetupButtons, 2, static_cast<int>(left ? SetupButton::left : SetupButton::right));
      break;
    }
    case GameScreen::round: play_turn(now); break;
    case GameScreen::round_end:
      if (move_confirmed >= 1) take(now, kRoundEndContinue, false, true);
      break;
    case GameScreen::win: take(now, kWinContinue); break;
    case GameScreen::lose: take(now, kLoseContinue, true); break;
    default: break;  // the main screen's block animations and the goodbye screen take no input
  }
}

void Player::welcome(double now) {
  // The steps the plan asks for, in order; each one a welcome button taken.
  std::vector<WelcomeButton> steps;
  if (!plan_.typed_name.empty()) steps.push_back(WelcomeButton::change_name);
  if (plan_.visit_high_ratings) steps.push_back(WelcomeButton::high_ratings);
  if (plan_.visit_instructions) steps.push_back(WelcomeButton::instructions);
  steps.push_back(plan_.quit_from_welcome ? WelcomeButton::quit : WelcomeButton::play);
  const size_t step = static_cast<size_t>(welcome_step_);
  if (step >= steps.size()) return;
  if (take(now, kWelcomeButtons, 5, static_cast<int>(steps[step]))) ++welcome_step_;
}

// The name by the plan's input: clicks on the keys, typing on the real keyboard and Enter (done has
// the focus), or the pad's D-pad to each key and A.
void Player::name_keyboard(double now) {
  const std::string& name = plan_.typed_name == "<done>" ? std::string() : plan_.typed_name;
  while (typed_count_ < name.size() && name_key_for(name[typed_count_]) == 0) ++typed_count_;
  const bool done = typed_count_ >= name.size();
  const int key = done ? kNameKeyDone : name_key_for(name[typed_count_]);
  if (plan_.input == Input::mouse) {
    click(now, name_key_at(key).centre_x(), name_key_at(key).centre_y());
    ++typed_count_;
    return;
  }
  if (plan_.input == Input::keys) {
    if (done) tap(now, kKeyEnter, kClickGapMs);
    else type(now, name[typed_count_++]);
    return;
  }
  const int at = screen_focus.button;
  if (at == key) {
    pad_tap(now, PadA, kFocusGapMs);
    ++typed_count_;
    return;
  }
  // Rows first, then along the row.
  const Button from = name_key_at(at), to = name_key_at(key);
  const int button = to.y < from.y   ? PadDpUp
                     : to.y > from.y ? PadDpDown
                     : to.x < from.x ? PadDpLeft
                                     : PadDpRight;
  pad_tap(now, button, kFocusGapMs);
}

// The human's turn: a target chosen by looking ahead, reached by arrow keys or a left click, confirmed
// by Enter or a right click on the cell.
void Player::play_turn(double now) {
  if (counting_ || player_kind(to_int(turn)) != 1) return;
  const RoundModel m = model();
  if (!m.has_move()) return;
  int cells = 0;
  for (int c = 1; c <= 8; ++c)
    for (int r = 1; r <= 8; ++r) cells += m.cell[c][r] != 0;
  if (cells != turn_key_) {
    turn_key_ = cells;
    const RoundPlan& p = record_.rounds.back().plan;
    target_ = human_pick(m, p.aim_win, plan_.search_depth);
    confirm_after_ = 0;
  }
  if (target_ == 0) return;
  const bool vertical = m.dir[m.turn] == 1;
  const int coordinate = vertical ? m.row : m.col;
  const int col = vertical ? m.col : target_, row = vertical ? target_ : m.row;
  const RoundPlan& plan = record_.rounds.back().plan;
  if (plan.input == Input::keys) {
    if (coordinate != target_) {
      tap(now, target_ < coordinate ? (vertical ? kKeyUp : kKeyLeft) : (vertical ? kKeyDown : kKeyRight),
          kKeyGapMs);
    } else if (now >= confirm_after_) {
      tap(now, kKeyEnter, kKeyGapMs);
      confirm_after_ = now + 1000;  // once, unless the game did not take it
    }
    return;
  }
  if (plan.input == Input::pad) {
    const int sign = target_ < coordinate ? -1 : 1;
    if (coordinate != target_ && plan.stick) {
      stick_tap(now, vertical ? PadLeftY : PadLeftX, sign);
    } else if (coordinate != target_) {
      pad_tap(now, vertical ? (sign < 0 ? PadDpUp : PadDpDown) : (sign < 0 ? PadDpLeft : PadDpRight),
              kKeyGapMs);
    } else if (now >= confirm_after_) {
      pad_tap(now, PadA, kKeyGapMs);
      confirm_after_ = now + 1000;
    }
    return;
  }
  const int x = to_int(cell_x(col, row)) + 30, y = to_int(cell_y(col, row)) + 30;
  if (coordinate != target_) {
    click(now, x, y, 0);
    busy_until_ += 250 * std::abs(target_ - coordinate);  // the walk shows one cell per 250 ms
  } else if (now >= confirm_after_) {
    click(now, x, y, 1);
    confirm_after_ = now + 1000;
  }
}

}  // namespace autoplay
