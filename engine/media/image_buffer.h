// Size limits every picture reader enforces, and the shared handling of the output block.
#pragma once
#include <cstdint>
#include "engine/media/image.h"

// Pictures wider or higher than this are refused.
constexpr int64_t kImageMaxSide = 16384;
// Pictures with more pixels than this are refused (256 MB of RGBA output).
constexpr int64_t kImageMaxPixels = 64'000'000;

// True when a picture of w x h pixels may be decoded: both sides 1..kImageMaxSide, at most
// kImageMaxPixels in all.
bool image_size_allowed(int64_t width, int64_t height);

// Sizes out for w x h RGBA pixels, all bytes 0, after asking out.admit (when set) how much room to set
// aside. The pixel block is reused when its capacity is large enough. Returns false (out emptied) when
// the size is not allowed, admit refuses it (out.refused is then set) or memory runs out.
bool image_buffer_prepare(ImageBuffer& out, int64_t width, int64_t height);

// Empties out after a failed decode; the pixel block keeps its capacity for the next reader.
void image_buffer_reset(ImageBuffer& out);

// Widens one row of width pixels of 1 (grey), 3 (RGB) or 4 (RGBA) bytes each, stored at the row's
// start, into RGBA in place. Grey and RGB become opaque; an RGB pixel of the colour key (unless it is
// kNoColorKey) becomes (0, 0, 0, 0). RGBA rows are left as they are.
void image_widen_row(uint8_t* row, int width, int channels, int color_key);

// Packed colour R + 256 G + 65536 B, the form colour keys are given in.
inline int image_pack_rgb(uint8_t r, uint8_t g, uint8_t b) { return r | (g << 8) | (b << 16); }
