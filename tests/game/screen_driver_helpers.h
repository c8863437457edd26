// Driving the game's screens in tests: a mouse robot that clicks as the screens come up (through the
// headless poll hook, so it also acts inside busy waits), a watchdog that fails a run that stops making
// progress, and back-buffer read-back.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "game/game_test_helpers.h"
#include "game/state/game_state.h"

namespace screen_driver {

// One click: once `screen` is running and `settle_frames` frames have been presented on it since the
// previous click, the pointer moves to (x, y) and the left button goes down; it comes up again after
// `hold_ms` of virtual time (so a long hold spans many frames, or a busy wait). A click may be a key,
// a pad button or the stick instead (see tap, pad, stick below).
struct Click {
  GameScreen screen;
  int x, y;
  double hold_ms = 60;
  int settle_frames = 3;
  int key = 0;  // a key tapped instead (with Shift held when shift)
  bool shift = false;
  int character = 0;    // typed with the key, between its going down and up
  int pad_button = -1;  // a pad button tapped instead
  int axis = -1;        // the stick pushed to `x` on this axis and let go instead
};
// A key tapped (with the character it types, if any), a pad button tapped, the stick pushed.
Click tap(GameScreen screen, int key, int character = 0, bool shift = false, int settle_frames = 3);
Click pad(GameScreen screen, int button, int settle_frames = 3);
Click stick(GameScreen screen, int axis, int value, int settle_frames = 3);

// Plays a list of clicks through the poll hook. The watchdog ends the process with status 3 and a
// message when the virtual clock passes `limit_ms` (a screen that never returns).
class MouseRobot {
 public:
  explicit MouseRobot(std::vector<Click> clicks, double limit_ms = 120000);
  ~MouseRobot();
  MouseRobot(const MouseRobot&) = delete;
  MouseRobot& operator=(const MouseRobot&) = delete;

  // Clicks fully played (pressed and released).
  size_t done() const { return next_; }
  bool finished() const { return next_ == clicks_.size(); }
  // headless_frames() when each click's button went down.
  const std::vector<uint64_t>& press_frames() const { return press_frames_; }

 private:
  void poll();

  std::vector<Click> clicks_;
  size_t next_ = 0;
  bool pressed_ = false;
  double release_at_ = 0;
  uint64_t settle_from_ = 0;
  bool settling_ = false;
  double limit_ms_;
  std::vector<uint64_t> press_frames_;
};

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
  bool black() const { return r == 0 && g == 0 && b == 0; }
};

// The back buffer's pixels of the rectangle at (x, y), w x h, row by row from the top.
std::vector<Rgb> read_screen(int x, int y, int w, int h);
Rgb read_pixel(int x, int y);

}  // namespace screen_driver
