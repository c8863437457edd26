#include <gtest/gtest.h>
#include <unistd.h>
#include <filesystem>
#include "core/archive_image_helpers.h"
#include "core/temp_dir_helpers.h"
#include "engine/app/app.h"
#include "engine/core/archive.h"
#include "engine/core/files.h"
#include "engine/core/mem_name.h"

namespace {

namespace fs = std::filesystem;

class ArchiveTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    archive_slots_create();
  }
  void TearDown() override {
    archive_slots_release();
    TempDirTest::TearDown();
  }
  // Names the data archive (written to disk as data.zaz) and leaves the media slot empty.
  void use_data_archive(const Bytes& image) {
    write_bytes("data.zaz", image);
    archive_set_names("data.zaz", "");
  }
  // Resolves on the data slot and returns the entry's bytes; fails the test when it does not resolve.
  Bytes resolve_to_bytes(const char* name) {
    Str path;
    EXPECT_EQ(archive_resolve(ARCHIVE_DATA, name, path, 1), 1) << name;
    Bytes out;
    EXPECT_TRUE(file_read_all(path.data, out)) << path.data;
    return out;
  }
};

const Bytes kGreen = to_bytes("green pixels\n");
const Bytes kRed = to_bytes("red red red red red red red red red red red red\n");

// ---- where names resolve -------------------------------------------------------------------

TEST_F(ArchiveTest, LooseFileWinsAndArchiveIsNotOpened) {
  write_bytes("green.bmp", to_bytes("loose"));
  // Not an archive at all: opening it would switch the slot off.
  write_bytes("data.zaz", to_bytes("garbage"));
  archive_set_names("data.zaz", "");
  Str path;
  EXPECT_EQ(archive_resolve(ARCHIVE_DATA, "green.bmp", path, 1), 1);
  EXPECT_STREQ(path.data, "green.bmp");
  EXPECT_TRUE(archive_slot_active(ARCHIVE_DATA));
}

TEST_F(ArchiveTest, LooseFileBesideArchiveEntryOfSameName) {
  use_data_archive(build_archive({{"green.bmp", lzo_packed(kGreen)}}, false));
  write_bytes("green.bmp", to_bytes("loose"));
  EXPECT_EQ(resolve_to_bytes("green.bmp"), to_bytes("loose"));
}

TEST_F(ArchiveTest, MixedCasePathWithDirectoriesMatchesBaseName) {
  use_data_archive(build_archive({{"red.bmp", lzo_packed(kRed)}, {"green.bmp", lzo_packed(kGreen)}}, false));
  EXPECT_EQ(resolve_to_bytes("Media/Sub/Green.BMP"), kGreen);
  EXPECT_EQ(resolve_to_bytes("Media\\Sub\\GREEN.bmp"), kGreen);
  EXPECT_EQ(resolve_to_bytes("RED.BMP"), kRed);
}

TEST_F(ArchiveTest, StoredNameWithDirectoryNeverMatches) {
  use_data_archive(
      build_archive({{"sub/green.bmp", lzo_packed(kGreen)}, {"sub\\red.bmp", lzo_packed(kRed)}}, false));
  for (const char* name : {"sub/green.bmp", "green.bmp", "sub\\red.bmp", "red.bmp"}) {
    Str path = "unchanged";
    EXPECT_EQ(archive_resolve(ARCHIVE_DATA, name, path, 1), 0) << name;
    EXPECT_STREQ(path.data, "") << name;
  }
  EXPECT_TRUE(archive_slot_active(ARCHIVE_DATA));
}

TEST_F(ArchiveTest, WholeNameMustMatchNotAPrefix) {
  use_data_archive(
      build_archive({{"green.bmp.old", lzo_packed(kRed)}, {"green.bmp", lzo_packed(kGreen)}}, false));
  EXPECT_EQ(resolve_to_bytes("green.bmp"), kGreen);
  Str path;
  EXPECT_EQ(archive_resolve(ARCHIVE_DATA, "green", path, 1), 0);
  EXPECT_EQ(archive_resolve(ARCHIVE_DATA, "green.bm", path, 1), 0);
}

TEST_F(ArchiveTest, NameNotInArchiveGivesEmptyPathAndKeepsSlot) {
  use_data_archive(build_archive({{"green.bmp", lzo_packed(kGreen)}}, false));
  Str path = "x";
  EXPECT_EQ(archive_resolve(ARCHIVE_DATA, "blue.bmp", path, 1), 0);
  EXPECT_STREQ(path.data, "");
  EXPECT_TRUE(archive_slot_active(ARCHIVE_DATA));
  EXPECT_EQ(resolve_to_bytes("green.bmp"), kGreen);
}

TEST_F(ArchiveTest, EmptyOrMissingNameFails) {
  use_data_archive(build_archive({{"green.bmp", lzo_packed(kGreen)}}, false));
  Str path = "x";
  EXPECT_EQ(archive_resolve(ARCHIVE_DATA, "", path, 1), 0);
  EXPECT_STREQ(path.data, "");
  path = "x";
  EXPECT_EQ(archive_resolve(ARCHIVE_DATA, nullptr, path, 1), 0);
  EXPECT_STREQ(path.data, "");
  EXPECT_EQ(archive_resolve(ARCHIVE_DATA, "dir/", path, 1), 0);
}

TEST_F(ArchiveTest, InactiveSlotLeavesNameInPath) {
  Str path;
  EXPECT_EQ(archive_resolve(ARCHIVE_DATA, "nothing.txt", path, 1), 0);
  EXPECT_STREQ(path.data, "nothing.txt");
}

// ---- switching slots off -------------------------------------------------------------------

TEST_F(ArchiveTest, LowerCaseMagicSwitchesSlotOffForGood) {
  Bytes image = build_archive({{"green.bmp", lzo_packed(kGreen)}}, false);
  image[image.size() - 5] = 'z';  // "zaz"
  use_data_archive(image);
  Str path;
  EXPECT_EQ(archive_resolve(ARCHIVE_DATA, "green.bmp", path, 1), 0);
  EXPECT_STREQ(path.data, "green.bmp");
  EXPECT_FALSE(archive_slot_active(ARCHIVE_DATA));
  // Mending the file does not help until the archives are named again.
  write_bytes("data.zaz", build_archive({{"green.bmp", lzo_packed(kGreen)}}, false));
  EXPECT_EQ(archive_resolve(ARCHIVE_DATA, "green.bmp", path, 1), 0);
  archive_set_names("data.zaz", "");
  EXPECT_EQ(resolve_to_bytes("green.bmp"), kGreen);
}

TEST_F(ArchiveTest, MissingOrShortArchiveSwitchesSlotOff) {
  archive_set_names("absent.zaz", "");
  Str path;
  EXPECT_EQ(archive_resolve(ARCHIVE_DATA, "a.txt", path, 1), 0);
  EXPECT_FALSE(archive_slot_active(ARCHIVE_DATA));
  write_bytes("tiny.zaz", to_bytes("zaZ"));
  archive_set_names("tiny.zaz", "");
  EXPECT_EQ(archive_resolve(ARCHIVE_DATA, "a.txt", path, 1), 0);
  EXPECT_FALSE(archive_slot_active(ARCHIVE_DATA));
}

TEST_F(ArchiveTest, EmptyArchiveNameSwitchesSlotOffAtFirstLookup) {
  archive_set_names("", "");
  EXPECT_TRUE(archive_slot_active(ARCHIVE_DATA));
  Str path;
  EXPECT_EQ(archive_resolve(ARCHIVE_DATA, "a.txt", path, 1), 0);
  EXPECT_STREQ(path.data, "a.txt");
  EXPECT_FALSE(archive_slot_active(ARCHIVE_DATA));
}

TEST_F(ArchiveTest, ArchiveDirectoryIsNotAnArchive) {
  fs::create_directory("folder.zaz");
  archive_set_names("folder.zaz", "");
  Str path;
  EXPECT_EQ(archive_resolve(ARCHIVE_DATA, "a.txt", path, 1), 0);
  EXPECT_FALSE(archive_slot_active(ARCHIVE_DATA));
}

// ---- positions -----------------------------------------------------------------------------

TEST_F(ArchiveTest, EndRelativeDirectoryAndDataPositions) {
  const size_t length = 2000;
  const Bytes packed = lzo_packed(kGreen);
  ArchiveImage image(length);
  size_t at = image.put_entry(length - 1000, "green.bmp", -900, int32_t(packed.size()));
  image.put_terminator(at);
  image.put(length - 900, packed);
  image.put_trailer("zaZ", -1000);
  use_data_archive(image.bytes());
  EXPECT_EQ(resolve_to_bytes("green.bmp"), kGreen);
}

TEST_F(ArchiveTest, AbsolutePositionsAnywhereInArchive) {
  const Bytes packed = lzo_packed(kRed);
  ArchiveImage image(600);
  image.put(10, packed);
  size_t at = image.put_entry(300, "red.bmp", 10, int32_t(packed.size()));
  image.put_terminator(at);
  image.put_trailer("zaZ", 300);
  use_data_archive(image.bytes());
  EXPECT_EQ(resolve_to_bytes("red.bmp"), kRed);
}

TEST_F(ArchiveTest, ArchiveHeldInMemory) {
  const Bytes image = build_archive({{"green.bmp", lzo_packed(kGreen)}}, true);
  const std::string name = mem_name_register(image.data(), uint32_t(image.size()));
  archive_set_names(name.c_str(), "");
  EXPECT_EQ(resolve_to_bytes("green.bmp"), kGreen);
  mem_name_release(image.data());
}

// ---- entries -------------------------------------------------------------------------------

TEST_F(ArchiveTest, PackedSizeFourWithUnpackedZeroIsEmptyFile) {
  use_data_archive(build_archive({{"empty.txt", Bytes{0, 0, 0, 0}}}, false));
  Str path;
  ASSERT_EQ(archive_resolve(ARCHIVE_DATA, "empty.txt", path, 1), 1);
  EXPECT_TRUE(mem_name_is(path.data));
  Bytes out{1};
  EXPECT_TRUE(file_read_all(path.data, out));
  EXPECT_TRUE(out.empty());
}

TEST_F(ArchiveTest, MemNameHasFixedWidthFields) {
  use_data_archive(build_archive({{"green.bmp", lzo_packed(kGreen)}}, false));
  Str path;
  ASSERT_EQ(archive_resolve(ARCHIVE_DATA, "green.bmp", path, 1), 1);
  char expected_len[16];
  std::snprintf(expected_len, sizeof expected_len, "%8zx.", kGreen.size());
  EXPECT_EQ(std::string(path.data).substr(0, 15), "mem://" + std::string(expected_len));
}

TEST_F(ArchiveTest, SuccessiveLookupsReleasePreviousBuffer) {
  use_data_archive(build_archive({{"green.bmp", lzo_packed(kGreen)}, {"red.bmp", lzo_packed(kRed)}}, false));
  Str first, second;
  ASSERT_EQ(archive_resolve(ARCHIVE_DATA, "green.bmp", first, 1), 1);
  EXPECT_TRUE(mem_name_lookup(first.data, nullptr, nullptr));
  ASSERT_EQ(archive_resolve(ARCHIVE_DATA, "red.bmp", second, 1), 1);
  EXPECT_FALSE(mem_name_lookup(first.data, nullptr, nullptr));
  EXPECT_TRUE(mem_name_lookup(second.data, nullptr, nullptr));
  EXPECT_EQ(mem_name_live_count(), 1u);
  EXPECT_EQ(file_open(0, first, 1), 0);
  EXPECT_EQ(app_error_code(), 3);
}

TEST_F(ArchiveTest, SetArchivesAndReleaseFreeExtractions) {
  use_data_archive(build_archive({{"green.bmp", lzo_packed(kGreen)}}, false));
  Str path;
  ASSERT_EQ(archive_resolve(ARCHIVE_DATA, "green.bmp", path, 1), 1);
  archive_set_names("data.zaz", "");
  EXPECT_EQ(mem_name_live_count(), 0u);
  ASSERT_EQ(archive_resolve(ARCHIVE_DATA, "green.bmp", path, 1), 1);
  archive_slots_release();
  EXPECT_EQ(mem_name_live_count(), 0u);
  EXPECT_FALSE(archive_slot_active(ARCHIVE_DATA));
}

// ---- the media slot and its temporary files ------------------------------------------------

// Content whose packed form is exactly `packed_size` bytes.
Bytes content_packing_to(size_t packed_size) {
  const std::string alphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  for (size_t n = 1; n <= alphabet.size(); ++n) {
    Bytes raw = to_bytes(alphabet.substr(0, n));
    if (lzo_packed(raw).size() == packed_size) return raw;
  }
  return {};
}

TEST_F(ArchiveTest, TemporaryFileNameFromPositionAndSize) {
  const Bytes raw = content_packing_to(28);
  ASSERT_FALSE(raw.empty());
  const Bytes packed = lzo_packed(raw);
  ArchiveImage image(27 + 28 + 1 + 1 + 8 + 8 + 1 + 7);
  image.put(27, packed);
  size_t at = image.put_entry(55, "song.mp3", 27, 28);
  image.put_terminator(at);
  image.put_trailer("zaZ", 55);
  write_bytes("media.zaz", image.bytes());
  archive_set_names("", "media.zaz");

  Str path;
  ASSERT_EQ(archive_resolve(ARCHIVE_MEDIA, "Music/Song.MP3", path, 0), 1);
  EXPECT_EQ(std::string(path.data), portable::native_path(in_dir("zazBCsong.mp3")));
  EXPECT_EQ(read_bytes(path.data), raw);
  EXPECT_EQ(archive_slot_extracted_file(ARCHIVE_MEDIA), std::string(path.data));
}

TEST_F(ArchiveTest, TemporaryFileLivesUntilNextLookupOrRelease) {
  write_bytes("media.zaz", build_archive({{"a.mp3", lzo_packed(kGreen)}, {"b.mp3", lzo_packed(kRed)}}, true));
  archive_set_names("", "media.zaz");
  Str a, b;
  ASSERT_EQ(archive_resolve(ARCHIVE_MEDIA, "a.mp3", a, 0), 1);
  EXPECT_EQ(read_bytes(a.data), kGreen);
  ASSERT_EQ(archive_resolve(ARCHIVE_MEDIA, "b.mp3", b, 0), 1);
  EXPECT_FALSE(fs::exists(a.data));
  EXPECT_EQ(read_bytes(b.data), kRed);
  // A failed lookup releases the previous file too.
  Str none;
  EXPECT_EQ(archive_resolve(ARCHIVE_MEDIA, "c.mp3", none, 0), 0);
  EXPECT_FALSE(fs::exists(b.data));

  ASSERT_EQ(archive_resolve(ARCHIVE_MEDIA, "a.mp3", a, 0), 1);
  archive_set_names("", "media.zaz");
  EXPECT_FALSE(fs::exists(a.data));
  ASSERT_EQ(archive_resolve(ARCHIVE_MEDIA, "a.mp3", a, 0), 1);
  archive_slots_release();
  EXPECT_FALSE(fs::exists(a.data));
}

TEST_F(ArchiveTest, TemporaryNameKeepsOnlyTheBaseName) {
  const std::string path = archive_temp_path("../../etc/passwd", 0, 1);
  EXPECT_EQ(path, portable::native_path(in_dir("zazABpasswd")));
  EXPECT_EQ(archive_temp_path("a\\b\\c.mp3", 26, 25), portable::native_path(in_dir("zazAZc.mp3")));
  // Negative positions count by their lowest byte.
  EXPECT_EQ(archive_temp_path("x", -1, 255), portable::native_path(in_dir("zazVVx")));
}

// ---- damaged archives give empty entries or no entry ---------------------------------------

// Resolves green.bmp from an archive image and returns the bytes handed out.
Bytes resolve_from(const Bytes& image, int* result) {
  write_bytes("data.zaz", image);
  archive_set_names("data.zaz", "");
  Str path;
  *result = archive_resolve(ARCHIVE_DATA, "green.bmp", path, 1);
  Bytes out{0xAB};
  if (*result) {
    EXPECT_TRUE(file_read_all(path.data, out));
  }
  return out;
}

// One entry "green.bmp" whose data position and packed size are chosen by the test.
Bytes one_entry_image(int32_t data_position, int32_t packed_size, const Bytes& packed, bool end_relative) {
  ArchiveImage image(400);
  image.put(0, packed);
  size_t at = image.put_entry(200, "green.bmp", data_position, packed_size);
  image.put_terminator(at);
  image.put_trailer("zaZ", end_relative ? -200 : 200);
  return image.bytes();
}

TEST_F(ArchiveTest, DataOutsideArchiveGivesEmptyEntry) {
  const Bytes packed = lzo_packed(kGreen);
  const int32_t size = int32_t(packed.size());
  struct Case {
    int32_t position, packed_size;
    bool end_relative;
  } cases[] = {
      {1000, size, false},      // beyond the end
      {-5, size, false},        // negative absolute offset
      {395, size, false},       // runs over the end
      {-401, size, true},       // before the start
      {10, -1, false},          // negative size
      {10, 3, false},           // too short for the size word
      {0, 0x7fffffff, false},   // larger than the archive
      {INT32_MIN, size, true},  // far before the start
  };
  for (const Case& c : cases) {
    int result = 0;
    Bytes out = resolve_from(one_entry_image(c.position, c.packed_size, packed, c.end_relative), &result);
    EXPECT_EQ(result, 1) << c.position << " " << c.packed_size;
    EXPECT_TRUE(out.empty()) << c.position << " " << c.packed_size;
  }
  // The same image with sound numbers resolves.
  int result = 0;
  EXPECT_EQ(resolve_from(one_entry_image(0, size, packed, false), &result), kGreen);
  EXPECT_EQ(resolve_from(one_entry_image(-400, size, packed, true), &result), kGreen);
}

TEST_F(ArchiveTest, DirectoryOutsideArchiveHoldsNoEntries) {
  const Bytes packed = lzo_packed(kGreen);
  for (int32_t dir_pos : {5000, -5000, 393, -7, INT32_MIN, INT32_MAX}) {
    ArchiveImage image(400);
    image.put(0, packed);
    image.put_terminator(image.put_entry(200, "green.bmp", 0, int32_t(packed.size())));
    image.put_trailer("zaZ", dir_pos);
    int result = 1;
    resolve_from(image.bytes(), &result);
    EXPECT_EQ(result, 0) << dir_pos;
    EXPECT_TRUE(archive_slot_active(ARCHIVE_DATA));
  }
}

TEST_F(ArchiveTest, DirectoryRunningIntoTrailerEndsTheSearch) {
  // An entry whose name and numbers would overlap the trailer is not read.
  ArchiveImage image(30);
  image.put(20, Bytes{9, 'g', 'r'});
  image.put_trailer("zaZ", 20);
  int result = 1;
  resolve_from(image.bytes(), &result);
  EXPECT_EQ(result, 0);
}

TEST_F(ArchiveTest, OversizedUnpackedSizeGivesEmptyEntry) {
  for (uint32_t claimed : {0xffffffffu, 256u * 1024u * 1024u + 1u, 0x80000000u}) {
    const Bytes packed = lzo_packed_claiming(kGreen, claimed);
    int result = 0;
    Bytes out = resolve_from(build_archive({{"green.bmp", packed}}, false), &result);
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(out.empty()) << claimed;
  }
}

TEST_F(ArchiveTest, UnpackedSizeMustMatchStream) {
  for (uint32_t claimed : {uint32_t(kGreen.size() - 1), uint32_t(kGreen.size() + 1), 1u}) {
    int result = 0;
    Bytes out =
        resolve_from(build_archive({{"green.bmp", lzo_packed_claiming(kGreen, claimed)}}, false), &result);
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(out.empty()) << claimed;
  }
}

TEST_F(ArchiveTest, TruncatedOrCorruptStreamGivesEmptyEntry) {
  Bytes raw;
  for (int i = 0; i < 3000; ++i) raw.push_back(uint8_t((i * 7) ^ (i >> 3)));
  const Bytes packed = lzo_packed(raw);
  for (size_t keep : {size_t(4), size_t(5), packed.size() / 2, packed.size() - 1}) {
    int result = 0;
    Bytes cut(packed.begin(), packed.begin() + long(keep));
    Bytes out = resolve_from(build_archive({{"green.bmp", cut}}, false), &result);
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(out.empty()) << keep;
  }
  Bytes corrupt = packed;
  for (size_t i = 4; i < corrupt.size(); i += 5) corrupt[i] = 0xff;
  int result = 0;
  EXPECT_TRUE(resolve_from(build_archive({{"green.bmp", corrupt}}, false), &result).empty());
  EXPECT_EQ(resolve_from(build_archive({{"green.bmp", packed}}, false), &result), raw);
}

TEST_F(ArchiveTest, DamagedEntryInMediaSlotGivesEmptyTemporaryFile) {
  write_bytes("media.zaz", build_archive({{"song.mp3", lzo_packed_claiming(kRed, 5)}}, false));
  archive_set_names("", "media.zaz");
  Str path;
  ASSERT_EQ(archive_resolve(ARCHIVE_MEDIA, "song.mp3", path, 0), 1);
  EXPECT_TRUE(read_bytes(path.data).empty());
}

// ---- "mem://" names ------------------------------------------------------------------------

TEST(MemNameTest, RegisteredBufferResolvesUntilReleased) {
  const uint8_t bytes[5] = {1, 2, 3, 4, 5};
  const std::string name = mem_name_register(bytes, 5);
  const uint8_t* data = nullptr;
  uint32_t size = 0;
  ASSERT_TRUE(mem_name_lookup(name.c_str(), &data, &size));
  EXPECT_EQ(data, bytes);
  EXPECT_EQ(size, 5u);
  mem_name_release(bytes);
  EXPECT_FALSE(mem_name_lookup(name.c_str(), &data, &size));
}

TEST(MemNameTest, ForgedNamesNeverResolve) {
  const uint8_t bytes[16] = {};
  const std::string name = mem_name_register(bytes, 16);
  char forged[64];
  // Right address, wrong length; a neighbouring address; an address nobody handed out.
  std::snprintf(forged, sizeof forged, "mem://%8x.%8lx", 17u, (unsigned long)(uintptr_t)bytes);
  EXPECT_FALSE(mem_name_lookup(forged, nullptr, nullptr));
  std::snprintf(forged, sizeof forged, "mem://%8x.%8lx", 15u, (unsigned long)(uintptr_t)(bytes + 1));
  EXPECT_FALSE(mem_name_lookup(forged, nullptr, nullptr));
  EXPECT_FALSE(mem_name_lookup("mem://     100.    1000", nullptr, nullptr));
  // Malformed spellings.
  for (const char* bad : {"mem://", "mem://10", "mem://10.", "mem://.10", "mem://1g.10", "mem://10.10x",
                          "mem://10.10 ", "mem://10.11111111111111111", "MEM://10.10", "mem:/10.10"})
    EXPECT_FALSE(mem_name_lookup(bad, nullptr, nullptr)) << bad;
  EXPECT_TRUE(mem_name_lookup(name.c_str(), nullptr, nullptr));
  mem_name_release(bytes);
}

TEST_F(ArchiveTest, ForgedMemNamesFailEverywhere) {
  const char* forged = "mem://      10.  400000";
  Str path;
  EXPECT_EQ(archive_resolve(ARCHIVE_DATA, forged, path, 1), 0);
  EXPECT_EQ(file_open(1, forged, 1), 0);
  EXPECT_EQ(app_error_code(), 3);
  Bytes out;
  EXPECT_FALSE(file_read_all(forged, out));
  // As an archive name it is an archive that cannot be opened.
  archive_set_names(forged, "");
  EXPECT_EQ(archive_resolve(ARCHIVE_DATA, "a.txt", path, 1), 0);
  EXPECT_FALSE(archive_slot_active(ARCHIVE_DATA));
}

}  // namespace
