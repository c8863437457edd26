// Builds WAV images for tests: a RIFF header, chunks in any order, any sizes (also wrong ones).
#pragma once
#include <cstdint>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

#include "portable.h"

namespace wavtest {

struct Bytes {
  std::vector<uint8_t> v;
  Bytes& id(const char* four) {
    for (int n = 0; n < 4; n++) v.push_back(uint8_t(four[n]));
    return *this;
  }
  Bytes& u16(uint16_t x) {
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
    return *this;
  }
  Bytes& u32(uint32_t x) {
    for (int n = 0; n < 4; n++) v.push_back(uint8_t(x >> (8 * n)));
    return *this;
  }
  Bytes& fill(size_t count, uint8_t value = 0) {
    v.insert(v.end(), count, value);
    return *this;
  }
};

// A "fmt " chunk with the given body length (16 or more carries the six fields; extra bytes are zero).
inline Bytes fmt_chunk(uint32_t body, int channels, int rate, int bits, int tag = 1) {
  Bytes b;
  int align = channels * bits / 8;
  b.id("fmt ").u32(body);
  Bytes f;
  f.u16(uint16_t(tag))
      .u16(uint16_t(channels))
      .u32(uint32_t(rate))
      .u32(uint32_t(rate * align))
      .u16(uint16_t(align))
      .u16(uint16_t(bits));
  f.v.resize(body, 0);
  b.v.insert(b.v.end(), f.v.begin(), f.v.end());
  return b;
}

inline Bytes data_chunk(uint32_t length, uint8_t value = 0x40) {
  Bytes b;
  b.id("data").u32(length).fill(length, value);
  return b;
}

inline Bytes chunk(const char* id, uint32_t length) {
  Bytes b;
  b.id(id).u32(length).fill(length, 0x11);
  return b;
}

// "RIFF" size "WAVE" followed by the chunks.
inline std::vector<uint8_t> riff(std::initializer_list<Bytes> chunks) {
  Bytes out;
  size_t body = 4;
  for (const Bytes& c : chunks) body += c.v.size();
  out.id("RIFF").u32(uint32_t(body)).id("WAVE");
  for (const Bytes& c : chunks) out.v.insert(out.v.end(), c.v.begin(), c.v.end());
  return out.v;
}

// A plain PCM WAV of the given length in milliseconds.
inline std::vector<uint8_t> pcm_wav(int ms, int channels = 1, int rate = 22050, int bits = 16) {
  uint32_t align = uint32_t(channels * bits / 8);
  uint32_t frames = uint32_t(int64_t(rate) * ms / 1000);
  return riff({fmt_chunk(16, channels, rate, bits), data_chunk(frames * align)});
}

// A file in the temporary directory, removed again when the test ends.
struct TempFile {
  std::string path;
  TempFile(const std::string& name, const std::vector<uint8_t>& bytes);
  ~TempFile() { std::remove(path.c_str()); }
  const char* c_str() const { return path.c_str(); }
};

inline std::string write_temp(const std::string& name, const std::vector<uint8_t>& bytes) {
  const std::string path =
      portable::temp_root() + "/brakka_test_" + std::to_string(portable::process_id()) + "_" + name;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  return path;
}

inline TempFile::TempFile(const std::string& name, const std::vector<uint8_t>& bytes)
    : path(write_temp(name, bytes)) {}

}  // namespace wavtest
