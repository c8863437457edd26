#include "game/screen_test_helpers.h"

#include "engine/platform/gl_headers.h"


#include "support/app_test_helpers.h"

uint32_t ScreenRect::at(int px, int py) const {
  const size_t i = (static_cast<size_t>(py - y) * w + (px - x)) * 3;
  return (uint32_t(rgb[i]) << 16) | (uint32_t(rgb[i + 1]) << 8) | rgb[i + 2];
}

ScreenRect ScreenRect::cut(int cx, int cy, int cw, int ch) const {
  ScreenRect r;
  r.x = cx;
  r.y = cy;
  r.w = cw;
  r.h = ch;
  r.rgb.reserve(static_cast<size_t>(cw) * ch * 3);
  for (int row = cy; row < cy + ch; ++row) {
    const size_t from = (static_cast<size_t>(row - y) * w + (cx - x)) * 3;
    r.rgb.insert(r.rgb.end(), rgb.begin() + from, rgb.begin() + from + static_cast<size_t>(cw) * 3);
  }
  return r;
}

int ScreenRect::differing(const ScreenRect& other) const {
  int n = 0;
  for (size_t i = 0; i + 2 < rgb.size() && i + 2 < other.rgb.size(); i += 3) {
    n += rgb[i] != other.rgb[i] || rgb[i + 1] != other.rgb[i + 1] || rgb[i + 2] != other.rgb[i + 2];
  }
  return n;
}

ScreenRect read_screen(int x, int y, int w, int h) {
  constexpr int kScreenH = 600;
  ScreenRect r;
  r.x = x;
  r.y = y;
  r.w = w;
  r.h = h;
  std::vector<uint8_t> bottom_up(static_cast<size_t>(w) * h * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, kScreenH - y - h, w, h, GL_RGB, GL_UNSIGNED_BYTE, bottom_up.data());
  r.rgb.resize(bottom_up.size());
  const size_t row = static_cast<size_t>(w) * 3;
  for (int j = 0; j < h; ++j) {
    std::copy(bottom_up.begin() + (h - 1 - j) * row, bottom_up.begin() + (h - j) * row,
              r.rgb.begin() + j * row);
  }
  return r;
}

ScreenRect read_whole_screen() { return read_screen(0, 0, 800, 600); }

uint32_t rgb_of_game_colour(int colour) {
  const uint32_t r = colour & 255, g = (colour >> 8) & 255, b = (colour >> 16) & 255;
  return (r << 16) | (g << 8) | b;
}

void move_at_frame(uint64_t frame, int x, int y) {
  headless_at_frame(frame, script_event(HeadlessEvent::Mouse, x, y));
}

void click_at_frame(uint64_t frame, int x, int y, uint64_t hold_frames) {
  move_at_frame(frame, x, y);
  headless_at_frame(frame, script_event(HeadlessEvent::ButtonDown, 0));
  headless_at_frame(frame + hold_frames, script_event(HeadlessEvent::ButtonUp, 0));
}

void move_at_ms(double ms, int x, int y) { headless_at_ms(ms, script_event(HeadlessEvent::Mouse, x, y)); }

void button_at_ms(double ms, int button, bool down) {
  headless_at_ms(ms, script_event(down ? HeadlessEvent::ButtonDown : HeadlessEvent::ButtonUp, button));
}
