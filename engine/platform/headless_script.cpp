// The headless backend's event script: adding events from code and reading them from text.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include "engine/platform/headless.h"
#include "engine/platform/headless_state.h"
#include "engine/platform/os_files.h"
#include "engine/platform/platform.h"

namespace {

bool parse_int(const char*& p, int& out) {
  char* end = nullptr;
  long v = std::strtol(p, &end, 10);
  if (end == p) return false;
  out = static_cast<int>(v);
  p = end;
  return true;
}

bool word(const char*& p, std::string& out) {
  while (*p == ' ' || *p == '\t') ++p;
  const char* start = p;
  while (*p && *p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') ++p;
  out.assign(start, p);
  return !out.empty();
}

bool at_end(const char* p) {
  while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n') ++p;
  return *p == '\0';
}

// A pad's button or axis by its name (as in SDL's controller mappings) or its number.
int pad_index(const std::string& name, const char* const* names, int count) {
  for (int i = 0; i < count; ++i)
    if (name == names[i]) return i;
  const char* p = name.c_str();
  int n = -1;
  return parse_int(p, n) && *p == '\0' && n >= 0 && n < count ? n : -1;
}

bool parse_pad(const char* p, HeadlessEvent& ev) {
  static const char* const kButtons[PadButtons] = {"a",
                                                   "b",
                                                   "x",
                                                   "y",
                                                   "back",
                                                   "guide",
                                                   "start",
                                                   "leftstick",
                                                   "rightstick",
                                                   "leftshoulder",
                                                   "rightshoulder",
                                                   "dpup",
                                                   "dpdown",
                                                   "dpleft",
                                                   "dpright"};
  static const char* const kAxes[PadAxes] = {"leftx",  "lefty",       "rightx",
                                             "righty", "lefttrigger", "righttrigger"};
  std::string what, name;
  if (!word(p, what) || !word(p, name)) return false;
  if (what == "down" || what == "up") {
    ev.kind = what == "down" ? HeadlessEvent::PadDown : HeadlessEvent::PadUp;
    ev.a = pad_index(name, kButtons, PadButtons);
    return ev.a >= 0 && at_end(p);
  }
  if (what != "axis") return false;
  ev.kind = HeadlessEvent::PadMove;
  ev.a = pad_index(name, kAxes, PadAxes);
  return ev.a >= 0 && parse_int(p, ev.b) && ev.b >= -32768 && ev.b <= 32767 && at_end(p);
}

bool parse_event(const char* p, HeadlessEvent& ev) {
  std::string kind;
  if (!word(p, kind)) return false;
  auto one = [&](HeadlessEvent::Kind k) {
    ev.kind = k;
    return parse_int(p, ev.a) && at_end(p);
  };
  auto two = [&](HeadlessEvent::Kind k) {
    ev.kind = k;
    return parse_int(p, ev.a) && parse_int(p, ev.b) && at_end(p);
  };
  if (kind == "keydown") return one(HeadlessEvent::KeyDown) && ev.a >= 0 && ev.a < 256;
  if (kind == "keyup") return one(HeadlessEvent::KeyUp) && ev.a >= 0 && ev.a < 256;
  if (kind == "mouse") return two(HeadlessEvent::Mouse);
  if (kind == "mouserel") return two(HeadlessEvent::MouseRel);
  if (kind == "buttondown") return one(HeadlessEvent::ButtonDown) && ev.a >= 0 && ev.a < 3;
  if (kind == "buttonup") return one(HeadlessEvent::ButtonUp) && ev.a >= 0 && ev.a < 3;
  if (kind == "wheel") return one(HeadlessEvent::Wheel);
  if (kind == "pad") return parse_pad(p, ev);
  if (kind == "close") {
    ev.kind = HeadlessEvent::Close;
    return at_end(p);
  }
  if (kind == "focus") {
    std::string which;
    if (!word(p, which) || !at_end(p)) return false;
    if (which == "lost") ev.kind = HeadlessEvent::FocusLost;
    else if (which == "gained") ev.kind = HeadlessEvent::FocusGained;
    else return false;
    return true;
  }
  if (kind == "char") {
    std::string c;
    if (!word(p, c) || !at_end(p)) return false;
    ev.kind = HeadlessEvent::Char;
    if (c.size() == 1 && !(c[0] >= '0' && c[0] <= '9')) {
      ev.a = static_cast<unsigned char>(c[0]);
      return true;
    }
    const char* q = c.c_str();
    return parse_int(q, ev.a) && *q == '\0' && ev.a >= 1 && ev.a <= 255;
  }
  return false;
}

}  // namespace

void headless_at_frame(uint64_t frame, const HeadlessEvent& ev) {
  HeadlessScriptEntry e;
  e.by_frame = true;
  e.frame = frame;
  e.event = ev;
  headless_state().script.push_back(e);
}

void headless_at_ms(double ms, const HeadlessEvent& ev) {
  HeadlessScriptEntry e;
  e.by_frame = false;
  e.time_ns = static_cast<int64_t>(std::llround(ms * 1e6));
  e.event = ev;
  headless_state().script.push_back(e);
}

bool headless_script_line(const char* line) {
  if (!line) return false;
  std::string text(line);
  size_t hash = text.find('#');
  if (hash != std::string::npos) text.resize(hash);
  const char* p = text.c_str();
  if (at_end(p)) return true;

  std::string when;
  if (!word(p, when)) return false;
  HeadlessEvent ev;
  if (when == "frame") {
    int n = 0;
    if (!parse_int(p, n) || n < 0 || !parse_event(p, ev)) return false;
    headless_at_frame(static_cast<uint64_t>(n), ev);
    return true;
  }
  if (when == "ms") {
    while (*p == ' ' || *p == '\t') ++p;
    char* end = nullptr;
    double t = std::strtod(p, &end);
    if (end == p || !std::isfinite(t) || t < 0) return false;
    if (!parse_event(end, ev)) return false;
    headless_at_ms(t, ev);
    return true;
  }
  return false;
}

int headless_load_script(const char* path) {
  FILE* f = path ? os_fopen(path, "rb") : nullptr;
  if (!f) return -1;
  size_t before = headless_state().script.size();
  char line[512];
  int number = 0;
  while (std::fgets(line, sizeof line, f)) {
    ++number;
    if (!headless_script_line(line))
      std::fprintf(stderr, "%s:%d: script line not understood: %s", path, number, line);
  }
  std::fclose(f);
  return static_cast<int>(headless_state().script.size() - before);
}

void headless_clear_script() { headless_state().script.clear(); }

int headless_pending_events() { return static_cast<int>(headless_state().script.size()); }
