// Registry of in-memory buffers that may be opened by their "mem://" names.
#include "engine/core/mem_name.h"
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <unordered_map>

namespace {

std::unordered_map<uintptr_t, uint32_t>& live_buffers() {
  static std::unordered_map<uintptr_t, uint32_t> buffers;
  return buffers;
}

// One hexadecimal field: optional leading blanks, then 1..16 lower- or upper-case digits.
bool parse_hex_field(const char*& p, char stop, uint64_t& value) {
  while (*p == ' ') ++p;
  int digits = 0;
  uint64_t v = 0;
  for (; *p && *p != stop; ++p) {
    int d;
    if (*p >= '0' && *p <= '9') d = *p - '0';
    else if (*p >= 'a' && *p <= 'f') d = *p - 'a' + 10;
    else if (*p >= 'A' && *p <= 'F') d = *p - 'A' + 10;
    else return false;
    if (++digits > 16) return false;
    v = (v << 4) | uint64_t(d);
  }
  if (digits == 0 || *p != stop) return false;
  value = v;
  return true;
}

}  // namespace

bool mem_name_is(const char* name) { return name && std::strncmp(name, "mem://", 6) == 0; }

std::string mem_name_register(const uint8_t* data, uint32_t size) {
  live_buffers()[reinterpret_cast<uintptr_t>(data)] = size;
  char name[64];
  std::snprintf(name, sizeof name, "mem://%8" PRIx32 ".%8" PRIxPTR, size, reinterpret_cast<uintptr_t>(data));
  return name;
}

void mem_name_release(const uint8_t* data) { live_buffers().erase(reinterpret_cast<uintptr_t>(data)); }

bool mem_name_lookup(const char* name, const uint8_t** data, uint32_t* size) {
  if (!mem_name_is(name)) return false;
  const char* p = name + 6;
  uint64_t length = 0, address = 0;
  if (!parse_hex_field(p, '.', length)) return false;
  ++p;
  if (!parse_hex_field(p, '\0', address)) return false;
  auto it = live_buffers().find(uintptr_t(address));
  if (it == live_buffers().end() || it->second != length) return false;
  if (data) *data = reinterpret_cast<const uint8_t*>(it->first);
  if (size) *size = it->second;
  return true;
}

size_t mem_name_live_count() { return live_buffers().size(); }
