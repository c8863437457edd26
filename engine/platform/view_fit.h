// Fitting the runtime's fixed-size picture into a window of any size: the largest rectangle of the
// picture's aspect that fits, centred, with bars on the two sides where the aspects differ; and the
// mapping of window positions onto picture pixels and back. Plain arithmetic, no SDL and no GL.
#pragma once
#include <cstdint>

struct ViewFit {
  int picture_w = 0, picture_h = 0;  // the picture the runtime draws (800 x 600 for the game)
  int window_w = 0, window_h = 0;    // the window it is shown in
  int x = 0, y = 0;                  // where the scaled picture starts in the window (the bar sizes)
  int w = 0, h = 0;                  // its size in the window; 0 when the window has no area
  bool empty() const { return w <= 0 || h <= 0; }
  // The picture covers the window exactly (no scaling, no bars).
  bool identity() const {
    return window_w == picture_w && window_h == picture_h && w == picture_w && h == picture_h;
  }
  // The picture leaves part of the window uncovered: it has bars.
  bool has_bars() const {
    if (window_w <= 0 || window_h <= 0) return false;
    return x > 0 || y > 0 || w < window_w || h < window_h;
  }
  // The picture is drawn at a whole-number scale (every picture pixel becomes an n x n block).
  bool whole_scale() const;
};

// Fits a picture into a window: the picture's aspect is kept, the free space is split evenly between
// the two bars (the odd pixel goes to the right or bottom one).
ViewFit view_fit(int picture_w, int picture_h, int window_w, int window_h);

// The picture pixel shown at a window position: the window pixel's centre taken back through the
// scaling and clamped into the picture (0 .. picture size - 1), so a position on a bar gives the
// nearest picture edge. (0, 0) for an empty fit.
void view_to_picture(const ViewFit& fit, int wx, int wy, int& px, int& py);

// The window pixel at the centre of a picture pixel; view_to_picture gives that picture pixel back
// whenever the picture is not shrunk.
void picture_to_view(const ViewFit& fit, int px, int py, int& wx, int& wy);

// Relative motion measured in window pixels, in picture pixels: scaled down by the window's scale,
// carrying the fractions in `rest_x` / `rest_y` (kept by the caller, 0 at first; whole numbers, in
// 1 / fit.w and 1 / fit.h of a picture pixel) so that slow motion is not lost.
void view_motion_to_picture(const ViewFit& fit, int dx, int dy, int64_t& rest_x, int64_t& rest_y, int& px,
                            int& py);

// The largest whole scale at which a picture, with the window's decorations around it, fits an area
// (the desktop's usable area); 1 when not even that fits.
int largest_whole_scale(int picture_w, int picture_h, int area_w, int area_h, int decoration_w,
                        int decoration_h);

// The smallest scale a window is shrunk to, however small the screen: a quarter of the picture's size.
constexpr double kSmallestViewScale = 0.25;
// The scale a window opens at so that the whole picture is on the screen: the largest whole scale when
// the picture fits at 1, else the largest scale below 1 at which it fits with its decorations (shown
// with linear filtering), but not below kSmallestViewScale.
double fitting_scale(int picture_w, int picture_h, int area_w, int area_h, int decoration_w,
                     int decoration_h);
