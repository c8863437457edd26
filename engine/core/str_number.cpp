// Conversions between numbers and text: number printing, fixed-point text, text to number.
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/core/str.h"

namespace {

// A double truncated toward zero into [lo, hi]; NaN gives 0.
int truncate_clamped(double v, int lo, int hi) {
  if (std::isnan(v)) return 0;
  if (v <= lo) return lo;
  if (v >= hi) return hi;
  return static_cast<int>(v);
}

// Index just past the longest decimal number prefix of text starting at i (optional sign, digits,
// optional point and digits, optional exponent with at least one digit); i itself when there is none.
size_t scan_decimal(const char* text, size_t i, bool allow_fraction) {
  size_t p = i;
  if (text[p] == '+' || text[p] == '-') ++p;
  size_t digits = 0;
  while (std::isdigit(static_cast<unsigned char>(text[p]))) ++p, ++digits;
  if (allow_fraction && text[p] == '.') {
    size_t q = p + 1;
    size_t fraction = 0;
    while (std::isdigit(static_cast<unsigned char>(text[q]))) ++q, ++fraction;
    if (digits + fraction > 0) {
      p = q;
      digits += fraction;
    }
  }
  if (digits == 0) return i;
  if (allow_fraction && (text[p] == 'e' || text[p] == 'E')) {
    size_t q = p + 1;
    if (text[q] == '+' || text[q] == '-') ++q;
    if (std::isdigit(static_cast<unsigned char>(text[q]))) {
      while (std::isdigit(static_cast<unsigned char>(text[q]))) ++q;
      p = q;
    }
  }
  return p;
}

size_t skip_blanks(const char* text) {
  size_t i = 0;
  while (std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  return i;
}

// The scratch text of str_format_num: made on first use, freed when the process ends.
Str& format_scratch() {
  static Str scratch;
  return scratch;
}

}  // namespace

void str_from_num(Str& out, double value) {
  str_init(out);
  str_reserve(out, 63, false);
  // Ten significant digits, fixed or exponent notation as %g chooses, trailing zeros dropped.
  std::snprintf(out.data, out.capacity, "%.10g", value);
  if (std::strcmp(out.data, ".0") == 0) {
    std::strcpy(out.data, "0");
  } else {
    size_t n = std::strlen(out.data);
    if (n > 0 && out.data[n - 1] == '.') out.data[n - 1] = 0;
  }
  str_sync_length(out);
}

Str& str_format_num(Str& out, double width, double decimals, double value) {
  // Widths and precisions are bounded so that a wild argument cannot ask for gigabytes.
  int w = truncate_clamped(width, -4096, 4096);
  int d = truncate_clamped(decimals, 0, 4096);
  char format[32];
  std::snprintf(format, sizeof format, "%%%d.%df", w, d);
  Str& scratch = format_scratch();
  str_reserve(scratch, 128, true);
  int needed = std::snprintf(nullptr, 0, format, value);
  if (needed > 0 && static_cast<uint32_t>(needed) >= scratch.capacity)
    str_reserve(scratch, static_cast<uint32_t>(needed), false);
  std::snprintf(scratch.data, scratch.capacity, format, value);
  str_sync_length(scratch);
  return str_assign(out, scratch);
}

void str_from_int(Str& out, int value) {
  str_init(out);
  str_reserve(out, 15, false);
  std::snprintf(out.data, out.capacity, "%d", value);
  str_sync_length(out);
}

double str_to_num(const Str& s) {
  const char* text = s.data ? s.data : "";
  size_t begin = skip_blanks(text);
  size_t end = scan_decimal(text, begin, true);
  if (end == begin) return 0.0;
  std::string number(text + begin, end - begin);
  return std::strtod(number.c_str(), nullptr);
}

int str_to_int(const Str& s) {
  const char* text = s.data ? s.data : "";
  size_t begin = skip_blanks(text);
  size_t end = scan_decimal(text, begin, false);
  if (end == begin) return 0;
  std::string number(text + begin, end - begin);
  long long v = std::strtoll(number.c_str(), nullptr, 10);
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}
