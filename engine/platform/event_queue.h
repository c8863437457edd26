// The queue of window events that a backend hands out one by one from event_poll.
#pragma once
#include <deque>
#include "engine/platform/platform.h"

inline void event_queue_push(std::deque<PlatformEvent>& queue, PlatformEvent::Type type, int code = 0,
                             bool down = false) {
  PlatformEvent ev;
  ev.type = type;
  ev.code = code;
  ev.down = down;
  queue.push_back(ev);
}
