#include "engine/platform/view_fit.h"
#include <algorithm>
#include <cstdint>

namespace {

// Division rounding toward minus infinity (positions left of the picture are negative).
int64_t floor_div(int64_t num, int64_t den) {
  int64_t q = num / den;
  if ((num % den != 0) && ((num < 0) != (den < 0))) --q;
  return q;
}

}  // namespace

bool ViewFit::whole_scale() const {
  if (empty() || picture_w <= 0 || picture_h <= 0) return false;
  return w % picture_w == 0 && h % picture_h == 0 && w / picture_w == h / picture_h;
}

ViewFit view_fit(int picture_w, int picture_h, int window_w, int window_h) {
  ViewFit fit;
  fit.picture_w = picture_w;
  fit.picture_h = picture_h;
  fit.window_w = window_w;
  fit.window_h = window_h;
  if (picture_w <= 0 || picture_h <= 0 || window_w <= 0 || window_h <= 0) return fit;
  const int64_t pw = picture_w, ph = picture_h, ww = window_w, wh = window_h;
  if (ww * ph <= wh * pw) {
    // The width decides; bars above and below.
    fit.w = window_w;
    fit.h = static_cast<int>(std::min<int64_t>(wh, (2 * ww * ph + pw) / (2 * pw)));
  } else {
    fit.h = window_h;
    fit.w = static_cast<int>(std::min<int64_t>(ww, (2 * wh * pw + ph) / (2 * ph)));
  }
  fit.w = std::max(fit.w, 1);
  fit.h = std::max(fit.h, 1);
  fit.x = (window_w - fit.w) / 2;
  fit.y = (window_h - fit.h) / 2;
  return fit;
}

void view_to_picture(const ViewFit& fit, int wx, int wy, int& px, int& py) {
  if (fit.empty() || fit.picture_w <= 0 || fit.picture_h <= 0) {
    px = py = 0;
    return;
  }
  // The centre of window pixel wx is wx + 0.5; doubled to stay in whole numbers.
  const int64_t x = floor_div((2 * int64_t(wx - fit.x) + 1) * fit.picture_w, 2 * int64_t(fit.w));
  const int64_t y = floor_div((2 * int64_t(wy - fit.y) + 1) * fit.picture_h, 2 * int64_t(fit.h));
  px = static_cast<int>(std::clamp<int64_t>(x, 0, fit.picture_w - 1));
  py = static_cast<int>(std::clamp<int64_t>(y, 0, fit.picture_h - 1));
}

void picture_to_view(const ViewFit& fit, int px, int py, int& wx, int& wy) {
  if (fit.empty() || fit.picture_w <= 0 || fit.picture_h <= 0) {
    wx = px;
    wy = py;
    return;
  }
  wx = fit.x + static_cast<int>(floor_div((2 * int64_t(px) + 1) * fit.w, 2 * int64_t(fit.picture_w)));
  wy = fit.y + static_cast<int>(floor_div((2 * int64_t(py) + 1) * fit.h, 2 * int64_t(fit.picture_h)));
}

void view_motion_to_picture(const ViewFit& fit, int dx, int dy, int64_t& rest_x, int64_t& rest_y, int& px,
                            int& py) {
  if (fit.empty() || fit.picture_w <= 0 || fit.picture_h <= 0) {
    px = dx;
    py = dy;
    return;
  }
  // Whole numbers throughout: no rounding error can hold back or add a pixel.
  rest_x += int64_t(dx) * fit.picture_w;
  rest_y += int64_t(dy) * fit.picture_h;
  px = static_cast<int>(rest_x / fit.w);
  py = static_cast<int>(rest_y / fit.h);
  rest_x -= int64_t(px) * fit.w;
  rest_y -= int64_t(py) * fit.h;
}

int largest_whole_scale(int picture_w, int picture_h, int area_w, int area_h, int decoration_w,
                        int decoration_h) {
  constexpr int kMostScale = 16;
  if (picture_w <= 0 || picture_h <= 0) return 1;
  int scale = 1;
  while (scale < kMostScale && int64_t(scale + 1) * picture_w + decoration_w <= area_w &&
         int64_t(scale + 1) * picture_h + decoration_h <= area_h)
    ++scale;
  return scale;
}

double fitting_scale(int picture_w, int picture_h, int area_w, int area_h, int decoration_w,
                     int decoration_h) {
  if (picture_w <= 0 || picture_h <= 0) return 1.0;
  if (int64_t(picture_w) + decoration_w <= area_w && int64_t(picture_h) + decoration_h <= area_h)
    return largest_whole_scale(picture_w, picture_h, area_w, area_h, decoration_w, decoration_h);
  const double across = double(area_w - decoration_w) / picture_w;
  const double down = double(area_h - decoration_h) / picture_h;
  const double scale = across < down ? across : down;
  return scale > kSmallestViewScale ? scale : kSmallestViewScale;
}
