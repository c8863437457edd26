// The eight London landmarks of the blocks. Each is drawn once as a 420 x 420
// scene (landmarks/); the a-picture shows it at dusk, the b-picture at night, and
// the c-icon is a 100 x 100 close-up cut from the dusk scene.
#include "landmarks/kit.hpp"
#include "picture.hpp"

#include <cstdint>
#include <string>

namespace art {

namespace {

using scene::Mood;

struct Landmark {
  void (*draw)(cairo_t*, const Mood&, Rng&);
  double icon_x, icon_y, icon_size;  // square of the dusk scene shown by the icon
};

const Landmark kLandmarks[8] = {
    {landmark::piccadilly, 20, 70, 330},   {landmark::marble_arch, 40, 70, 340},
    {landmark::london_eye, 62, 12, 320},   {landmark::gherkin, 92, 26, 250},
    {landmark::trafalgar, 116, 36, 300},   {landmark::westminster, 218, 12, 200},
    {landmark::tower_bridge, 50, 50, 320}, {landmark::st_pauls, 50, 20, 320},
};

Canvas render_scene(const Landmark& lm, const Mood& mood, std::uint64_t seed) {
  Canvas c(420, 420, true);
  Rng rng(seed);
  lm.draw(c.cr(), mood, rng);
  return c;
}

Canvas icon(const Landmark& lm, std::uint64_t seed) {
  Canvas scene = render_scene(lm, scene::dusk(), seed);
  Canvas c(100, 100, true);
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_scale(cr, 100 / lm.icon_size, 100 / lm.icon_size);
  cairo_translate(cr, -lm.icon_x, -lm.icon_y);
  cairo_set_source_surface(cr, scene.surface(), 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BEST);
  cairo_paint(cr);
  cairo_restore(cr);
  // A light vignette keeps the eye on the landmark.
  cairo_rectangle(cr, 0, 0, 100, 100);
  set_pattern(cr, radial(50, 45, 35, 75, {{0, hex(0), 0}, {1, hex(0x050818), 0.55}}));
  cairo_fill(cr);
  return c;
}

}  // namespace

void add_landmarks(PictureList& out) {
  for (int i = 0; i < 8; ++i) {
    const Landmark& lm = kLandmarks[i];
    std::string n = std::to_string(i + 1);
    std::uint64_t seed = 0x4c4f4e44ull * (i + 1);
    out.push_back(Picture{n + "a.png", Format::Png, render_scene(lm, scene::dusk(), seed)});
    out.push_back(Picture{n + "b.png", Format::Png, render_scene(lm, scene::night(), seed)});
  }
  for (int i = 0; i < 8; ++i)
    out.push_back(
        Picture{std::to_string(i + 1) + "c.png", Format::Png, icon(kLandmarks[i], 0x4c4f4e44ull * (i + 1))});
}

}  // namespace art