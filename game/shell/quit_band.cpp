#include "game/shell/quit_band.h"

#include "engine/app/app.h"
#include "engine/core/input.h"
#include "engine/core/str.h"
#include "engine/core/timer.h"
#include "engine/media/draw.h"
#include "engine/media/font.h"
#include "engine/platform/platform.h"
#include "game/shell/game_keys.h"
#include "game/shell/media_slots.h"

namespace {

constexpr int kPictureSprite = 96;  // the frame the band was called on
constexpr const char* kQuestion = "QUIT WITHOUT SAVING? ESC: QUIT   ANY OTHER KEY: BACK";
constexpr int kBandY = 276, kBandH = 48;

bool g_showing = false;

bool esc_down() { return inp_key_down(kKeyEsc) || inp_key_down(129); }

bool other_key_pressed() {
  for (int code = 0; code < 255; ++code)
    if (code != kKeyEsc && code != 129 && inp_key_pressed(code)) return true;
  for (int button = 0; button < PadButtons; ++button)
    if (inp_pad_pressed(button)) return true;
  return false;
}

bool anything_held() {
  for (int code = 0; code < 255; ++code)
    if (inp_key_down(code)) return true;
  for (int button = 0; button < PadButtons; ++button)
    if (inp_pad_down(button)) return true;
  double x, y, left, right;
  inp_mouse_state(&x, &y, &left, &right);
  return left != 0 || right != 0;
}

bool mouse_button_down() {
  double x, y, left, right;
  inp_mouse_state(&x, &y, &left, &right);
  return left != 0 || right != 0;
}

void draw_band() {
  draw_alpha_mode(0);
  spr_draw(kPictureSprite, 0, 0);
  draw_alpha_mode(-0.75);
  draw_rect(0, kBandY, 800, kBandH, 0x100804);
  draw_alpha_mode(0);
  draw_rect(0, kBandY, 800, 2, 0x4bb8f2);
  draw_rect(0, kBandY + kBandH - 2, 800, 2, 0x4bb8f2);
  font_set(font::hint);
  const Str text(kQuestion);
  font_print(text, 400 - font_text_width(text, 1) / 2, kBandY + 14, 1);
}

// Esc's handler, run inside the frame call with the game's frame drawn but not yet shown.
void run_band() {
  const double started = timer_now();
  const int font_before = font_current();
  const double alpha_before = draw_current_alpha_mode();
  spr_grab(kPictureSprite, 0, 0, 800, 600);
  g_showing = true;
  log_line("Quit band shown\n");
  // The Esc that called the band is let go first; then the next press decides.
  bool esc_let_go = false;
  for (;;) {
    draw_band();
    frame_show();
    const bool esc = esc_down();
    if (!esc_let_go) {
      esc_let_go = !esc;
      continue;
    }
    if (esc) {
      log_line("Quit band: quit\n");
      app_end();
    }
    if (other_key_pressed() || mouse_button_down()) break;
  }
  // Back: the key or button that answered is let go before the game reads input again.
  while (anything_held()) {
    draw_band();
    frame_show();
  }
  log_line("Quit band: back to the game\n");
  g_showing = false;
  // The frame call that ran the band shows the game's own frame again.
  draw_alpha_mode(0);
  spr_draw(kPictureSprite, 0, 0);
  draw_alpha_mode(alpha_before);
  font_set(font_before);
  timer_skip(timer_now() - started);
}

}  // namespace

void quit_band_enable(bool on) { frame_set_esc_handler(on ? run_band : nullptr); }

bool quit_band_showing() { return g_showing; }
