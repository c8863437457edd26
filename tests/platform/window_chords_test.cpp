// F11 and Alt+Enter toggle full screen and never reach the game, in events or in polled key state.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "engine/platform/window_chords.h"

namespace {

constexpr int kEnter = 28, kPadEnter = 156, kAlt = 56, kAltGr = 184, kF11 = 87, kUp = 200;

// One step of a key sequence: an event (with the expected action), or a poll of the key state with
// the keys held at that moment (with the keys the game should see); the events of every key held have
// been read before the poll.
struct Step {
  enum Kind { Event, Poll } kind = Event;
  int code = 0;
  bool down = false, alt = false, repeat = false;
  WindowChords::Action action = WindowChords::Pass;
  std::vector<int> held;  // Poll: keys down
  std::vector<int> seen;  // Poll: keys the game sees down
};

Step ev(int code, bool down, bool alt, WindowChords::Action action, bool repeat = false) {
  Step s;
  s.code = code;
  s.down = down;
  s.alt = alt;
  s.repeat = repeat;
  s.action = action;
  return s;
}

Step poll(std::vector<int> held, std::vector<int> seen) {
  Step s;
  s.kind = Step::Poll;
  s.held = std::move(held);
  s.seen = std::move(seen);
  return s;
}

struct Sequence {
  std::string name;
  std::vector<Step> steps;
};

TEST(WindowChords, KeySequences) {
  using A = WindowChords;
  const std::vector<Sequence> sequences = {
      {"Alt+Enter toggles once; Enter stays hidden until released, even after Alt goes up",
       {ev(kAlt, true, true, A::Pass), ev(kEnter, true, true, A::ToggleFullscreen),
        poll({kAlt, kEnter}, {kAlt}), ev(kEnter, true, true, A::Swallow, true),
        ev(kAlt, false, false, A::Pass), poll({kEnter}, {}), ev(kEnter, true, false, A::Swallow, true),
        ev(kEnter, false, false, A::Swallow), poll({}, {}),
        // A plain Enter afterwards is the game's again.
        ev(kEnter, true, false, A::Pass), poll({kEnter}, {kEnter}), ev(kEnter, false, false, A::Pass)}},
      {"a hidden key the state shows released is the game's again, whatever its late event",
       {ev(kPadEnter, true, true, A::ToggleFullscreen), poll({kAltGr, kPadEnter}, {kAltGr}), poll({}, {}),
        poll({kPadEnter}, {kPadEnter}), ev(kPadEnter, false, false, A::Pass)}},
      {"keypad Enter and AltGr make the chord too",
       {ev(kPadEnter, true, true, A::ToggleFullscreen), poll({kAltGr, kPadEnter}, {kAltGr}),
        ev(kPadEnter, false, true, A::Swallow)}},
      {"F11 toggles with or without Alt, never repeats, and is hidden while held",
       {ev(kF11, true, false, A::ToggleFullscreen), poll({kF11}, {}), ev(kF11, true, false, A::Swallow, true),
        ev(kF11, false, false, A::Swallow), ev(kF11, true, true, A::ToggleFullscreen),
        ev(kF11, false, true, A::Swallow), poll({}, {})}},
      {"other keys pass, with Alt held or not; Enter held first and Alt after is no chord",
       {ev(kUp, true, true, A::Pass), ev(kEnter, true, false, A::Pass), ev(kAlt, true, true, A::Pass),
        poll({kUp, kEnter, kAlt}, {kEnter, kAlt, kUp}), ev(kEnter, false, true, A::Pass),
        ev(kUp, false, true, A::Pass)}},
  };
  for (const Sequence& seq : sequences) {
    SCOPED_TRACE(seq.name);
    WindowChords chords;
    int index = 0;
    for (const Step& step : seq.steps) {
      SCOPED_TRACE(testing::Message() << "step " << index++);
      if (step.kind == Step::Event) {
        EXPECT_EQ(chords.key_event(step.code, step.down, step.alt, step.repeat), step.action);
        continue;
      }
      uint8_t keys[256] = {};
      for (int k : step.held) keys[k] = 0x80;
      chords.filter_state(keys);
      std::vector<int> seen;
      for (int k = 0; k < 256; ++k)
        if (keys[k] & 0x80) seen.push_back(k);
      EXPECT_EQ(seen, step.seen);
    }
  }
}

TEST(WindowChords, ClearForgetsHiddenKeysAndBadCodesPass) {
  WindowChords chords;
  EXPECT_EQ(chords.key_event(kEnter, true, true, false), WindowChords::ToggleFullscreen);
  EXPECT_TRUE(chords.hidden(kEnter));
  chords.clear();
  EXPECT_FALSE(chords.hidden(kEnter));
  EXPECT_EQ(chords.key_event(kEnter, false, false, false), WindowChords::Pass);
  EXPECT_EQ(chords.key_event(-1, true, true, false), WindowChords::Pass);
  EXPECT_EQ(chords.key_event(256, true, true, false), WindowChords::Pass);
  EXPECT_FALSE(chords.hidden(300));
}

}  // namespace
