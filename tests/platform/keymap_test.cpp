// The table from SDL scancodes to the runtime's key numbering.
#include <SDL2/SDL_scancode.h>
#include <gtest/gtest.h>
#include <set>
#include "engine/platform/keymap_chars.h"
#include "engine/platform/keymap_sdl.h"

namespace {

TEST(KeyTable, KeysTheGameReads) {
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_ESCAPE), 1);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_RETURN), 28);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_KP_ENTER), 156);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_UP), 200);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_LEFT), 203);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_RIGHT), 205);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_DOWN), 208);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_LALT), 56);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_RALT), 184);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_F4), 62);
}

TEST(KeyTable, BlocksOfTheScanCodeSet) {
  const char* row1 = "QWERTYUIOP";
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_A + (row1[i] - 'A')), 16 + i) << row1[i];
  const char* row2 = "ASDFGHJKL";
  for (int i = 0; i < 9; ++i) EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_A + (row2[i] - 'A')), 30 + i) << row2[i];
  const char* row3 = "ZXCVBNM";
  for (int i = 0; i < 7; ++i) EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_A + (row3[i] - 'A')), 44 + i) << row3[i];
  for (int i = 0; i < 9; ++i) EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_1 + i), 2 + i);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_0), 11);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_F1 + i), 59 + i);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_F11), 87);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_F12), 88);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_KP_7), 71);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_KP_0), 82);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_KP_DIVIDE), 181);
}

TEST(KeyTable, ModifiersAndEditingKeys) {
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_LCTRL), 29);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_RCTRL), 157);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_LSHIFT), 42);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_RSHIFT), 54);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_SPACE), 57);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_BACKSPACE), 14);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_TAB), 15);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_HOME), 199);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_END), 207);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_PAGEUP), 201);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_PAGEDOWN), 209);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_INSERT), 210);
  EXPECT_EQ(keymap_from_sdl(SDL_SCANCODE_DELETE), 211);
}

TEST(KeyTable, RoundTripAndUnknownKeys) {
  std::set<int> codes;
  for (int sc = 1; sc < SDL_NUM_SCANCODES; ++sc) {
    int code = keymap_from_sdl(sc);
    if (!code) continue;
    EXPECT_GT(code, 0);
    EXPECT_LT(code, 256);
    EXPECT_EQ(keymap_from_sdl(keymap_to_sdl(code)), code) << "scancode " << sc;
    codes.insert(code);
  }
  EXPECT_GT(codes.size(), 100u);
  EXPECT_EQ(keymap_from_sdl(0), 0);
  EXPECT_EQ(keymap_from_sdl(-1), 0);
  EXPECT_EQ(keymap_from_sdl(SDL_NUM_SCANCODES), 0);
  EXPECT_EQ(keymap_to_sdl(129), SDL_SCANCODE_UNKNOWN);  // no standard key gives 129
  EXPECT_EQ(keymap_to_sdl(0), SDL_SCANCODE_UNKNOWN);
  EXPECT_EQ(keymap_to_sdl(300), SDL_SCANCODE_UNKNOWN);
}

TEST(KeyChars, UsLayout) {
  EXPECT_EQ(keymap_us_char(16, false), 'q');
  EXPECT_EQ(keymap_us_char(16, true), 'Q');
  EXPECT_EQ(keymap_us_char(11, true), ')');
  EXPECT_EQ(keymap_us_char(57, false), ' ');
  EXPECT_EQ(keymap_us_char(200, false), 0);
}

}  // namespace
