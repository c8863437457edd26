// Text comparisons: byte order as strcmp gives it (unsigned bytes, a proper prefix first), and text
// against number by the text's numeric value. Every form answers 0 or 1.
#include <cstring>

#include "engine/core/str.h"

namespace {

const char* text_of(const char* text) { return text ? text : ""; }
const char* text_of(const Str& s) { return s.data ? s.data : ""; }

template <typename A, typename B>
int order(const A& a, const B& b) {
  return std::strcmp(text_of(a), text_of(b));
}

}  // namespace

int str_eq(const Str& a, const Str& b) { return order(a, b) == 0; }
int str_eq_cs(const char* a, const Str& b) { return order(a, b) == 0; }
int str_eq_sc(const Str& a, const char* b) { return order(a, b) == 0; }
int str_ne(const Str& a, const Str& b) { return order(a, b) != 0; }
int str_ne_cs(const char* a, const Str& b) { return order(a, b) != 0; }
int str_ne_sc(const Str& a, const char* b) { return order(a, b) != 0; }
int str_lt(const Str& a, const Str& b) { return order(a, b) < 0; }
int str_lt_cs(const char* a, const Str& b) { return order(a, b) < 0; }
int str_lt_sc(const Str& a, const char* b) { return order(a, b) < 0; }
int str_gt(const Str& a, const Str& b) { return order(a, b) > 0; }
int str_gt_cs(const char* a, const Str& b) { return order(a, b) > 0; }
int str_gt_sc(const Str& a, const char* b) { return order(a, b) > 0; }
int str_le(const Str& a, const Str& b) { return order(a, b) < 1; }
int str_le_cs(const char* a, const Str& b) { return order(a, b) < 1; }
int str_le_sc(const Str& a, const char* b) { return order(a, b) < 1; }
int str_ge(const Str& a, const Str& b) { return order(a, b) >= 0; }
int str_ge_cs(const char* a, const Str& b) { return order(a, b) >= 0; }
int str_ge_sc(const Str& a, const char* b) { return order(a, b) >= 0; }

int str_eq_num(const Str& a, double n) { return str_to_num(a) == n; }
int str_lt_num(const Str& a, double n) { return str_to_num(a) < n; }
int str_gt_num(const Str& a, double n) { return str_to_num(a) > n; }
