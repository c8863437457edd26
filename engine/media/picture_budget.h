// Picture memory: the bytes that the textures of the sprite table and the background's tiles hold,
// against one budget kept by the renderer. A picture file is asked about before any of its pixels is
// decoded (picture_file.h): it is admitted when its decoded pixels and the textures it would keep fit
// together in what the budget has left, as both are held while it loads. Freed slots and a dropped
// background give their bytes back.
#pragma once
#include <cstddef>
#include <cstdint>

class OpenGLDuderozi;

// The game's own media hold 64 MB at most (the welcome screen: its twenty animation frames of
// 360 x 360 take 2.3 MB each with their mip-mapped copies, the fonts, the map as the background).
// 256 MB leaves room for media four times as rich, while a picture made to exhaust memory is refused
// before it is decoded (an 8000 x 8000 one would keep 626 MB as a sprite, and take 308 MB to load as
// the background, of which 64 MB of tiles would stay).
constexpr int64_t kPictureBudgetBytes = int64_t{256} << 20;

// What loading a picture takes: room for its decoded pixels, and the texture bytes it then keeps.
struct PictureCost {
  size_t decode_bytes = 0;
  int64_t keep_bytes = 0;
};
// A w x h picture loaded into a sprite slot (with its mip-mapped copy) or a font slot (without), cut
// to the texture size limit. Its decoded pixels get room to become the padded texture in place.
PictureCost sprite_picture_cost(int w, int h, bool is_font, int texture_limit);
// A w x h picture loaded as the background: square tiles of side `side`, at most 8 x 8 of them.
PictureCost background_picture_cost(int w, int h, int side);
// Bytes of a slot's textures of tw x th: the texture, and its mip-mapped copy when mip.
int64_t sprite_texture_bytes(int tw, int th, bool mip);

// Bytes the sprite table and the background hold now, and what the budget has left (negative when a
// lowered budget is already exceeded).
int64_t picture_bytes_in_use(const OpenGLDuderozi& r);
int64_t picture_bytes_left(const OpenGLDuderozi& r);
// Keeps the most bytes held at once so far in this process, after something was loaded.
void picture_note_peak(const OpenGLDuderozi& r);
