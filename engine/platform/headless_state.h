// State of the headless backend, shared by the backend and its script reader.
#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include "engine/platform/headless.h"
#include "engine/platform/platform.h"

struct HeadlessScriptEntry {
  bool by_frame = true;
  uint64_t frame = 0;
  int64_t time_ns = 0;
  HeadlessEvent event;
};

struct HeadlessState {
  int64_t now_ns = 0;
  int64_t slept_ns = 0;
  int64_t short_slept_ns = 0;
  uint64_t short_sleeps = 0;
  int window_w = 0, window_h = 0;  // the next window's size when it differs from the picture
  uint64_t frames = 0;
  std::vector<HeadlessScriptEntry> script;

  uint8_t keys[256] = {};
  int mouse_x = 0, mouse_y = 0;
  int mouse_dx = 0, mouse_dy = 0, wheel = 0;
  bool buttons[3] = {false, false, false};
  // Presses since the last keyboard poll and the last mouse read (a tap between two reads).
  bool key_pressed[256] = {};
  bool button_pressed[3] = {false, false, false};
  // Pads: one pad, plugged in by its first event; buttons and presses as for keys.
  PadState pad;
  bool pad_pressed[PadButtons] = {};
  bool active = true;
  bool relative = false;
  bool pointer_visible = true;
  bool shown = false;
  std::string title;

  int boxes = 0;
  std::string box_title, box_text;
  bool debugger = false;
  std::string debug_text;
};

HeadlessState& headless_state();
