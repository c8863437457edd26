// How a picture looks without full colour vision: greyscale (lightness only) and the two common kinds
// of red-green colour blindness at full severity, deuteranopia and protanopia. The dichromat
// simulations are the published linear-RGB matrices of Machado, Oliveira and Fernandes (2009) at
// severity 1.0; greyscale is the Rec. 709 luminance. Both work in linear light: sRGB in, sRGB out.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

enum class Vision { greyscale, deuteranopia, protanopia };
constexpr Vision kVisions[] = {Vision::greyscale, Vision::deuteranopia, Vision::protanopia};

const char* vision_name(Vision vision);  // "greyscale", "deuteranopia", "protanopia"
// Turns count RGB pixels (3 bytes each) into the picture as the vision sees it, in place.
void simulate_vision(Vision vision, uint8_t* rgb, size_t count);
// Writes RGB pixels (width * 3 bytes a row, top row first) as a PNG file.
bool write_rgb_png(const std::string& path, const uint8_t* rgb, int width, int height);
