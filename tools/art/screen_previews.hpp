// Mock-ups of the game's screens, composed from the generated pictures and fonts
// at the positions where the game draws them, so the art can be reviewed in place.
#pragma once

#include "picture.hpp"

#include <vector>

namespace art {

// The picture as the game shows it: BMP pictures have their key colour removed.
Canvas as_shown(const Picture& picture);

// Welcome, main screen, set-up, name entry, round, round end, stats and
// instructions screens, each 800 x 600.
std::vector<Picture> screen_previews(const PictureList& pictures);

}  // namespace art
