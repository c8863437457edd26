#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include "engine/core/archive.h"
#include "engine/core/archive_reader.h"
#include "engine/core/files.h"
#include "portable.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

void write_file(const fs::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

Bytes read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int32_t last_word(const Bytes& archive) {
  const uint8_t* p = archive.data() + archive.size() - 4;
  return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
}

class ZazpackTest : public ::testing::Test {
 protected:
  void SetUp() override {
    old_cwd_ = fs::current_path();
    dir_ = portable::to_path(portable::make_temp_dir("brakka_zazpack_"));
    ASSERT_FALSE(dir_.empty());
    portable::set_temp_env(portable::path_text(dir_));
    fs::create_directories(dir_ / "folder");
    fs::create_directories(dir_ / "elsewhere");
    archive_slots_create();
  }
  void TearDown() override {
    archive_slots_release();
    fs::current_path(old_cwd_);
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  // Runs the tool; returns its exit status and leaves its error output in stderr_text.
  int zazpack(std::vector<std::string> args) {
    const fs::path err = dir_ / "stderr.txt";
    args.insert(args.begin(), std::string(BRAKKA_BIN_DIR) + "/zazpack");
    const int status = portable::run_program(args, portable::path_text(err));
    const Bytes text = read_file(err);
    stderr_text.assign(text.begin(), text.end());
    return status >= 0 && status < 1000 ? status : -1;
  }

  // A folder of files of different kinds; returns their names.
  std::vector<std::string> make_folder() {
    std::mt19937 rng(7);
    Bytes noise(200000);
    for (uint8_t& b : noise) b = uint8_t(rng());
    Bytes repetitive;
    for (int i = 0; i < 100000; ++i) repetitive.push_back(uint8_t("brakka "[i % 7]));
    std::map<std::string, Bytes> files = {
        {"noise.bin", noise},
        {"Repeat.TXT", repetitive},
        {"empty.dat", {}},
        {"one.txt", {'1'}},
        {"ratings.txt", {'a', '\r', '\n', 'b', '\r', '\n'}},
    };
    std::vector<std::string> names;
    for (const auto& [name, bytes] : files) {
      write_file(dir_ / "folder" / name, bytes);
      names.push_back(name);
    }
    return names;
  }

  // The archive's path, then the files'.
  std::vector<std::string> file_args(const fs::path& archive, const std::vector<std::string>& names) {
    std::vector<std::string> args = {portable::path_text(archive)};
    for (const std::string& n : names) args.push_back(portable::path_text(dir_ / "folder" / n));
    return args;
  }

  // Every file of the folder comes back byte for byte through both slots.
  void expect_round_trip(const fs::path& archive, const std::vector<std::string>& names) {
    fs::current_path(dir_ / "elsewhere");  // no loose files here
    archive_set_names(archive.string().c_str(), archive.string().c_str());
    for (const std::string& name : names) {
      const Bytes original = read_file(dir_ / "folder" / name);
      Str path;
      ASSERT_EQ(archive_resolve(ARCHIVE_DATA, ("Media/" + name).c_str(), path, 1), 1) << name;
      Bytes out;
      ASSERT_TRUE(file_read_all(path.data, out)) << name;
      EXPECT_EQ(out, original) << name;
      ASSERT_EQ(archive_resolve(ARCHIVE_MEDIA, name.c_str(), path, 0), 1) << name;
      EXPECT_EQ(read_file(path.data), original) << name;
    }
  }

  fs::path dir_;
  fs::path old_cwd_;
  std::string stderr_text;
};

TEST_F(ZazpackTest, AbsolutePositionsRoundTrip) {
  const auto names = make_folder();
  const fs::path archive = dir_ / "abs.zaz";
  ASSERT_EQ(zazpack(file_args(archive, names)), 0) << stderr_text;
  EXPECT_GE(last_word(read_file(archive)), 0);
  expect_round_trip(archive, names);
}

TEST_F(ZazpackTest, EndRelativePositionsRoundTrip) {
  const auto names = make_folder();
  const fs::path archive = dir_ / "rel.zaz";
  std::vector<std::string> args = file_args(archive, names);
  args.insert(args.begin(), "--end-relative");
  ASSERT_EQ(zazpack(args), 0) << stderr_text;
  EXPECT_LT(last_word(read_file(archive)), 0);
  expect_round_trip(archive, names);
}

TEST_F(ZazpackTest, EntriesAreStoredUnderBaseNamesInOrder) {
  const auto names = make_folder();
  const fs::path archive = dir_ / "list.zaz";
  ASSERT_EQ(zazpack(file_args(archive, names)), 0) << stderr_text;
  auto src = archive_source_open(archive.string().c_str());
  ASSERT_TRUE(src);
  ArchiveDirectory directory;
  ASSERT_TRUE(archive_read_directory(*src, directory));
  const auto entries = archive_list_entries(*src, directory);
  ASSERT_EQ(entries.size(), names.size());
  for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(entries[i].name, names[i]);
  // The repetitive file shrinks.
  for (const ArchiveEntry& e : entries) {
    if (e.name == "Repeat.TXT") {
      EXPECT_LT(e.packed_size, 10000);
    }
  }
}

TEST_F(ZazpackTest, MissingInputFailsWithMessage) {
  const fs::path archive = dir_ / "bad.zaz";
  EXPECT_NE(zazpack(file_args(archive, {"absent.txt"})), 0);
  EXPECT_NE(stderr_text.find("absent.txt"), std::string::npos) << stderr_text;
  EXPECT_FALSE(fs::exists(archive));
}

TEST_F(ZazpackTest, UsageErrorsFail) {
  EXPECT_NE(zazpack({}), 0);
  EXPECT_NE(stderr_text.find("usage"), std::string::npos);
  EXPECT_NE(zazpack({"--end-relative", "only.zaz"}), 0);
}

TEST_F(ZazpackTest, SameBaseNameTwiceFails) {
  fs::create_directories(dir_ / "folder" / "a");
  fs::create_directories(dir_ / "folder" / "b");
  write_file(dir_ / "folder" / "a" / "x.txt", {'1'});
  write_file(dir_ / "folder" / "b" / "X.TXT", {'2'});
  EXPECT_NE(zazpack(file_args(dir_ / "dup.zaz", {"a/x.txt", "b/X.TXT"})), 0);
  EXPECT_NE(stderr_text.find("X.TXT"), std::string::npos) << stderr_text;
}

TEST_F(ZazpackTest, UnwritableArchiveFails) {
  write_file(dir_ / "folder" / "x.txt", {'1'});
  EXPECT_NE(zazpack(file_args(dir_ / "no" / "such" / "dir.zaz", {"x.txt"})), 0);
  EXPECT_FALSE(stderr_text.empty());
}

}  // namespace
