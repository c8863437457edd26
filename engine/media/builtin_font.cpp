// The built-in 8 x 8 font, generated at start-up so that text works without any font file.
#include <cstdint>

#include "engine/media/font_builtin.h"
#include "engine/media/renderer_state.h"

namespace {

// Glyphs of codes 32..127 on a 5 x 6 grid: bit r * 5 + c set = pixel in column c of row r.
constexpr uint32_t kGlyphs[96] = {
    0x00000000u, 0x00401084u, 0x0000014Au, 0x00AFABEAu,  // 32 33 34 35
    0x00FA38BEu, 0x019D1173u, 0x0164D926u, 0x00000084u,  // 36 37 38 39
    0x00821088u, 0x00221082u, 0x000ABAA0u, 0x00023880u,  // 40 41 42 43
    0x04420000u, 0x00003800u, 0x00400000u, 0x00111110u,  // 44 45 46 47
    0x00E9D72Eu, 0x00E210C4u, 0x01F1322Eu, 0x00F8320Fu,  // 48 49 50 51
    0x00847D29u, 0x00F83C3Fu, 0x00E8BC2Eu, 0x0021111Fu,  // 52 53 54 55
    0x00E8BA2Eu, 0x00E87A2Eu, 0x00020080u, 0x04420080u,  // 56 57 58 59
    0x00820888u, 0x000701C0u, 0x00222082u, 0x0040322Eu,  // 60 61 62 63
    0x00E6D7AEu, 0x0118FE2Eu, 0x00F8BE2Fu, 0x01E0843Eu,  // 64 65 66 67
    0x00F8C62Fu, 0x01F0BC3Fu, 0x0010BC3Fu, 0x00E8F43Eu,  // 68 69 70 71
    0x0118FE31u, 0x00E2108Eu, 0x0064A11Cu, 0x00928CA9u,  // 72 73 74 75
    0x01F08421u, 0x0118D771u, 0x011CD671u, 0x00E8C62Eu,  // 76 77 78 79
    0x0010BE2Fu, 0x0164D62Eu, 0x0114BE2Fu, 0x00F8383Eu,  // 80 81 82 83
    0x0042109Fu, 0x00E8C631u, 0x00452A31u, 0x011DD631u,  // 84 85 86 87
    0x01151151u, 0x00421151u, 0x01F1111Fu, 0x00E1084Eu,  // 88 89 90 91
    0x01041041u, 0x00E4210Eu, 0x00004544u, 0x3E000000u,  // 92 93 94 95
    0x00000082u, 0x01E521C0u, 0x0074A4E1u, 0x00E085C0u,  // 96 97 98 99
    0x00E4A5C8u, 0x00E1B4C0u, 0x00211C4Cu, 0x0C8725C0u,  // 100 101 102 103
    0x0094A4E1u, 0x00710C02u, 0x06421804u, 0x00929D21u,  // 104 105 106 107
    0x00710843u, 0x015AD560u, 0x0094A4E0u, 0x0064A4C0u,  // 108 109 110 111
    0x0213A4E0u, 0x108725C0u, 0x00108DA0u, 0x00760DC0u,  // 112 113 114 115
    0x00C108E2u, 0x00E4A520u, 0x00454620u, 0x00AAD620u,  // 116 117 118 119
    0x00931920u, 0x0C872520u, 0x00F111E0u, 0x00C2088Cu,  // 120 121 122 123
    0x00421084u, 0x00622086u, 0x00045440u, 0x01F8C63Fu,  // 124 125 126 127
};

constexpr int kCell = 8;
constexpr int kWidth = 128;
constexpr int kHeight = 64;

void set_pixel(ImageBuffer& image, int x, int y, uint8_t r, uint8_t g, uint8_t b) {
  uint8_t* p = image.pixels.data() + (static_cast<size_t>(y) * image.width + x) * 4;
  p[0] = r;
  p[1] = g;
  p[2] = b;
  p[3] = 255;
}

bool is_glyph_pixel(const ImageBuffer& image, int x, int y) {
  if (x < 0 || y < 0 || x >= image.width || y >= image.height) return false;
  const uint8_t* p = image.pixels.data() + (static_cast<size_t>(y) * image.width + x) * 4;
  return p[3] == 255 && p[0] == 255;
}

}  // namespace

ImageBuffer font_builtin_picture() {
  ImageBuffer image;
  image.width = kWidth;
  image.height = kHeight;
  image.pixels.assign(static_cast<size_t>(kWidth) * kHeight * 4, 0);
  for (int i = 0; i < 96; ++i) {
    const int code = 32 + i;
    const int cell_x = (code % 16) * kCell;
    const int cell_y = (code / 16) * kCell;
    for (int r = 0; r < 6; ++r) {
      for (int c = 0; c < 5; ++c) {
        if (kGlyphs[i] & (1u << (r * 5 + c))) set_pixel(image, cell_x + c + 1, cell_y + r + 1, 255, 255, 255);
      }
    }
    // A one-pixel dark outline around the glyph, within its cell.
    for (int y = cell_y; y < cell_y + kCell; ++y) {
      for (int x = cell_x; x < cell_x + kCell; ++x) {
        const uint8_t* p = image.pixels.data() + (static_cast<size_t>(y) * kWidth + x) * 4;
        if (p[3] != 0) continue;
        if (is_glyph_pixel(image, x - 1, y) || is_glyph_pixel(image, x + 1, y) ||
            is_glyph_pixel(image, x, y - 1) || is_glyph_pixel(image, x, y + 1)) {
          set_pixel(image, x, y, 8, 8, 8);
        }
      }
    }
  }
  return image;
}

void font_builtin_glyphs(GlyphRecord glyphs[256]) {
  for (int c = 0; c < 256; ++c) {
    glyphs[c].left = 0;
    glyphs[c].advance = kCell;
    glyphs[c].u0 = static_cast<float>((c % 16) * kCell) / kWidth;
    glyphs[c].u1 = glyphs[c].u0 + static_cast<float>(kCell) / kWidth;
  }
}

bool font_install_builtin(int font) {
  OpenGLDuderozi* r = renderer_object();
  if (!r || font < 0 || font >= kFontSlots) return false;
  font_builtin_glyphs(r->glyphs[font]);
  return image_upload(font_builtin_picture(), kFirstFontSlot + font, true);
}
