// Str editing: appending, concatenation, case conversion and substrings.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "engine/core/str.h"

namespace {

void append_bytes(Str& dst, const char* bytes, uint32_t n) {
  if (n == 0) return;
  uint64_t total = uint64_t(dst.length) + n;
  if (total >= UINT32_MAX) std::abort();  // a text of 4 GB cannot be held
  if (bytes == dst.data) {
    // Appending a Str to itself: the growth below may move the buffer the bytes come from.
    uint32_t old_length = dst.length;
    str_reserve(dst, static_cast<uint32_t>(total), true);
    std::memcpy(dst.data + old_length, dst.data, n);
  } else {
    str_reserve(dst, static_cast<uint32_t>(total), true);
    std::memcpy(dst.data + dst.length, bytes, n);
  }
  dst.length = static_cast<uint32_t>(total);
  dst.data[dst.length] = 0;
}

uint32_t cstr_length(const char* text) { return text ? static_cast<uint32_t>(std::strlen(text)) : 0; }

}  // namespace

Str& str_append(Str& dst, const Str& src) {
  append_bytes(dst, src.data, src.length);
  return dst;
}

void str_append_char(Str& dst, uint8_t c) {
  char byte = static_cast<char>(c);
  append_bytes(dst, &byte, 1);
}

// The constructing forms treat out as raw memory. When out is also one of the inputs it is a live
// value: the result is built aside and moved in, so the input is read intact and its buffer freed.

Str& str_concat(Str& out, const Str& a, const Str& b) {
  if (&out == &a || &out == &b) {
    Str joined;
    str_concat(joined, a, b);
    return out = static_cast<Str&&>(joined);
  }
  str_copy(out, a);
  return str_append(out, b);
}

Str& str_concat_cs(Str& out, const char* a, const Str& b) {
  if (&out == &b) {
    Str joined;
    str_concat_cs(joined, a, b);
    return out = static_cast<Str&&>(joined);
  }
  str_from_cstr(out, a);
  return str_append(out, b);
}

Str& str_concat_sc(Str& out, const Str& a, const char* b) {
  if (&out == &a) {
    Str joined;
    str_concat_sc(joined, a, b);
    return out = static_cast<Str&&>(joined);
  }
  str_copy(out, a);
  append_bytes(out, b, cstr_length(b));
  return out;
}

Str& str_concat_cn(Str& out, const char* a, double n) {
  Str number;
  str_from_num(number, n);
  str_from_cstr(out, a);
  return str_append(out, number);
}

Str& str_concat_sn(Str& out, const Str& a, double n) {
  Str number;
  str_from_num(number, n);
  if (&out == &a) return str_append(out, number);
  str_copy(out, a);
  return str_append(out, number);
}

void str_upper(Str& s) {
  for (uint32_t i = 0; i < s.length; ++i)
    s.data[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(s.data[i])));
}

void str_lower(Str& s) {
  for (uint32_t i = 0; i < s.length; ++i)
    s.data[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(s.data[i])));
}

Str& str_lower_copy(Str& out, const Str& s) {
  str_assign(out, s);
  str_lower(out);
  return out;
}

Str& str_mid(Str& out, const Str& s, int start, int count) {
  if (&out == &s) {
    Str piece;
    str_mid(piece, s, start, count);
    out = static_cast<Str&&>(piece);
    return out;
  }
  const int64_t len = s.length;
  // out starts empty (its buffer, if any, is kept for the piece).
  if (out.capacity > 0) out.data[0] = 0;
  out.length = 0;
  int64_t n = count < 0 ? len : count;
  if (int64_t(start) + n > len) n = len - start;
  if (n > 0 && start < len && start >= 0) {
    str_reserve(out, static_cast<uint32_t>(n + 1), true);
    std::memcpy(out.data, s.data + start, static_cast<size_t>(n));
    out.data[n] = 0;
    out.length = static_cast<uint32_t>(n);
  }
  return out;
}
