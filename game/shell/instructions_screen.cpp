#include "game/shell/instructions_screen.h"

#include "engine/app/app.h"
#include "engine/core/input.h"
#include "engine/core/random.h"
#include "engine/core/str.h"
#include "engine/media/draw.h"
#include "engine/media/font.h"
#include "engine/media/sprites.h"
#include "game/shell/button_focus.h"
#include "game/shell/centred_text.h"
#include "game/state/game_state.h"
#include "game/shell/media_slots.h"
#include "game/shell/star_field.h"

namespace {

struct Line {
  double y;
  const char* text;
};

// The rules, one line every 30 pixels under the centred heading.
constexpr Line kLines[] = {
    {70, "The object of the game is to remove all 8 blocks from the Brakka main screen."},
    {100, "Blocks are removed by winning a puzzle round."},
    {130, "The puzzle round is played on an 8x8 grid filled with random numbers."},
    {160, "Decide if you want to play first or second."},
    {190, "Decide if you want to move vertically or horizontally."},
    {220, "Move the cursor by clicking with the left mouse button. (Or use the arrow keys)"},
    {250, "Confirm selection with the right mouse button. (Or use the enter key)"},
    {280, "Green values will be added to your total and Red subtracted."},
    {310, "The computer moves and selects a number automatically."},
    {340, "The round continues until there are no more possible moves."},
    {370, "If your round total is higher, one block is removed from the Brakka main screen."},
    {400, "If your round total is lower, one block is replaced."},
    {430, "Game is won when all 8 blocks have been removed."},
    {460, "Game is lost when you lose a round and all 8 blocks are in place."},
    {490, "High ratings are only saved if you exit the game using the 'QUIT' button."},
};

}  // namespace

void instructions_screen() {
  game_screen = GameScreen::instructions;
  draw_clear_screen(0);

  StarField stars(779, 20);
  ButtonFocus focus({&kInstructionsContinue, 1}, 0);

  for (;;) {
    // Stars drift right and come back in near the left edge; each twinkles between 1 and 2 pixels.
    for (int s = 0; s < StarField::kStars; ++s) {
      stars.x(s) += stars.speed(s);
      if (stars.x(s) > 800) stars.x(s) -= 780;
      const int h = rnd_int(1) + 1;
      const int w = rnd_int(1) + 1;
      draw_rect(static_cast<int>(stars.x(s)), static_cast<int>(stars.y(s)), w, h,
                static_cast<int>(stars.colour(s)));
    }

    font_set(font::hint);
    inp_mouse_state(&mouse_x, &mouse_y, &mouse_b1, &mouse_b2);
    const bool pressed = focus.update(mouse_x, mouse_y) >= 0;
    const Str heading = "INSTRUCTIONS";
    print_centred_text(heading, 30);
    for (const Line& line : kLines) font_print(line.text, 20, line.y, 1);

    spr_draw(sprite::continue_button, kInstructionsContinue.x, kInstructionsContinue.y);
    focus.draw();
    frame_show();
    if (pressed || button_clicked(kInstructionsContinue, mouse_x, mouse_y, mouse_b1)) break;
  }
}
