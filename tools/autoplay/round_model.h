// A model of the puzzle round of its own, for the automatic player: the board, the lines, a move, the
// computer's choice on both levels, and a search for the human's best (or worst) move. It is written
// apart from the game's code on purpose, so that a game that strays from the rules shows up as a
// difference between what the model predicts and what the game does.
#pragma once
#include <array>

namespace autoplay {

struct RoundModel {
  std::array<std::array<int, 9>, 9> cell{};  // [column][row], 1..8 used; 0 empty
  int col = 1, row = 1;                      // the cursor
  int dir[3] = {0, 1, 2};                    // per player: 1 picks in the cursor's column, 2 in its row
  int kind[3] = {0, 1, 2};                   // per player: 1 human, 2 computer
  int turn = 1;
  int total[3] = {0, 0, 0};
  int difficulty = 1;  // the computer's level: 1 EASY, 2 HARD

  // Position k (1..8) on the line of the player to move, and the cursor's own position on it.
  int& at(int k) { return dir[turn] == 1 ? cell[col][k] : cell[k][row]; }
  int at(int k) const { return dir[turn] == 1 ? cell[col][k] : cell[k][row]; }
  int own() const { return dir[turn] == 1 ? row : col; }
  bool has_move() const;
  // The player to move takes position k: cursor there, value into their total, cell emptied, turn over.
  void take(int k);
  int human() const { return kind[1] == 1 ? 1 : 2; }
  int margin() const { return total[human()] - total[3 - human()]; }
};

// The computer's position on its line, 0 when it has none.
int computer_pick(const RoundModel& m);

// The human's position on its line that leads, looking `depth` human moves ahead with the computer's
// replies predicted exactly, to the best final margin (aim_win) or the worst. 0 when it has none.
int human_pick(const RoundModel& m, bool aim_win, int depth);

}  // namespace autoplay
