// 24-bit uncompressed BMP output for the pictures the game keys by colour.
#pragma once

#include "canvas.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace art {

// The colour the game's sprite loader turns transparent in BMP pictures.
constexpr Rgb kKeyColour = hex(0xff0080);

// Encodes the canvas as a bottom-up 24-bit BMP (BITMAPINFOHEADER, no palette).
// Pixels with coverage of at least half become opaque, their partial coverage
// composited over `edge`; all others are written in the key colour, so no
// anti-aliased pixel ever mixes with the key.
std::vector<std::uint8_t> encode_bmp(const Canvas& canvas, Rgb edge);

void save_bmp(const Canvas& canvas, Rgb edge, const std::string& path);

}  // namespace art
