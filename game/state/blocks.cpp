#include "game/state/blocks.h"

#include "engine/core/input.h"
#include "game/state/game_state.h"

namespace {

struct BlockStart {
  const char* name;
  double x, y;
  const char* image_a;
  const char* image_b;
  double difficulty;
};

// Two rows of four plates, 160 pixels apart: at y 130 blocks 1, 7, 5, 3 and at y 322 blocks 6, 4, 2, 8
// from left to right.
constexpr BlockStart kBlocks[8] = {
    {"PICCADILLY CIRCUS", 80, 130, "1a.png", "1b.png", 1},
    {"MARBLE ARCH", 400, 322, "2a.png", "2b.png", 1},
    {"THE LONDON EYE", 560, 130, "3a.png", "3b.png", 1},
    {"THE SWISS RE BUILDING", 240, 322, "4a.png", "4b.png", 2},
    {"TRAFALGAR SQUARE", 400, 130, "5a.png", "5b.png", 1},
    {"THE PALACE OF WESTMINSTER", 80, 322, "6a.png", "6b.png", 2},
    {"TOWER BRIDGE", 240, 130, "7a.png", "7b.png", 1},
    {"St. PAUL'S CATHEDRAL", 560, 322, "8a.png", "8b.png", 2},
};

}  // namespace

void reset_blocks() {
  for (int i = 1; i <= 8; ++i) {
    const BlockStart& b = kBlocks[i - 1];
    BlockRecord& r = blocks(i);
    r.x = b.x;
    r.y = b.y;
    r.standing = 1;
    str_assign_cstr(r.name, b.name);
    str_assign_cstr(r.image_a, b.image_a);
    str_assign_cstr(r.image_b, b.image_b);
    r.difficulty = b.difficulty;
  }
  for (int k = 0; k <= 7; ++k) game_stats(k) = 0;
  inp_mouse_show(1);
  current_block = 1;
  volume = 0.9;
}
