// Pi by Machin's formula, pi = 16 atan(1/5) - 4 atan(1/239), in fixed point with 32-bit words:
// word 0 holds the integer part, the following words the fraction. A few guard words absorb the
// truncation of the series terms.
#include "engine/core/pi_digits.h"

#include <cstddef>

namespace {

using Number = std::vector<uint32_t>;

// n /= d, skipping the leading words known to be zero; returns the new index of the first non-zero word.
size_t divide(Number& n, size_t first, uint32_t d) {
  uint64_t rem = 0;
  for (size_t i = first; i < n.size(); ++i) {
    uint64_t cur = (rem << 32) | n[i];
    n[i] = static_cast<uint32_t>(cur / d);
    rem = cur % d;
  }
  while (first < n.size() && n[first] == 0) ++first;
  return first;
}

void add(Number& sum, const Number& t, size_t first) {
  uint64_t carry = 0;
  for (size_t i = sum.size(); i-- > 0;) {
    uint64_t v = uint64_t(sum[i]) + (i >= first ? t[i] : 0) + carry;
    sum[i] = static_cast<uint32_t>(v);
    carry = v >> 32;
    if (i < first && carry == 0) break;
  }
}

void subtract(Number& sum, const Number& t, size_t first) {
  uint64_t borrow = 0;
  for (size_t i = sum.size(); i-- > 0;) {
    uint64_t sub = (i >= first ? t[i] : 0) + borrow;
    borrow = sub > sum[i] ? 1 : 0;
    sum[i] = static_cast<uint32_t>(uint64_t(sum[i]) + (borrow << 32) - sub);
    if (i < first && borrow == 0) break;
  }
}

// sum += factor * atan(1/m), by the alternating series factor/m - factor/(3 m^3) + factor/(5 m^5) ...
void add_arctan(Number& sum, uint32_t factor, uint32_t m) {
  Number power(sum.size(), 0);  // factor / m^(2k+1)
  Number term(sum.size(), 0);   // power / (2k+1)
  power[0] = factor;
  size_t first = divide(power, 0, m);
  const uint32_t m2 = m * m;
  for (uint32_t k = 0; first < power.size(); ++k) {
    for (size_t i = 0; i < first; ++i) term[i] = 0;
    for (size_t i = first; i < power.size(); ++i) term[i] = power[i];
    size_t term_first = divide(term, first, 2 * k + 1);
    if (k % 2 == 0) add(sum, term, term_first);
    else subtract(sum, term, term_first);
    first = divide(power, first, m2);
  }
}

}  // namespace

std::vector<uint32_t> pi_fraction_words(int count) {
  if (count <= 0) return {};
  const size_t guard = 4;
  Number pi(1 + static_cast<size_t>(count) + guard, 0);
  add_arctan(pi, 16, 5);
  Number minus(pi.size(), 0);
  add_arctan(minus, 4, 239);
  subtract(pi, minus, 0);
  return std::vector<uint32_t>(pi.begin() + 1, pi.begin() + 1 + count);
}
