#include "game/shell/main_menu.h"

#include "engine/app/app.h"
#include "engine/core/input.h"
#include "engine/media/draw.h"
#include "engine/media/sound.h"
#include "engine/media/sprites.h"
#include "game/shell/button_focus.h"
#include "game/state/game_state.h"
#include "game/shell/main_screen.h"
#include "game/shell/media_slots.h"
#include "game/shell/waits.h"

void main_menu() {
  const Button& continue_button = kMenuButtons[static_cast<int>(MenuButton::continue_game)];
  const Button& quit_button = kMenuButtons[static_cast<int>(MenuButton::quit)];
  ButtonFocus focus(kMenuButtons, static_cast<int>(MenuButton::continue_game));
  menu_choice = 0;
  while (menu_choice <= 0) {
    draw_main_screen(1);
    game_screen = GameScreen::main_menu;
    inp_mouse_state(&mouse_x, &mouse_y, &mouse_b1, &mouse_b2);
    const int pressed = focus.update(mouse_x, mouse_y);
    // Half-transparent shadows 4 pixels right of and below the buttons.
    draw_alpha_mode(-0.5);
    draw_rect(continue_button.x + 4, continue_button.y + 4, continue_button.w, continue_button.h, 0);
    draw_rect(quit_button.x + 4, quit_button.y + 4, quit_button.w, quit_button.h, 0);
    draw_alpha_mode(0);
    spr_draw(sprite::continue_button, continue_button.x, continue_button.y);
    spr_draw(sprite::quit_button, quit_button.x, quit_button.y);
    focus.draw();
    frame_show();
    if (button_clicked(quit_button, mouse_x, mouse_y, mouse_b1)) menu_choice = 2;
    if (button_clicked(continue_button, mouse_x, mouse_y, mouse_b1)) menu_choice = 1;
    if (menu_choice == 0 && pressed >= 0) menu_choice = pressed == static_cast<int>(MenuButton::quit) ? 2 : 1;
  }
  snd_play(sound::click, 0, volume);
  if (mouse_b1 != 0) wait_mouse_release(false);
}
