// Overlap test of two boxes given by corner and size (sizes may be zero or negative).
#include <algorithm>

#include "engine/media/draw.h"

namespace {

// The closed interval a box covers on one axis.
void box_span(int start, int size, long long& low, long long& high) {
  long long far_edge = start;
  if (size > 0) far_edge = static_cast<long long>(start) + size - 1;
  if (size < 0) far_edge = static_cast<long long>(start) + size + 1;
  low = std::min<long long>(start, far_edge);
  high = std::max<long long>(start, far_edge);
}

bool spans_overlap(int s1, int n1, int s2, int n2) {
  long long lo1, hi1, lo2, hi2;
  box_span(s1, n1, lo1, hi1);
  box_span(s2, n2, lo2, hi2);
  return std::max(lo1, lo2) <= std::min(hi1, hi2);
}

}  // namespace

int draw_box_collide(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2) {
  return spans_overlap(x1, w1, x2, w2) && spans_overlap(y1, h1, y2, h2) ? 1 : 0;
}
