// Placeholder until the full text value lands: enough for other modules to build and link.
#include "engine/core/str.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

static char g_empty[1] = {0};
Str::Str() : data(g_empty), capacity(0), length(0) {}
Str::Str(const char* t) : Str() { *this = t; }
Str::Str(const Str& o) : Str() { *this = o.data; }
Str::Str(Str&& o) noexcept : data(o.data), capacity(o.capacity), length(o.length) {
  o.data = g_empty; o.capacity = 0; o.length = 0;
}
Str& Str::operator=(const Str& o) { if (this != &o) *this = o.data; return *this; }
Str& Str::operator=(const char* t) {
  size_t n = t ? strlen(t) : 0;
  char* d = (char*)malloc(n + 1);
  memcpy(d, t ? t : "", n + 1);
  if (capacity) free(data);
  data = d; capacity = uint32_t(n + 1); length = uint32_t(n);
  return *this;
}
Str::~Str() { if (capacity) free(data); }
void str_from_cstr(Str& out, const char* text) { new (&out) Str(text); }
Str& str_concat_sc(Str& out, const Str& a, const char* b) {
  std::string s = std::string(a.data) + b; new (&out) Str(s.c_str()); return out;
}
Str& str_concat_cs(Str& out, const char* a, const Str& b) {
  std::string s = std::string(a) + b.data; new (&out) Str(s.c_str()); return out;
}
void str_from_num(Str& out, double v) { char b[64]; snprintf(b, sizeof b, "%.10g", v); new (&out) Str(b); }
int str_eq_sc(const Str& a, const char* b) { return strcmp(a.data, b) == 0; }
Str& str_encrypt(Str& out, const Str&, const Str& text) { new (&out) Str(text.data); return out; }
Str& str_decrypt(Str& out, const Str&, Str& hex) { new (&out) Str(hex.data); return out; }
