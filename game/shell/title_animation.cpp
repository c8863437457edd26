#include "game/shell/title_animation.h"

#include "engine/core/str.h"
#include "engine/media/draw.h"
#include "engine/media/sprites.h"
#include "game/shell/media_slots.h"

namespace {

constexpr int kFirstFrame = sprite::block_picture_0 + 1;
constexpr int kLastFrame = sprite::block_picture_0 + 20;

// Past the last frame the counter goes back by the twenty frames, keeping its quarter: every frame then
// shows for four steps (the last one too), and two counters that started a whole number of frames apart
// stay so, changing on the same steps.
void step_counter(double& c) {
  c += 0.25;
  if (c >= kLastFrame + 1) c -= kLastFrame + 1 - kFirstFrame;
}

void draw_copy(double counter, double zoom) {
  const int frame = static_cast<int>(counter);
  if (frame >= kFirstFrame) spr_draw_zoomed(frame, 220, 120, zoom, zoom);
}

}  // namespace

void load_title_animation() {
  for (int k = 1; k <= 20; ++k) {
    Str number, name, file;
    str_format_num(number, 0, 0, k);
    str_concat_cs(name, "anim", number);
    str_concat_sc(file, name, ".png");
    spr_load(file, sprite::block_picture_0 + k);
  }
}

void TitleAnimation::step() {
  step_counter(a);
  step_counter(b);
}

void TitleAnimation::draw() const {
  draw_alpha_mode(0.5);
  draw_copy(a, 2.2);
  draw_copy(b, -2.2);
  draw_alpha_mode(0);
}
