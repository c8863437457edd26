// RIFF/WAVE reader. Chunk sizes come from the file and are checked against the input before any use.
#include "engine/media/wav_reader.h"

#include "engine/core/files.h"

namespace {

uint32_t le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
bool is_id(const uint8_t* p, const char* id) {
  return p[0] == uint8_t(id[0]) && p[1] == uint8_t(id[1]) && p[2] == uint8_t(id[2]) && p[3] == uint8_t(id[3]);
}

// Walks the chunks from pos until one with the given id; on success body/length describe its contents
// (wholly inside the input) and pos points past it.
bool find_chunk(const uint8_t* bytes, size_t size, size_t& pos, const char* id, size_t& body,
                size_t& length) {
  while (size - pos >= 8) {
    const uint8_t* header = bytes + pos;
    uint64_t chunk = le32(header + 4);
    if (chunk > size - pos - 8) return false;  // runs past the end of the input
    body = pos + 8;
    length = size_t(chunk);
    pos = body + length;
    if (is_id(header, id)) return true;
  }
  return false;
}

}  // namespace

bool wav_parse(const uint8_t* bytes, size_t size, WavSound& out) {
  out = WavSound{};
  if (!bytes || size < 12) return false;
  if (!is_id(bytes, "RIFF") || !is_id(bytes + 8, "WAVE")) return false;

  size_t pos = 12, body = 0, length = 0;
  if (!find_chunk(bytes, size, pos, "fmt ", body, length) || length < 16) return false;
  const uint8_t* fmt = bytes + body;
  out.format_tag = le16(fmt);
  out.file_channels = le16(fmt + 2);
  uint32_t rate = le32(fmt + 4);
  out.byte_rate = le32(fmt + 8);
  int block_align = le16(fmt + 12);
  int bits = le16(fmt + 14);

  if (!find_chunk(bytes, size, pos, "data", body, length)) return false;

  PcmFormat& f = out.format;
  f.channels = out.file_channels > 1 ? 2 : 1;
  f.sample_rate = int(rate);
  f.bits = bits;
  f.block_align = block_align;
  if (out.file_channels < 1 || (bits != 8 && bits != 16)) return false;
  if (block_align != f.channels * bits / 8) return false;
  if (rate < 100 || rate > 200000) return false;
  size_t whole = length / size_t(block_align) * size_t(block_align);
  if (whole == 0) return false;
  out.samples.assign(bytes + body, bytes + body + whole);
  return true;
}

bool wav_read(const char* path, WavSound& out) {
  FileBytes bytes;
  if (!path || !*path || !file_bytes(path, kMediaFileMaxBytes, bytes)) return false;
  return wav_parse(bytes.data, bytes.size, out);
}
