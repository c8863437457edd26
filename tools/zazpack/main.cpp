// zazpack: packs files into a "zaZ" archive.
//
//   zazpack [--end-relative] <archive> <file>...
//
// Each file is stored under its base name as an unsigned 32-bit unpacked size followed by an LZO1X-1
// stream. The packed data comes first, then the directory (name length, name, data position, packed
// size per entry, a zero length at the end), then the trailer "zaZ" and the directory position.
// Positions are absolute offsets, or with --end-relative negative distances from the end of the archive.
#include <lzo/lzo1x.h>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr uint64_t kMaxUnpacked = 256u * 1024u * 1024u;  // the reader's limit
constexpr uint64_t kMaxArchive = 0x7fffffff;             // positions are signed 32-bit

struct Entry {
  std::string name;
  std::vector<uint8_t> packed;  // unpacked size + LZO1X stream
  uint64_t offset = 0;
};

std::string base_name(const std::string& path) {
  size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool same_name(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

bool read_file(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open " + path + ": " + std::strerror(errno);
    return false;
  }
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = "cannot read " + path;
    return false;
  }
  return true;
}

bool pack(const std::vector<uint8_t>& raw, std::vector<uint8_t>& packed, std::string& error) {
  static std::vector<uint8_t> work(LZO1X_1_MEM_COMPRESS);
  std::vector<uint8_t> stream(raw.size() + raw.size() / 16 + 64 + 3);
  lzo_uint stream_len = stream.size();
  if (lzo1x_1_compress(raw.data(), raw.size(), stream.data(), &stream_len, work.data()) != LZO_E_OK) {
    error = "compression failed";
    return false;
  }
  packed.clear();
  put32(packed, uint32_t(raw.size()));
  packed.insert(packed.end(), stream.begin(), stream.begin() + long(stream_len));
  return true;
}

int fail(const std::string& message) {
  std::fprintf(stderr, "zazpack: %s\n", message.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  bool end_relative = false;
  int arg = 1;
  if (arg < argc && std::strcmp(argv[arg], "--end-relative") == 0) {
    end_relative = true;
    ++arg;
  }
  if (argc - arg < 2) {
    std::fprintf(stderr, "usage: zazpack [--end-relative] <archive> <file>...\n");
    return 2;
  }
  if (lzo_init() != LZO_E_OK) return fail("the LZO library failed to initialise");
  const std::string archive = argv[arg++];

  std::vector<Entry> entries;
  uint64_t offset = 0;
  std::string error;
  for (; arg < argc; ++arg) {
    const std::string path = argv[arg];
    Entry e;
    e.name = base_name(path);
    if (e.name.empty() || e.name.size() > 255) return fail("bad entry name for " + path);
    for (const Entry& other : entries)
      if (same_name(other.name, e.name)) return fail("two files named " + e.name);
    std::vector<uint8_t> raw;
    if (!read_file(path, raw, error)) return fail(error);
    if (raw.size() > kMaxUnpacked) return fail(path + " is larger than 256 MiB");
    if (!pack(raw, e.packed, error)) return fail(error + " for " + path);
    e.offset = offset;
    offset += e.packed.size();
    entries.push_back(std::move(e));
  }

  uint64_t dir_size = 1;
  for (const Entry& e : entries) dir_size += 1 + e.name.size() + 8;
  const uint64_t dir_offset = offset;
  const uint64_t total = dir_offset + dir_size + 7;
  if (total > kMaxArchive) return fail("archive would exceed 2 GiB");
  auto position = [&](uint64_t at) {
    return end_relative ? uint32_t(int32_t(int64_t(at) - int64_t(total))) : uint32_t(at);
  };

  std::vector<uint8_t> tail;
  for (const Entry& e : entries) {
    tail.push_back(uint8_t(e.name.size()));
    tail.insert(tail.end(), e.name.begin(), e.name.end());
    put32(tail, position(e.offset));
    put32(tail, uint32_t(e.packed.size()));
  }
  tail.push_back(0);
  tail.insert(tail.end(), {'z', 'a', 'Z'});
  put32(tail, position(dir_offset));

  std::FILE* out = std::fopen(archive.c_str(), "wb");
  if (!out) return fail("cannot create " + archive + ": " + std::strerror(errno));
  bool ok = true;
  for (const Entry& e : entries)
    ok = ok && std::fwrite(e.packed.data(), 1, e.packed.size(), out) == e.packed.size();
  ok = ok && std::fwrite(tail.data(), 1, tail.size(), out) == tail.size();
  ok = (std::fclose(out) == 0) && ok;
  if (!ok) {
    std::remove(archive.c_str());
    return fail("cannot write " + archive);
  }
  return 0;
}
