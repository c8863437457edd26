// The input service on the headless backend's scripted devices.
#include <gtest/gtest.h>
#include "support/app_test_helpers.h"
#include "engine/app/app.h"
#include "engine/app/app_frame.h"
#include "engine/core/input.h"
#include "engine/platform/platform.h"

namespace {

class Input : public ::testing::Test {
 protected:
  void SetUp() override {
    prepare_headless_app();
    inp_create();
    // As start-up does: the picture size the settings name.
    inp_set_screen_size(app_settings.screen_width, app_settings.screen_height);
    inp_open_devices();
  }
  void TearDown() override { remove_private_temp_dir(); }

  void now(HeadlessEvent::Kind kind, int a = 0, int b = 0) { headless_at_ms(0, script_event(kind, a, b)); }
  void mouse(double& x, double& y) {
    double b1, b2;
    inp_mouse_state(&x, &y, &b1, &b2);
  }
};

TEST_F(Input, KeyStateByScanCode) {
  now(HeadlessEvent::KeyDown, 200);
  now(HeadlessEvent::KeyDown, 28);
  inp_poll_keyboard();
  EXPECT_EQ(inp_key_down(200), 1);
  EXPECT_EQ(inp_key_down(28), 1);
  EXPECT_EQ(inp_key_down(208), 0);
  EXPECT_EQ(inp_key_down(-1), 0);
  EXPECT_EQ(inp_key_down(256), 0);
  now(HeadlessEvent::KeyUp, 200);
  inp_poll_keyboard();
  EXPECT_EQ(inp_key_down(200), 0);
  EXPECT_EQ(inp_key_down(28), 1);
}

TEST_F(Input, ReleaseSeenAfterAtMost128Queries) {
  now(HeadlessEvent::KeyDown, 28);
  inp_poll_keyboard();
  inp_reset_poll_count();
  now(HeadlessEvent::KeyUp, 28);  // due, but not read until the next poll
  int still_down = 0;
  while (inp_key_down(28) && still_down < 1000) ++still_down;
  EXPECT_EQ(still_down, 128);
}

TEST_F(Input, HeldKeyStaysDownThroughRepolls) {
  now(HeadlessEvent::KeyDown, 205);
  inp_poll_keyboard();
  inp_reset_poll_count();
  int down = 0;
  for (int i = 0; i < 1000; ++i) down += inp_key_down(205);
  EXPECT_EQ(down, 1000);
}

TEST_F(Input, KeysAndButtonsReadReleasedWhileInactive) {
  now(HeadlessEvent::KeyDown, 30);
  now(HeadlessEvent::ButtonDown, 0);
  inp_poll_keyboard();
  double x, y, b1, b2;
  inp_mouse_state(&x, &y, &b1, &b2);
  ASSERT_EQ(inp_key_down(30), 1);
  ASSERT_EQ(b1, 1.0);
  now(HeadlessEvent::FocusLost);
  PlatformEvent ev;
  while (platform().event_poll(ev)) {}
  ASSERT_FALSE(platform().window_active());
  now(HeadlessEvent::KeyDown, 31);
  inp_poll_keyboard();
  inp_mouse_state(&x, &y, &b1, &b2);
  // Held keys and buttons are released somewhere else: a wait for their release must end.
  EXPECT_EQ(inp_key_down(30), 0);
  EXPECT_EQ(inp_key_down(31), 0);
  EXPECT_EQ(b1, 0.0);
  now(HeadlessEvent::FocusGained);
  while (platform().event_poll(ev)) {}
  inp_poll_keyboard();
  inp_mouse_state(&x, &y, &b1, &b2);
  EXPECT_EQ(inp_key_down(30), 1);  // the devices' state again
  EXPECT_EQ(inp_key_down(31), 1);
  EXPECT_EQ(b1, 1.0);
}

// A tap between two readings reads as down once: a key between two keyboard polls; a button between
// two of the game's mouse readings, also when frame_show read the mouse in between.
TEST_F(Input, TapsBetweenReadingsAreSeenOnce) {
  now(HeadlessEvent::KeyDown, 28);
  now(HeadlessEvent::KeyUp, 28);
  inp_poll_keyboard();
  EXPECT_EQ(inp_key_down(28), 1);
  inp_poll_keyboard();
  EXPECT_EQ(inp_key_down(28), 0);

  double x, y, b1, b2;
  inp_mouse_state(&x, &y, &b1, &b2);
  now(HeadlessEvent::ButtonDown, 0);
  now(HeadlessEvent::ButtonUp, 0);
  inp_read_all_mice();  // frame_show's reading keeps the tap for the game
  inp_mouse_state(&x, &y, &b1, &b2);
  EXPECT_EQ(b1, 1.0);
  EXPECT_EQ(b2, 0.0);
  inp_mouse_state(&x, &y, &b1, &b2);
  EXPECT_EQ(b1, 0.0);
}

TEST_F(Input, HiddenPointerStopsAtTheEdgesWithoutHiddenTravel) {
  inp_mouse_show(0);
  ASSERT_TRUE(headless_mouse_relative());
  double x, y;
  mouse(x, y);
  now(HeadlessEvent::MouseRel, -5000, 0);
  mouse(x, y);
  EXPECT_EQ(x, 0.0);
  now(HeadlessEvent::MouseRel, 10, 0);
  mouse(x, y);
  EXPECT_EQ(x, 10.0);  // grows again at once
  now(HeadlessEvent::MouseRel, 5000, 5000);
  mouse(x, y);
  EXPECT_EQ(x, 800.0);  // the right edge itself, one past the last pixel column
  EXPECT_EQ(y, 600.0);
  now(HeadlessEvent::MouseRel, -1, -600);
  mouse(x, y);
  EXPECT_EQ(x, 799.0);
  EXPECT_EQ(y, 0.0);
}

TEST_F(Input, VisiblePointerReadsAbsoluteAndClamps) {
  inp_mouse_show(1);
  ASSERT_FALSE(headless_mouse_relative());
  double x, y;
  now(HeadlessEvent::Mouse, 123, 456);
  mouse(x, y);
  EXPECT_EQ(x, 123.0);
  EXPECT_EQ(y, 456.0);
  now(HeadlessEvent::Mouse, 900, -20);
  mouse(x, y);
  EXPECT_EQ(x, 800.0);
  EXPECT_EQ(y, 0.0);
}

TEST_F(Input, ButtonsAndWheel) {
  inp_mouse_show(0);
  now(HeadlessEvent::ButtonDown, 0);
  now(HeadlessEvent::ButtonDown, 2);
  now(HeadlessEvent::MouseRel, 7, -3);
  now(HeadlessEvent::Wheel, 3);
  int16_t out[6];
  inp_read_mouse(out, false);
  EXPECT_EQ(out[0], 1);
  EXPECT_EQ(out[1], 0);
  EXPECT_EQ(out[2], 1);
  EXPECT_EQ(out[3], 7 - 100);  // from the last position, initially (100, 100)
  EXPECT_EQ(out[4], -3 - 100);
  EXPECT_EQ(out[5], 1);  // one step per read, whatever the distance
  now(HeadlessEvent::Wheel, 1);
  inp_read_mouse(out, true);
  EXPECT_EQ(out[5], 2);  // the sum is kept until a reset
  inp_read_mouse(out, true);
  EXPECT_EQ(out[3], 0);
  EXPECT_EQ(out[5], 0);
  double x, y, b1, b2;
  now(HeadlessEvent::ButtonUp, 0);
  now(HeadlessEvent::ButtonDown, 1);
  inp_mouse_state(&x, &y, &b1, &b2);
  EXPECT_EQ(b1, 0.0);
  EXPECT_EQ(b2, 1.0);
}

TEST_F(Input, ShowingThePointerPutsItWhereTheHiddenOneWas) {
  inp_mouse_show(0);
  EXPECT_FALSE(headless_pointer_visible());
  double x, y;
  now(HeadlessEvent::MouseRel, 250, 150);
  mouse(x, y);
  inp_mouse_show(1);
  EXPECT_TRUE(headless_pointer_visible());
  EXPECT_FALSE(headless_mouse_relative());
  int px, py;
  headless_mouse_position(px, py);
  EXPECT_EQ(px, static_cast<int>(x));
  EXPECT_EQ(py, static_cast<int>(y));
  mouse(x, y);
  EXPECT_EQ(x, px);
  EXPECT_EQ(y, py);
}

TEST_F(Input, MouseModeFromTheSetting) {
  inp_apply_mouse_mode(1);
  EXPECT_FALSE(headless_pointer_visible());
  EXPECT_TRUE(headless_mouse_relative());
  inp_apply_mouse_mode(0);
  EXPECT_TRUE(headless_pointer_visible());
  EXPECT_FALSE(headless_mouse_relative());
}

TEST_F(Input, TypedCharactersAreFilteredAndLimited) {
  inp_char_typed(0);
  inp_char_typed(1);
  inp_char_typed(27);
  EXPECT_EQ(inp_chars_waiting(), 0);
  inp_char_typed('A');
  inp_char_typed(13);
  inp_char_typed(8);
  inp_char_typed(9);
  inp_char_typed(static_cast<signed char>(0xE4));
  EXPECT_EQ(inp_chars_waiting(), 5);
  EXPECT_EQ(inp_take_char(), 'A');
  EXPECT_EQ(inp_take_char(), 10);  // carriage return arrives as line feed
  EXPECT_EQ(inp_take_char(), 8);
  EXPECT_EQ(inp_take_char(), 9);
  EXPECT_EQ(inp_take_char(), 0xE4);
  EXPECT_EQ(inp_take_char(), 0);
  for (int i = 0; i < 20; ++i) inp_char_typed(static_cast<signed char>('a' + i));
  EXPECT_EQ(inp_chars_waiting(), 16);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(inp_take_char(), 'a' + i);
  EXPECT_EQ(inp_chars_waiting(), 0);
}

TEST_F(Input, CharacterEventsReachTheBufferThroughThePump) {
  now(HeadlessEvent::Char, 'h');
  now(HeadlessEvent::Char, 13);
  frame_pump_messages(nullptr);
  ASSERT_EQ(inp_chars_waiting(), 2);
  EXPECT_EQ(inp_take_char(), 'h');
  EXPECT_EQ(inp_take_char(), 10);
}

TEST_F(Input, KeyToChar) {
  EXPECT_EQ(inp_key_to_char(28), 10);
  EXPECT_EQ(inp_key_to_char(156), 10);
  EXPECT_EQ(inp_key_to_char(14), 8);
  for (int modifier : {29, 42, 54, 56, 58, 69, 221}) EXPECT_EQ(inp_key_to_char(modifier), 0) << modifier;
  EXPECT_EQ(inp_key_to_char(30), 'a');
  EXPECT_EQ(inp_key_to_char(57), ' ');
  EXPECT_EQ(inp_key_to_char(15), 0);  // Tab's 9 is a control character
  EXPECT_EQ(inp_key_to_char(1), 0);   // Esc types nothing
  EXPECT_EQ(inp_key_to_char(200), 0);
  now(HeadlessEvent::KeyDown, 42);
  inp_poll_keyboard();
  EXPECT_EQ(inp_key_to_char(30), 'A');
}

}  // namespace
