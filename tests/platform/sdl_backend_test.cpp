// The "sdl" backend on whatever video driver the environment names (offscreen under CTest).
#include "engine/platform/gl_headers.h"
#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <cstring>
#include <vector>
#include "engine/platform/platform.h"

namespace {

TEST(SdlBackend, WindowContextAndClock) {
  ASSERT_TRUE(platform_select("sdl"));
  Platform& p = platform();
  ASSERT_TRUE(p.window_create(640, 480, false, false));
  int w = 0, h = 0;
  p.window_client_size(w, h);
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
  const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  ASSERT_NE(renderer, nullptr);
  EXPECT_GT(std::strlen(renderer), 0u);
  p.window_set_title("Brakka");
  p.window_show(true);
  p.window_center();
  EXPECT_TRUE(p.window_active());
  p.gl_swap();
  // A hidden window is not the active one (its keys are not read) until it is shown again.
  p.window_show(false);
  EXPECT_FALSE(p.window_active());
  p.window_show(true);
  EXPECT_TRUE(p.window_active());

  ASSERT_GT(p.counter_frequency(), 0u);
  uint64_t c0 = p.counter();
  uint32_t t0 = p.ticks_ms();
  p.sleep_ms(15);
  double slept = double(p.counter() - c0) * 1000.0 / double(p.counter_frequency());
  EXPECT_GE(slept, 14.0);
  EXPECT_GE(p.ticks_ms() - t0, 14u);

  uint8_t keys[256];
  p.keyboard_state(keys);
  int down = 0;
  for (uint8_t k : keys) down += k != 0;
  EXPECT_EQ(down, 0);
  PlatformEvent ev;
  int polled = 0;
  while (p.event_poll(ev) && polled < 1000) ++polled;
  EXPECT_LT(polled, 1000);
  p.window_destroy();
  EXPECT_FALSE(p.window_exists());
  EXPECT_FALSE(p.window_active());
}

TEST(SdlBackend, CreateAgainAfterDestroy) {
  ASSERT_TRUE(platform_select("sdl"));
  Platform& p = platform();
  ASSERT_TRUE(p.window_create(320, 200, false, false));
  p.window_destroy();
  // The OpenGL driver stays loaded without a window, for the next one.
  EXPECT_NE(SDL_GL_GetProcAddress("glClear"), nullptr) << SDL_GetError();
  ASSERT_TRUE(p.window_create(400, 300, false, true));  // multisample falls back when not offered
  int w = 0, h = 0;
  p.window_client_size(w, h);
  EXPECT_EQ(w, 400);
  EXPECT_EQ(h, 300);
  p.window_destroy();
}

// SDL's own events come out as the runtime's: typed text as Latin-1 characters (others dropped), Return as a
// key with its character, a quit request as a close.
TEST(SdlBackend, EventsAreTranslated) {
  ASSERT_TRUE(platform_select("sdl"));
  Platform& p = platform();
  ASSERT_TRUE(p.window_create(320, 200, false, false));
  PlatformEvent ev;
  while (p.event_poll(ev)) {}

  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  std::strcpy(e.text.text, "a\xC3\xA9\xE2\x82\xAC");  // "a", e acute, euro sign
  ASSERT_EQ(SDL_PushEvent(&e), 1);
  e = SDL_Event{};
  e.type = SDL_KEYDOWN;
  e.key.keysym.scancode = SDL_SCANCODE_RETURN;
  ASSERT_EQ(SDL_PushEvent(&e), 1);
  e = SDL_Event{};
  e.type = SDL_QUIT;
  ASSERT_EQ(SDL_PushEvent(&e), 1);

  std::vector<PlatformEvent> got;
  while (p.event_poll(ev) && got.size() < 100) got.push_back(ev);
  ASSERT_EQ(got.size(), 5u);
  EXPECT_EQ(got[0].type, PlatformEvent::Char);
  EXPECT_EQ(got[0].code, 'a');
  EXPECT_EQ(got[1].type, PlatformEvent::Char);
  EXPECT_EQ(got[1].code, 0xE9);
  EXPECT_EQ(got[2].type, PlatformEvent::KeyDown);
  EXPECT_EQ(got[2].code, 28);
  EXPECT_TRUE(got[2].down);
  EXPECT_EQ(got[3].type, PlatformEvent::Char);
  EXPECT_EQ(got[3].code, 13);
  EXPECT_EQ(got[4].type, PlatformEvent::Close);
  p.window_destroy();
}

// A key or button pressed and released again between two reads (a quick tap, as a touchpad sends a
// click) still reads as down once; the next read sees it up.
TEST(SdlBackend, TapsBetweenReadsAreSeenOnce) {
  ASSERT_TRUE(platform_select("sdl"));
  Platform& p = platform();
  ASSERT_TRUE(p.window_create(320, 200, false, false));
  PlatformEvent ev;
  while (p.event_poll(ev)) {}
  uint8_t keys[256];
  MouseSample m;
  p.keyboard_state(keys);
  p.mouse_read(m);
  for (Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
  }
  for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
    SDL_Event e{};
    e.type = type;
    e.button.button = SDL_BUTTON_RIGHT;
    ASSERT_EQ(SDL_PushEvent(&e), 1);
  }
  p.keyboard_state(keys);
  EXPECT_EQ(keys[1], 0x81);  // down once, as a new press
  p.keyboard_state(keys);
  EXPECT_EQ(keys[1], 0);
  p.mouse_read(m);
  EXPECT_TRUE(m.pressed[1]);
  EXPECT_FALSE(m.pressed[0]);
  p.mouse_read(m);
  EXPECT_FALSE(m.pressed[1]);
  // The events themselves still reach the window's event loop.
  int key_events = 0, button_events = 0;
  while (p.event_poll(ev)) {
    key_events += ev.type == PlatformEvent::KeyDown || ev.type == PlatformEvent::KeyUp;
    button_events += ev.type == PlatformEvent::MouseButton;
  }
  EXPECT_EQ(key_events, 2);
  EXPECT_EQ(button_events, 2);
  p.window_destroy();
}

// A pad plugged in while the window is open is opened and read (SDL's virtual controller stands in for
// one); a tap between two readings reads as down, and as a new press, once; unplugged, it is gone.
TEST(SdlBackend, PadsPluggedInAndOut) {
  ASSERT_TRUE(platform_select("sdl"));
  Platform& p = platform();
  ASSERT_TRUE(p.window_create(320, 200, false, false));
  PadState pads;
  SDL_VirtualJoystickDesc desc;
  SDL_zero(desc);
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  const int device = SDL_JoystickAttachVirtualEx(&desc);
  SDL_Joystick* stick = SDL_JoystickOpen(device);
  ASSERT_NE(stick, nullptr) << SDL_GetError();
  p.window_show(true);
  p.pad_state(pads);
  EXPECT_EQ(pads.connected, 1);
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, SDL_PRESSED);
  SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTX, -20000);
  SDL_JoystickUpdate();
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, SDL_RELEASED);
  p.pad_state(pads);
  EXPECT_TRUE(pads.buttons[PadA] && pads.pressed[PadA]);
  EXPECT_EQ(pads.axes[PadLeftX], -20000);
  p.pad_state(pads);
  EXPECT_FALSE(pads.buttons[PadA] || pads.pressed[PadA]);
  SDL_JoystickClose(stick);
  SDL_JoystickDetachVirtual(device);
  p.pad_state(pads);
  EXPECT_EQ(pads.connected, 0);
  p.window_destroy();
}

}  // namespace
