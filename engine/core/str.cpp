// Str storage: the shared empty text, construction, assignment, growth and re-measuring.
#include "engine/core/str.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The one empty text every empty Str points at. Never written with anything but its terminator and
// never freed.
char g_shared_empty[1] = {0};

[[noreturn]] void out_of_memory(uint64_t bytes) {
  std::fprintf(stderr, "Str: out of memory allocating %llu bytes\n", static_cast<unsigned long long>(bytes));
  std::abort();
}

char* allocate(uint64_t bytes) {
  if (bytes > UINT32_MAX) out_of_memory(bytes);
  char* p = static_cast<char*>(std::malloc(static_cast<size_t>(bytes)));
  if (!p) out_of_memory(bytes);
  return p;
}

void release(char* data) {
  if (data && data != g_shared_empty) std::free(data);
}

void make_empty(Str& s) {
  s.data = g_shared_empty;
  s.capacity = 0;
  s.length = 0;
}

}  // namespace

// ---- C++ members, in terms of the free functions ----

Str::Str() { str_init(*this); }
Str::Str(const char* text) { str_from_cstr(*this, text); }
Str::Str(const Str& other) { str_copy(*this, other); }
Str::Str(Str&& other) noexcept : data(other.data), capacity(other.capacity), length(other.length) {
  make_empty(other);
}
Str& Str::operator=(const Str& other) { return str_assign(*this, other); }
Str& Str::operator=(const char* text) {
  str_assign_cstr(*this, text);
  return *this;
}
Str& Str::operator=(Str&& other) noexcept {
  if (this != &other) {
    release(data);
    data = other.data;
    capacity = other.capacity;
    length = other.length;
    make_empty(other);
  }
  return *this;
}
Str::~Str() { str_destroy(*this); }

// ---- Construction and storage ----

Str& str_init(Str& out) {
  make_empty(out);
  return out;
}

void str_destroy(Str& s) {
  release(s.data);
  make_empty(s);
}

bool str_is_shared_empty(const Str& s) { return s.data == g_shared_empty; }

void str_reserve(Str& s, uint32_t n, bool keep) {
  if (n == 0 || s.capacity >= uint64_t(n) + 1) return;
  // The next multiple of 16 strictly above n: n + 1 rounded up to a multiple of 16.
  uint64_t capacity = (uint64_t(n) & ~uint64_t(15)) + 16;
  char* buffer = allocate(capacity);
  if (keep && s.length > 0) {
    std::memcpy(buffer, s.data, s.length);
    buffer[s.length] = 0;
  } else {
    buffer[0] = 0;
  }
  release(s.data);
  s.data = buffer;
  s.capacity = static_cast<uint32_t>(capacity);
}

void str_sync_length(Str& s) {
  if (!s.data || s.capacity == 0) {
    s.length = 0;
    return;
  }
  const void* zero = std::memchr(s.data, 0, s.capacity);
  if (zero) {
    s.length = static_cast<uint32_t>(static_cast<const char*>(zero) - s.data);
  } else {
    s.data[s.capacity - 1] = 0;
    s.length = s.capacity - 1;
  }
}

void str_from_cstr(Str& out, const char* text) {
  make_empty(out);
  size_t n = text ? std::strlen(text) : 0;
  if (n == 0) return;
  if (n >= UINT32_MAX) out_of_memory(uint64_t(n) + 1);
  str_reserve(out, static_cast<uint32_t>(n), false);
  std::memcpy(out.data, text, n + 1);
  out.length = static_cast<uint32_t>(n);
}

void str_copy(Str& out, const Str& src) {
  // Read src before out is written: the two may be the same object.
  const char* from = src.data;
  uint32_t n = src.length;
  Str fresh;
  if (n > 0) {
    str_reserve(fresh, n, false);
    std::memcpy(fresh.data, from, n);
    fresh.data[n] = 0;
    fresh.length = n;
  }
  out.data = fresh.data;
  out.capacity = fresh.capacity;
  out.length = fresh.length;
  make_empty(fresh);
}

Str& str_assign(Str& dst, const Str& src) {
  if (dst.data == src.data) return dst;
  if (src.length == 0) {
    if (dst.capacity > 0) dst.data[0] = 0;
    dst.length = 0;
    return dst;
  }
  str_reserve(dst, src.length, false);
  std::memcpy(dst.data, src.data, src.length);
  dst.data[src.length] = 0;
  dst.length = src.length;
  return dst;
}

void str_assign_cstr(Str& dst, const char* text) {
  // The text may live inside dst's own buffer, so the new buffer is filled before the old one goes.
  size_t n = text ? std::strlen(text) : 0;
  char* buffer = nullptr;
  if (n > 0) {
    buffer = allocate(uint64_t(n) + 1);
    std::memcpy(buffer, text, n + 1);
  }
  release(dst.data);
  if (n == 0) {
    make_empty(dst);
    return;
  }
  dst.data = buffer;
  dst.capacity = static_cast<uint32_t>(n + 1);
  dst.length = static_cast<uint32_t>(n);
}
