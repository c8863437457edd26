// The Blowfish block cipher: 64-bit blocks as two 32-bit halves, 16 rounds, keys of 1 to 72 bytes.
#pragma once
#include <cstddef>
#include <cstdint>

struct Blowfish {
  uint32_t p[18];
  uint32_t s[4][256];
};

// Key schedule. The key bytes are used cyclically; an empty key leaves the pi tables unkeyed before
// the expansion.
void blowfish_init(Blowfish& bf, const uint8_t* key, size_t key_length);
void blowfish_encrypt(const Blowfish& bf, uint32_t& left, uint32_t& right);
void blowfish_decrypt(const Blowfish& bf, uint32_t& left, uint32_t& right);

// The unkeyed tables: P-array and S-boxes filled from the hexadecimal digits of pi.
const Blowfish& blowfish_pi_tables();
