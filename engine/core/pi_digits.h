// The hexadecimal digits of pi's fractional part, computed exactly with integer arithmetic.
#pragma once
#include <cstdint>
#include <vector>

// The first `count` 32-bit words of pi's fractional part, most significant first
// (pi = 3.243F6A88 85A308D3 ... in hexadecimal, so word 0 is 0x243F6A88).
std::vector<uint32_t> pi_fraction_words(int count);
