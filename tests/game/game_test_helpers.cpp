#include "game/game_test_helpers.h"


#include "engine/core/files.h"
#include "game/screen_test_helpers.h"
#include "game/state/blocks.h"
#include "game/state/game_state.h"
#include "game/shell/media_slots.h"
#include "support/app_test_helpers.h"

std::string media_dir() { return BRAKKA_TEST_MEDIA_DIR; }

bool start_game_app() {
  if (!start_headless_app()) return false;
  if (file_set_cwd(media_dir().c_str()) == 0) return false;
  dim_game_arrays();
  load_media();
  reset_blocks();
  return true;
}

void set_players(bool human_first, bool human_horizontal) {
  const int human = human_first ? 1 : 2;
  player_kind(human) = 1;
  player_kind(3 - human) = 2;
  player_dir(human) = human_horizontal ? 2 : 1;
  player_dir(3 - human) = human_horizontal ? 1 : 2;
  str_assign_cstr(total_labels(human), " Previous          Your total");
  str_assign_cstr(total_labels(3 - human), " Previous            My total");
}

Pixel screen_at(int x, int y) { return screen_rect(x, y, x + 1, y + 1)[0]; }

std::vector<Pixel> screen_rect(int x0, int y0, int x1, int y1) {
  const ScreenRect rect = read_screen(x0, y0, x1 - x0, y1 - y0);
  std::vector<Pixel> out(rect.rgb.size() / 3);
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = {rect.rgb[i * 3], rect.rgb[i * 3 + 1], rect.rgb[i * 3 + 2]};
  return out;
}

int count_pixels(int x0, int y0, int x1, int y1, bool (*test)(const Pixel&)) {
  int n = 0;
  for (const Pixel& p : screen_rect(x0, y0, x1, y1)) n += test(p) ? 1 : 0;
  return n;
}

bool reddish(const Pixel& p) { return p.r > p.g + 60 && p.r > p.b + 40; }
bool greenish(const Pixel& p) { return p.g > p.r + 60 && p.g > p.b + 40; }
bool whitish(const Pixel& p) { return p.r > 215 && p.g > 215 && p.b > 215; }
