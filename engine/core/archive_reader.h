// Reading "zaZ" archives over a byte source: trailer, directory and entry unpacking.
// Every position and size read from the archive is checked against the archive's length.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Random access to the bytes of an archive.
class ArchiveSource {
 public:
  virtual ~ArchiveSource() = default;
  virtual int64_t length() const = 0;
  // Reads exactly n bytes at pos; false when the range is outside the source or the read fails.
  virtual bool read(int64_t pos, void* dst, size_t n) = 0;
};

// Opens an archive source: a live "mem://" name reads memory, any other name a file on disk.
// Null when the name cannot be opened.
std::unique_ptr<ArchiveSource> archive_source_open(const char* archive_name);
std::unique_ptr<ArchiveSource> archive_source_memory(const uint8_t* data, size_t size);

struct ArchiveDirectory {
  int64_t offset = 0;         // absolute offset of the first entry
  bool end_relative = false;  // positions count back from the end of the archive
};

struct ArchiveEntry {
  std::string name;           // as stored
  int32_t data_position = 0;  // as stored
  int32_t packed_size = 0;    // as stored
};

// Largest unpacked size an entry may claim: what a media file may have (files.h).
constexpr uint32_t ARCHIVE_MAX_UNPACKED = 64u * 1024u * 1024u;

// Checks the trailer ("zaZ" and the directory position). False when the source is not an archive.
bool archive_read_directory(ArchiveSource& src, ArchiveDirectory& dir);
// Finds the first entry whose whole name equals base_name, ignoring ASCII case. False when the
// directory ends (by its terminator, by the end of the archive or by a damaged entry: a name with
// control characters or a folder part) first; `damaged` (when given) then says whether it was damage.
bool archive_find_entry(ArchiveSource& src, const ArchiveDirectory& dir, const std::string& base_name,
                        ArchiveEntry& entry, bool* damaged = nullptr);
// All entries in directory order, up to the terminator or the first damaged entry (as for
// archive_find_entry, or one whose packed data lies inside the directory);
// complete (when given) says whether the terminator was reached with every entry sound.
std::vector<ArchiveEntry> archive_list_entries(ArchiveSource& src, const ArchiveDirectory& dir,
                                               bool* complete = nullptr);
// An unpacked entry. data always points at an allocation of at least one byte, so even an empty
// entry has an address of its own.
struct UnpackedEntry {
  std::unique_ptr<uint8_t[]> data;
  uint32_t size = 0;
  uint32_t claimed = 0;    // the unpacked size the entry claims
  bool too_large = false;  // refused unread: it claims more than ARCHIVE_MAX_UNPACKED
  bool no_memory = false;  // there was no memory to unpack it
};

// Unpacks an entry. A damaged entry (data outside the archive, a packed size below 4, an unpacked
// size above the limit, a stream that fails or yields another size) gives false and an empty entry, as
// does an entry there is no memory for (never an exception).
bool archive_unpack_entry(ArchiveSource& src, const ArchiveDirectory& dir, const ArchiveEntry& entry,
                          UnpackedEntry& out);
// The characters after the last '/' or '\' (the whole name when there is none).
std::string archive_base_name(const char* name);
