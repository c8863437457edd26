#include "game/screen_test_helpers.h"

#include <GL/gl.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "engine/core/files.h"
#include "game/shell/blocks.h"
#include "game/shell/game_state.h"
#include "game/shell/media_slots.h"
#include "support/app_test_helpers.h"

namespace {

bool run_tool(const std::string& tool, const std::string& dir) {
  const std::string command = "'" + std::string(BRAKKA_BIN_DIR) + "/" + tool + "' '" + dir + "' >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The build's media folder, or (in builds that do not generate it) a copy the media tools make once
// into bin/test-media. Concurrent tests each draw into a folder of their own and the first rename
// wins. Empty when neither can be had.
std::string media_folder() {
  namespace fs = std::filesystem;
  std::error_code ec;
  const std::string built = BRAKKA_BIN_DIR "/Media";
  if (fs::exists(built + "/map.png", ec) && fs::exists(built + "/amb.wav", ec)) return built;
  const std::string cached = BRAKKA_BIN_DIR "/test-media";
  if (fs::exists(cached, ec)) return cached;
  std::string pattern = BRAKKA_BIN_DIR "/test-media-XXXXXX";
  if (!mkdtemp(pattern.data())) return "";
  if (!run_tool("brakka_art", pattern) || !run_tool("brakka_sound", pattern)) {
    std::fprintf(stderr, "the media tools could not draw the media into %s\n", pattern.c_str());
    fs::remove_all(pattern, ec);
    return "";
  }
  fs::rename(pattern, cached, ec);
  if (ec) fs::remove_all(pattern, ec);  // another test got there first
  return fs::exists(cached, ec) ? cached : "";
}

}  // namespace

bool start_game_with_media() {
  if (!start_headless_app()) return false;
  const std::string media = media_folder();
  if (media.empty() || file_set_cwd(media.c_str()) == 0) return false;
  dim_game_arrays();
  load_media();
  reset_blocks();
  return true;
}

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
  glReadBuffer(GL_BACK);
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
