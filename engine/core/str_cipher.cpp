// The text cipher: Blowfish in ECB mode over zero-padded 8-byte blocks whose halves are read and
// written little-endian; the cipher text travels as lower-case hexadecimal.
#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/core/blowfish.h"
#include "engine/core/str.h"

namespace {

uint32_t load_le(const uint8_t* b) {
  return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

void store_le(uint8_t* b, uint32_t v) {
  b[0] = static_cast<uint8_t>(v);
  b[1] = static_cast<uint8_t>(v >> 8);
  b[2] = static_cast<uint8_t>(v >> 16);
  b[3] = static_cast<uint8_t>(v >> 24);
}

// The key schedule enciphers 521 blocks, far more than a line of text needs, and callers encipher and
// decipher many lines under one key (the game's high-ratings file: every line, and its name), so the
// last key's schedule is kept and set up again only when another key comes. Only a key's first 72
// bytes reach the schedule (18 words of 4 bytes), so they are all that is compared.
const Blowfish& keyed(const Str& key) {
  constexpr size_t kUsedBytes = 72;
  static Blowfish bf;
  static uint8_t last_key[kUsedBytes];
  static size_t last_length = 0;
  static bool ready = false;
  const size_t length = key.data ? std::min<size_t>(key.length, kUsedBytes) : 0;
  if (!ready || length != last_length || (length > 0 && std::memcmp(key.data, last_key, length) != 0)) {
    if (length > 0) std::memcpy(last_key, key.data, length);
    last_length = length;
    blowfish_init(bf, last_key, length);
    ready = true;
  }
  return bf;
}

int nibble(char c) { return c <= '9' ? c - '0' : c - 'a' + 10; }

// ECB over whole 8-byte blocks; each block's halves are read and written little-endian.
template <typename Cipher>
void run_blocks(const Blowfish& bf, std::vector<uint8_t>& bytes, Cipher cipher) {
  for (size_t i = 0; i < bytes.size(); i += 8) {
    uint32_t left = load_le(&bytes[i]);
    uint32_t right = load_le(&bytes[i + 4]);
    cipher(bf, left, right);
    store_le(&bytes[i], left);
    store_le(&bytes[i + 4], right);
  }
}

}  // namespace

Str& str_encrypt(Str& out, const Str& key, const Str& text) {
  std::vector<uint8_t> bytes((text.length + 7) / 8 * 8, 0);
  if (text.length > 0) std::memcpy(bytes.data(), text.data, text.length);
  run_blocks(keyed(key), bytes, blowfish_encrypt);
  return str_hex(out, bytes.data(), static_cast<int>(bytes.size()), 0);
}

Str& str_decrypt(Str& out, const Str& key, Str& hex) {
  str_lower(hex);
  const size_t n = hex.length / 2;
  // A damaged text whose length is not a whole number of blocks is zero-padded to one.
  std::vector<uint8_t> bytes((n + 7) / 8 * 8, 0);
  for (size_t i = 0; i < n; ++i) {
    int high = nibble(hex.data[2 * i]);
    int low = nibble(hex.data[2 * i + 1]);
    bytes[i] = static_cast<uint8_t>(high * 16 + low);
  }
  run_blocks(keyed(key), bytes, blowfish_decrypt);
  // The plain text ends at the first zero byte: the padding and anything after it are dropped.
  size_t end = 0;
  while (end < n && bytes[end] != 0) ++end;
  Str plain;
  if (end > 0) {
    str_reserve(plain, static_cast<uint32_t>(end), false);
    std::memcpy(plain.data, bytes.data(), end);
    plain.data[end] = 0;
    plain.length = static_cast<uint32_t>(end);
  }
  return str_assign(out, plain);
}
