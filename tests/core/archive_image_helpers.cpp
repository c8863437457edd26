#include "core/archive_image_helpers.h"
#include <lzo/lzo1x.h>
#include <fstream>
#include <iterator>
#include <stdexcept>

Bytes to_bytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes lzo_packed_claiming(const Bytes& raw, uint32_t claimed_size) {
  if (lzo_init() != LZO_E_OK) throw std::runtime_error("lzo_init");
  Bytes work(LZO1X_1_MEM_COMPRESS);
  Bytes stream(raw.size() + raw.size() / 16 + 64 + 3);
  lzo_uint len = stream.size();
  if (lzo1x_1_compress(raw.data(), raw.size(), stream.data(), &len, work.data()) != LZO_E_OK)
    throw std::runtime_error("lzo1x_1_compress");
  Bytes out;
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(claimed_size >> (8 * i)));
  out.insert(out.end(), stream.begin(), stream.begin() + long(len));
  return out;
}

Bytes lzo_packed(const Bytes& raw) { return lzo_packed_claiming(raw, uint32_t(raw.size())); }

Bytes build_archive(const std::vector<ImageEntry>& entries, bool end_relative) {
  size_t data_size = 0, dir_size = 1;
  for (const ImageEntry& e : entries) {
    data_size += e.packed.size();
    dir_size += 1 + e.name.size() + 8;
  }
  const size_t total = data_size + dir_size + 7;
  auto pos = [&](size_t at) { return end_relative ? int32_t(int64_t(at) - int64_t(total)) : int32_t(at); };
  ArchiveImage image(total);
  size_t at = 0;
  std::vector<size_t> offsets;
  for (const ImageEntry& e : entries) {
    offsets.push_back(at);
    image.put(at, e.packed);
    at += e.packed.size();
  }
  const size_t dir = at;
  for (size_t i = 0; i < entries.size(); ++i)
    at = image.put_entry(at, entries[i].name, pos(offsets[i]), int32_t(entries[i].packed.size()));
  image.put_terminator(at);
  image.put_trailer("zaZ", pos(dir));
  return image.bytes();
}

ArchiveImage::ArchiveImage(size_t length, uint8_t fill) : bytes_(length, fill) {}

void ArchiveImage::put(size_t at, const Bytes& bytes) {
  if (at + bytes.size() > bytes_.size()) throw std::out_of_range("ArchiveImage::put");
  std::copy(bytes.begin(), bytes.end(), bytes_.begin() + long(at));
}

void ArchiveImage::put32(size_t at, int32_t value) {
  Bytes b;
  for (int i = 0; i < 4; ++i) b.push_back(uint8_t(uint32_t(value) >> (8 * i)));
  put(at, b);
}

size_t ArchiveImage::put_entry(size_t at, const std::string& name, int32_t data_position,
                               int32_t packed_size) {
  Bytes b{uint8_t(name.size())};
  b.insert(b.end(), name.begin(), name.end());
  put(at, b);
  put32(at + b.size(), data_position);
  put32(at + b.size() + 4, packed_size);
  return at + b.size() + 8;
}

void ArchiveImage::put_trailer(const char magic[3], int32_t directory_position) {
  const size_t at = bytes_.size() - 7;
  put(at, Bytes(magic, magic + 3));
  put32(at + 3, directory_position);
}

void write_bytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

Bytes read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
