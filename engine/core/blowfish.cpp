// Blowfish: Feistel network of 16 rounds over key-dependent S-boxes, tables seeded from pi.
#include "engine/core/blowfish.h"

#include <vector>

#include "engine/core/pi_digits.h"

namespace {

uint32_t feistel(const Blowfish& bf, uint32_t x) {
  uint32_t a = bf.s[0][x >> 24];
  uint32_t b = bf.s[1][(x >> 16) & 0xFF];
  uint32_t c = bf.s[2][(x >> 8) & 0xFF];
  uint32_t d = bf.s[3][x & 0xFF];
  return ((a + b) ^ c) + d;
}

Blowfish make_pi_tables() {
  Blowfish bf;
  std::vector<uint32_t> words = pi_fraction_words(18 + 4 * 256);
  size_t w = 0;
  for (uint32_t& p : bf.p) p = words[w++];
  for (auto& box : bf.s)
    for (uint32_t& entry : box) entry = words[w++];
  return bf;
}

}  // namespace

const Blowfish& blowfish_pi_tables() {
  static const Blowfish tables = make_pi_tables();
  return tables;
}

void blowfish_encrypt(const Blowfish& bf, uint32_t& left, uint32_t& right) {
  uint32_t l = left, r = right;
  for (int i = 0; i < 16; i += 2) {
    l ^= bf.p[i];
    r ^= feistel(bf, l);
    r ^= bf.p[i + 1];
    l ^= feistel(bf, r);
  }
  l ^= bf.p[16];
  r ^= bf.p[17];
  left = r;
  right = l;
}

void blowfish_decrypt(const Blowfish& bf, uint32_t& left, uint32_t& right) {
  uint32_t l = left, r = right;
  for (int i = 17; i > 1; i -= 2) {
    l ^= bf.p[i];
    r ^= feistel(bf, l);
    r ^= bf.p[i - 1];
    l ^= feistel(bf, r);
  }
  l ^= bf.p[1];
  r ^= bf.p[0];
  left = r;
  right = l;
}

void blowfish_init(Blowfish& bf, const uint8_t* key, size_t key_length) {
  bf = blowfish_pi_tables();
  if (key && key_length > 0) {
    size_t k = 0;
    for (uint32_t& p : bf.p) {
      uint32_t word = 0;
      for (int i = 0; i < 4; ++i) {
        word = (word << 8) | key[k];
        k = (k + 1) % key_length;
      }
      p ^= word;
    }
  }
  uint32_t l = 0, r = 0;
  for (int i = 0; i < 18; i += 2) {
    blowfish_encrypt(bf, l, r);
    bf.p[i] = l;
    bf.p[i + 1] = r;
  }
  for (auto& box : bf.s) {
    for (int i = 0; i < 256; i += 2) {
      blowfish_encrypt(bf, l, r);
      box[i] = l;
      box[i + 1] = r;
    }
  }
}
