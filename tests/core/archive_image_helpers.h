// Building "zaZ" archive images byte by byte, including damaged ones.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

Bytes to_bytes(const std::string& text);
// Packed entry data: the unpacked size (or claimed_size when given) and an LZO1X-1 stream.
Bytes lzo_packed(const Bytes& raw);
Bytes lzo_packed_claiming(const Bytes& raw, uint32_t claimed_size);

struct ImageEntry {
  std::string name;
  Bytes packed;
};

// A well-formed archive: packed data, directory, trailer; positions absolute or end-relative.
Bytes build_archive(const std::vector<ImageEntry>& entries, bool end_relative);

// Free-form image for damaged or unusual layouts.
class ArchiveImage {
 public:
  explicit ArchiveImage(size_t length, uint8_t fill = 0xEE);
  void put(size_t at, const Bytes& bytes);
  void put32(size_t at, int32_t value);
  // Writes a directory entry at 'at' and returns the position after it.
  size_t put_entry(size_t at, const std::string& name, int32_t data_position, int32_t packed_size);
  void put_terminator(size_t at) { bytes_.at(at) = 0; }
  void put_trailer(const char magic[3], int32_t directory_position);
  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

void write_bytes(const std::string& path, const Bytes& bytes);
Bytes read_bytes(const std::string& path);
