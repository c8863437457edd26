// Preparing picture pixels for a texture: power-of-two sizes, orientation, edge fill, mip reduction.
// Pure pixel work, no GL.
#pragma once
#include <cstdint>
#include <vector>
#include "engine/media/image.h"

// Power-of-two texture side of at least 16 that holds n pixels: 1 -> 16, 17 -> 32, 100 -> 128.
int texture_side(int n);

// True when every pixel of the w x h region at (x0, y0), as far as it lies in the picture, has alpha
// 255; false for a picture whose pixels are missing.
bool image_region_opaque(const ImageBuffer& image, int x0, int y0, int w, int h);

// Copies the w x h region at (x0, y0) of the picture into a zeroed tw x th RGBA block so that region
// row y lands in block row h - 1 - y (block row 0 holds the region's bottom row). Region pixels
// outside the picture stay transparent black.
void stage_region(const ImageBuffer& image, int x0, int y0, int w, int h, int tw, int th,
                  std::vector<uint8_t>& block);

// Turns the picture itself into the tw x th block that stage_region would make of its top-left w x h
// region (w, h at most the picture's and the block's sides): rows upside down at the block's stride,
// everything else zero. The picture then is that block (width tw, height th). No second copy of the
// pixels is made while their capacity holds the block.
void stage_in_place(ImageBuffer& image, int w, int h, int tw, int th);

// Gives every fully transparent texel the average colour of its visible neighbours (those strictly
// inside the block), or black when it has none; alpha stays 0.
void edge_fill(std::vector<uint8_t>& block, int tw, int th);

// Halves the block horizontally or vertically (averaging adjacent pairs) until it is square.
void mip_make_square(std::vector<uint8_t>& block, int& w, int& h);

// Computes the next smaller level of a square block of side n into out (side n / 2).
void mip_reduce(const std::vector<uint8_t>& block, int n, std::vector<uint8_t>& out);
