// The title animation of the welcome and win screens: twenty frames "anim1.png".."anim20.png" in
// sprites 101..120, shown as two copies mirrored both ways, blended additively at half strength and
// advancing a quarter frame a screen frame.
#pragma once

// Loads the twenty frames (frame k into sprite 100 + k).
void load_title_animation();

struct TitleAnimation {
  // The two copies' frame counters (sprite numbers). A counter may start below the first frame; its
  // copy is drawn only once it reaches one.
  double a, b;

  // Each counter a quarter frame on, past the last frame back to the first.
  void step();
  // Both copies, zoomed 2.2 times at (220, 120), the second mirrored both ways. A copy whose counter
  // is still before the first frame draws nothing: the slot below the frames holds another picture
  // (a landmark), which would flash under the title.
  void draw() const;
};
