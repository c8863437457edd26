// Byte encodings of text: hexadecimal digits and URL encoding.
#include <cstdio>

#include "engine/core/str.h"

Str& str_hex(Str& out, const uint8_t* bytes, int count, int upper) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  // Built aside: the bytes may lie in out's own buffer.
  Str hex;
  if (bytes && count > 0) {
    str_reserve(hex, static_cast<uint32_t>(count) * 2, false);
    for (int i = 0; i < count; ++i) {
      hex.data[2 * i] = digits[bytes[i] >> 4];
      hex.data[2 * i + 1] = digits[bytes[i] & 15];
    }
    hex.length = static_cast<uint32_t>(count) * 2;
    hex.data[hex.length] = 0;
  }
  return str_assign(out, hex);
}

Str& str_url_encode(Str& out, const Str& s) {
  Str encoded;
  char piece[16];
  for (uint32_t i = 0; i < s.length; ++i) {
    unsigned c = static_cast<unsigned char>(s.data[i]);
    bool plain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (plain) {
      str_append_char(encoded, static_cast<uint8_t>(c));
      continue;
    }
    // Bytes 0x80-0xFF are Latin-1 characters and go out as their two UTF-8 bytes.
    if (c >= 0x80 && c <= 0xBF) std::snprintf(piece, sizeof piece, "%%%02x%%%02x", 0xC2u, c);
    else if (c >= 0xC0) std::snprintf(piece, sizeof piece, "%%%02x%%%02x", 0xC3u, (c & 0x3Fu) + 0x80u);
    else std::snprintf(piece, sizeof piece, "%%%02x", c);
    for (const char* p = piece; *p; ++p) str_append_char(encoded, static_cast<uint8_t>(*p));
  }
  return str_assign(out, encoded);
}
