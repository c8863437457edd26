// The set of pictures the generator writes: each one a named canvas and its file format.
#pragma once

#include "canvas.hpp"

#include <string>
#include <utility>
#include <vector>

namespace art {

enum class Format { Png, Bmp };

struct Picture {
    std::string name;   // file name in the media folder
    Format format = Format::Png;
    Canvas canvas;
    Rgb edge{};         // BMP only: colour that partial edge coverage is blended towards
    bool font = false;  // a glyph sheet rather than a picture
};

using PictureList = std::vector<Picture>;

// A transparent PNG made ready for the game's alpha test: partial coverage is
// composited over `edge` (see harden_alpha).
inline Picture hardened_png(std::string name, Canvas canvas, Rgb edge) {
    harden_alpha(canvas, edge);
    return Picture{std::move(name), Format::Png, std::move(canvas)};
}

// Round screen: tiles, cursor, row signs, question mark, turn signs, results, hints, backdrop.
void add_board_pictures(PictureList& out);
// Welcome, name entry, set-up and menu pictures: titles, buttons, keys.
void add_menu_pictures(PictureList& out);
// Main screen: the map, the block plate and the picture frame.
void add_map_pictures(PictureList& out);
// The twenty frames of the title animation.
void add_animation(PictureList& out);
// The eight landmarks: a (dusk), b (night) and c (icon) pictures.
void add_landmarks(PictureList& out);
// The seven glyph sheets; throws when a layout constraint of the screens is broken.
// With verbose set, every measured figure is printed against its limit.
void add_fonts(PictureList& out, bool verbose);

// Sizes of the desktop icon, in pixels (each square).
inline constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};
// The desktop icon at every size, as an icon theme lays it out: <dir>/<N>x<N>/apps/brakka.png.
void write_icons(const std::string& dir);
// The same icon as one Windows icon file (.ico) holding every size; its folder is made when missing.
void write_ico(const std::string& path);

// One PNG showing every picture with its file name.
void write_contact_sheet(const PictureList& pictures, const std::string& path);
// The screen mock-ups at full size, one PNG each, into an existing folder.
void write_screen_previews(const PictureList& pictures, const std::string& dir);

}  // namespace art
