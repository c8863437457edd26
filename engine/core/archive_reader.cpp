// Reading "zaZ" archives: trailer, sequential directory, LZO1X entries.
#include "engine/core/archive_reader.h"
#include <lzo/lzo1x.h>
#include <cstring>
#include "engine/core/files.h"
#include "engine/core/mem_name.h"
#include "engine/platform/os_files.h"

namespace {

constexpr int kTrailerSize = 7;

class MemorySource : public ArchiveSource {
 public:
  MemorySource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  int64_t length() const override { return int64_t(size_); }
  bool read(int64_t pos, void* dst, size_t n) override {
    if (pos < 0 || uint64_t(pos) > size_ || n > size_ - size_t(pos)) return false;
    if (n) std::memcpy(dst, data_ + pos, n);
    return true;
  }

 private:
  const uint8_t* data_;
  size_t size_;
};

class FileSource : public ArchiveSource {
 public:
  FileSource(int fd, int64_t size) : fd_(fd), size_(size) {}
  ~FileSource() override { os_close(fd_); }
  int64_t length() const override { return size_; }
  bool read(int64_t pos, void* dst, size_t n) override {
    if (pos < 0 || pos > size_ || int64_t(n) > size_ - pos) return false;
    return os_read_at(fd_, pos, dst, n);
  }

 private:
  int fd_;
  int64_t size_;
};

int32_t le32(const uint8_t* b) {
  return int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24);
}

// A stored position: absolute, or counted back from the end of the archive.
int64_t place(int32_t stored, const ArchiveDirectory& dir, int64_t length) {
  return dir.end_relative ? length + int64_t(stored) : int64_t(stored);
}

char ascii_lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool same_name(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
  return true;
}

enum class EntryRead { entry, terminator, damaged };

// Reads one directory entry at pos: an entry, the terminator, or an entry that does not fit.
EntryRead read_entry(ArchiveSource& src, int64_t& pos, int64_t limit, ArchiveEntry& entry) {
  uint8_t len = 0;
  if (pos >= limit || !src.read(pos, &len, 1)) return EntryRead::damaged;
  if (len == 0) return EntryRead::terminator;
  if (int64_t(len) + 9 > limit - pos) return EntryRead::damaged;
  uint8_t buf[255 + 8];
  if (!src.read(pos + 1, buf, size_t(len) + 8)) return EntryRead::damaged;
  entry.name.assign(reinterpret_cast<const char*>(buf), len);
  entry.data_position = le32(buf + len);
  entry.packed_size = le32(buf + len + 4);
  pos += 1 + int64_t(len) + 8;
  return EntryRead::entry;
}

bool lzo_ready() {
  static const bool ready = lzo_init() == LZO_E_OK;
  return ready;
}

}  // namespace

std::unique_ptr<ArchiveSource> archive_source_memory(const uint8_t* data, size_t size) {
  return std::make_unique<MemorySource>(data, size);
}

std::unique_ptr<ArchiveSource> archive_source_open(const char* archive_name) {
  if (!archive_name || !*archive_name) return nullptr;
  if (mem_name_is(archive_name)) {
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    if (!mem_name_lookup(archive_name, &data, &size)) return nullptr;
    return archive_source_memory(data, size);
  }
  int fd = os_open(path_to_native(archive_name), OsOpen::read);
  if (fd < 0) return nullptr;
  OsFileInfo info;
  if (!os_fstat(fd, info) || info.kind != OsFileKind::file) {
    os_close(fd);
    return nullptr;
  }
  return std::make_unique<FileSource>(fd, info.size);
}

bool archive_read_directory(ArchiveSource& src, ArchiveDirectory& dir) {
  const int64_t length = src.length();
  if (length < kTrailerSize) return false;
  uint8_t trailer[kTrailerSize];
  if (!src.read(length - kTrailerSize, trailer, kTrailerSize)) return false;
  if (std::memcmp(trailer, "zaZ", 3) != 0) return false;
  const int32_t stored = le32(trailer + 3);
  dir.end_relative = stored < 0;
  dir.offset = place(stored, dir, length);
  return true;
}

bool archive_find_entry(ArchiveSource& src, const ArchiveDirectory& dir, const std::string& base_name,
                        ArchiveEntry& entry) {
  // The directory lies before the trailer; a position outside that range holds no entries.
  const int64_t limit = src.length() - kTrailerSize;
  if (dir.offset < 0 || dir.offset >= limit || base_name.empty()) return false;
  int64_t pos = dir.offset;
  ArchiveEntry e;
  while (read_entry(src, pos, limit, e) == EntryRead::entry) {
    if (same_name(e.name, base_name)) {
      entry = e;
      return true;
    }
  }
  return false;
}

std::vector<ArchiveEntry> archive_list_entries(ArchiveSource& src, const ArchiveDirectory& dir,
                                               bool* complete) {
  std::vector<ArchiveEntry> entries;
  if (complete) *complete = false;
  const int64_t limit = src.length() - kTrailerSize;
  if (dir.offset < 0 || dir.offset >= limit) return entries;
  int64_t pos = dir.offset;
  ArchiveEntry e;
  EntryRead read;
  while ((read = read_entry(src, pos, limit, e)) == EntryRead::entry) entries.push_back(e);
  if (complete) *complete = read == EntryRead::terminator;
  return entries;
}

bool archive_unpack_entry(ArchiveSource& src, const ArchiveDirectory& dir, const ArchiveEntry& entry,
                          UnpackedEntry& out) {
  out.data.reset(new uint8_t[1]);
  out.size = 0;
  const int64_t length = src.length();
  const int64_t start = place(entry.data_position, dir, length);
  if (entry.packed_size < 4 || start < 0 || start > length || int64_t(entry.packed_size) > length - start)
    return false;
  std::vector<uint8_t> packed(size_t(entry.packed_size));
  if (!src.read(start, packed.data(), packed.size())) return false;
  const uint32_t unpacked = uint32_t(le32(packed.data()));
  if (unpacked == 0) return true;
  if (unpacked > ARCHIVE_MAX_UNPACKED || !lzo_ready()) return false;
  // No LZO1X instruction yields more than 255 bytes per byte it occupies, so a size beyond that
  // cannot be right; refusing it early avoids a large allocation for a stream that must fail.
  const uint64_t stream = uint64_t(packed.size() - 4);
  if (uint64_t(unpacked) > stream * 256 + 1024) return false;
  // Left uninitialised: the decompressor writes what it produces, and only an exact fill is accepted.
  std::unique_ptr<uint8_t[]> data(new uint8_t[unpacked]);
  lzo_uint produced = unpacked;
  int rc =
      lzo1x_decompress_safe(packed.data() + 4, lzo_uint(packed.size() - 4), data.get(), &produced, nullptr);
  if (rc != LZO_E_OK || produced != unpacked) return false;
  out.data = std::move(data);
  out.size = unpacked;
  return true;
}

std::string archive_base_name(const char* name) {
  if (!name) return std::string();
  const char* base = name;
  for (const char* p = name; *p; ++p)
    if (*p == '/' || *p == '\\') base = p + 1;
  return base;
}
