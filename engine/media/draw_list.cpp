#include "engine/media/draw_list.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kMaxBoxes = 8;

bool same_command(const DrawList& la, const DrawCommand& a, const DrawList& lb, const DrawCommand& b) {
  return a.op == b.op && a.slot == b.slot && a.version == b.version &&
         std::memcmp(a.i, b.i, sizeof a.i) == 0 && std::memcmp(a.d, b.d, sizeof a.d) == 0 &&
         la.text_of(a) == lb.text_of(b);
}

// Adds a box, merged with every box it overlaps (repeatedly, so the boxes stay apart).
void add_box(std::vector<DrawBox>& boxes, DrawBox box) {
  if (box.empty()) return;
  for (bool merged = true; merged;) {
    merged = false;
    for (size_t k = 0; k < boxes.size(); ++k) {
      if (!boxes[k].meets(box)) continue;
      box = box.joined(boxes[k]);
      boxes.erase(boxes.begin() + static_cast<std::ptrdiff_t>(k));
      merged = true;
      break;
    }
  }
  boxes.push_back(box);
}

}  // namespace

DrawBox DrawBox::joined(const DrawBox& o) const {
  if (empty()) return o;
  if (o.empty()) return *this;
  return {std::min(x0, o.x0), std::min(y0, o.y0), std::max(x1, o.x1), std::max(y1, o.y1)};
}

DrawBox DrawBox::clipped(int w, int h) const {
  return {std::max(x0, 0), std::max(y0, 0), std::min(x1, w), std::min(y1, h)};
}

DrawCommand DrawCommand::make(DrawOp op, int slot, std::initializer_list<int> ints,
                              std::initializer_list<double> reals) {
  DrawCommand c;
  c.op = op;
  c.slot = slot;
  std::copy_n(ints.begin(), std::min<size_t>(ints.size(), 5), c.i);
  std::copy_n(reals.begin(), std::min<size_t>(reals.size(), 2), c.d);
  return c;
}

bool draw_lists_equal(const DrawList& a, const DrawList& b) {
  if (a.self_contained != b.self_contained || a.commands.size() != b.commands.size()) return false;
  for (size_t k = 0; k < a.commands.size(); ++k)
    if (!same_command(a, a.commands[k], b, b.commands[k])) return false;
  return true;
}

bool draw_list_damage(const DrawList& before, const DrawList& after, int w, int h,
                      std::vector<DrawBox>& boxes) {
  boxes.clear();
  if (!before.self_contained || !after.self_contained) return false;
  const auto& a = before.commands;
  const auto& b = after.commands;
  // A command that differs adds the pixels it drew and the pixels it draws now. Where both lists have
  // the same length, commands are compared place by place; otherwise the differing run between the
  // common start and the common end is taken. A differing state change leaves nothing comparable.
  const auto differ = [&](const DrawCommand& c) {
    if (c.changes_state_only()) return false;
    add_box(boxes, c.box.clipped(w, h));
    return true;
  };
  if (a.size() == b.size()) {
    for (size_t k = 0; k < a.size(); ++k) {
      if (same_command(before, a[k], after, b[k])) continue;
      if (!differ(a[k]) || !differ(b[k])) return false;
    }
  } else {
    size_t head = 0;
    while (head < a.size() && head < b.size() && same_command(before, a[head], after, b[head])) ++head;
    size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head &&
           same_command(before, a[a.size() - 1 - tail], after, b[b.size() - 1 - tail]))
      ++tail;
    for (size_t k = head; k < a.size() - tail; ++k)
      if (!differ(a[k])) return false;
    for (size_t k = head; k < b.size() - tail; ++k)
      if (!differ(b[k])) return false;
  }
  if (boxes.size() > kMaxBoxes) {
    DrawBox all;
    for (const DrawBox& box : boxes) all = all.joined(box);
    boxes.assign(1, all);
  }
  int64_t area = 0;
  for (const DrawBox& box : boxes) area += box.area();
  return area * 2 <= static_cast<int64_t>(w) * h;
}
