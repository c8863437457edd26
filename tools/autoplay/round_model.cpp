#include "round_model.h"

#include <algorithm>
#include <climits>

namespace autoplay {

bool RoundModel::has_move() const {
  for (int k = 1; k <= 8; ++k)
    if (at(k) != 0) return true;
  return false;
}

void RoundModel::take(int k) {
  if (dir[turn] == 1) row = k;
  else col = k;
  total[turn] += cell[col][row];
  cell[col][row] = 0;
  turn = 3 - turn;
}

namespace {

// What the human's best reply gains over the computer's take v: w - v one step further from zero.
int reply_gain(int w, int v) { return w > v ? w - v + 1 : w < v ? w - v - 1 : 0; }

int pick_easy(const RoundModel& m) {
  int best = -99, pick = 0;
  for (int k = 1; k <= 8; ++k)
    if (k != m.own() && m.at(k) != 0 && m.at(k) > best) best = m.at(k), pick = k;
  return pick;
}

int pick_hard(const RoundModel& m) {
  int score[9];
  for (int k = 1; k <= 8; ++k) {
    const int v = m.at(k);
    if (v == 0 || k == m.own()) {
      score[k] = 99;
      continue;
    }
    // After taking (col, k) [vertical] or (k, row) [horizontal] the human picks along the crossing line.
    int worst = -99;
    for (int j = 1; j <= 8; ++j) {
      const bool vertical = m.dir[m.turn] == 1;
      if (j == (vertical ? m.col : m.row)) continue;
      const int w = vertical ? m.cell[j][k] : m.cell[k][j];
      if (w != 0) worst = std::max(worst, reply_gain(w, v));
    }
    score[k] = worst;
  }
  int best = 99, pick = 0;
  for (int k = 1; k <= 8; ++k) best = std::min(best, score[k]);
  for (int k = 1; k <= 8; ++k)
    if (score[k] == best && best != 99) pick = k;
  return pick;
}

// Plays the computer's moves until the human is to move or the round is over.
void computer_replies(RoundModel& m) {
  while (m.kind[m.turn] == 2 && m.has_move()) m.take(computer_pick(m));
}

// The final margin reachable from here (human to move or the round over), searching depth human moves;
// the position that leads there goes to *pick when asked.
int search(const RoundModel& m, bool aim_win, int depth, int* pick = nullptr) {
  if (!m.has_move()) return m.margin() * 4 + (m.margin() > 0 ? 1000 : m.margin() < 0 ? -1000 : 0);
  if (depth == 0) return m.margin() * 4;
  int best = aim_win ? INT_MIN : INT_MAX;
  for (int k = 1; k <= 8; ++k) {
    if (k == m.own() || m.at(k) == 0) continue;
    RoundModel next = m;
    next.take(k);
    computer_replies(next);
    const int v = search(next, aim_win, depth - 1);
    if (aim_win ? v > best : v < best) {
      best = v;
      if (pick) *pick = k;
    }
  }
  return best;
}

}  // namespace

int computer_pick(const RoundModel& m) { return m.difficulty == 1 ? pick_easy(m) : pick_hard(m); }

int human_pick(const RoundModel& m, bool aim_win, int depth) {
  int pick = 0;
  if (m.has_move()) search(m, aim_win, depth, &pick);
  return pick;
}

}  // namespace autoplay
