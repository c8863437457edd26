// Media that cannot be loaded: the picture memory budget (refusals before decoding, bytes given back
// by freed slots) and the log's one line per failed file with its reason.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "engine/app/app.h"
#include "engine/core/archive.h"
#include "engine/core/files.h"
#include "engine/media/draw.h"
#include "engine/media/font.h"
#include "engine/media/music.h"
#include "engine/media/picture_budget.h"
#include "engine/media/renderer.h"
#include "engine/media/renderer_state.h"
#include "engine/media/sound.h"
#include "engine/media/sprites.h"
#include "engine/platform/platform_audio.h"
#include "tests/media/gl_fixture.h"
#include "tests/media/image_files_helpers.h"
#include "portable.h"

namespace {

using Bytes = std::vector<uint8_t>;
Bytes bytes_of(const std::string& s) { return Bytes(s.begin(), s.end()); }

// The start of an 8000 x 8000 RGBA PNG: its header, then image data cut off after two bytes. Decoding
// it would fail on the missing data; only a refusal of its size can come first.
Bytes png_cut_after_header() {
  const std::string ihdr("IHDR\0\0\x1f\x40\0\0\x1f\x40\x08\x06\0\0\0", 17);
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(ihdr.data()), static_cast<uInt>(ihdr.size()));
  const char crc_bytes[4] = {char(crc >> 24), char(crc >> 16), char(crc >> 8), char(crc)};
  return bytes_of(std::string("\x89PNG\r\n\x1a\n\0\0\0\x0d", 12) + ihdr + std::string(crc_bytes, 4) +
                  std::string("\0\0\x03\xe8IDAT\x78\x9c", 10));
}

Bytes solid_png(int w, int h) {
  testimg::PngSpec spec;
  spec.width = w;
  spec.height = h;
  spec.color_type = PNG_COLOR_TYPE_RGB;
  return testimg::png_encode(spec, std::vector<uint16_t>(static_cast<size_t>(w) * h * 3, 200));
}

// Works in a folder of its own, which also takes the log; sounds on the headless audio backend.
class MediaFailures : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    old_cwd_ = std::filesystem::current_path().string();
    dir_ = testimg::make_temp_dir();
    ASSERT_EQ(chdir(dir_.c_str()), 0);
    portable::set_temp_env(dir_);
    archive_slots_create();
    ASSERT_TRUE(platform_audio_select("headless"));
    snd_startup();
  }
  void TearDown() override {
    music_shutdown();
    snd_shutdown();
    archive_slots_release();
    EXPECT_EQ(chdir(old_cwd_.c_str()), 0);
    testimg::remove_dir(dir_);
    GlTest::TearDown();
  }
  void write(const std::string& name, const Bytes& bytes) { testimg::write_file(dir_, name, bytes); }
  // Log lines that start with text (a whole line counts the lines equal to it).
  int in_log(const std::string& text) const {
    int n = 0;
    std::ifstream log(log_path());
    for (std::string line; std::getline(log, line);) n += line.rfind(text, 0) == 0;
    return n;
  }

  std::string dir_;
  std::string old_cwd_;
};

}  // namespace

// A budget of 10 MB and a 600 x 400 picture that keeps 3.33 MB as a sprite and needs 2 MB more while it
// loads: two fit, a third is refused until a slot is freed; a background or font over what is left is
// refused as well, every refusal with error 7 and one log line per file; and a picture the standard
// budget cannot take is refused from its header alone, before any of its (here missing) pixels.
TEST_F(MediaFailures, PictureMemoryBudget) {
  const int64_t sprite_bytes = sprite_texture_bytes(1024, 512, true);
  renderer_set_picture_budget(10 << 20);
  write("a.png", solid_png(600, 400));
  write("wide.png", solid_png(1000, 600));
  write("huge.png", png_cut_after_header());

  for (int slot = 1; slot <= 4; ++slot) {
    spr_load("a.png", slot);
    EXPECT_EQ(app_error_code(), slot <= 2 ? 0 : 7);
    EXPECT_EQ(sprite_record(slot).image_width, slot <= 2 ? 600 : 0);
  }
  EXPECT_EQ(renderer_picture_bytes(), 2 * sprite_bytes);
  EXPECT_EQ(
      in_log(
          "Cannot load \"a.png\": over the picture memory budget (600 x 400 needs 6 MB, 3 MB of 10 MB left)"),
      1);

  spr_load("XXX", 1);  // names no file: empties the slot, and its bytes are free again
  EXPECT_EQ(renderer_picture_bytes(), sprite_bytes);
  spr_load("a.png", 3);
  EXPECT_EQ(app_error_code(), 0);
  EXPECT_EQ(sprite_record(3).image_width, 600);

  // 2 x 2 tiles of 512 (4 MB) do not fit in the 3.3 MB left; asked for every frame, the refusal stays
  // without another decode or log line, and the screen is cleared each time.
  for (int frame = 0; frame < 3; ++frame) {
    clear_screen_to(kWhite);
    draw_load_background("wide.png");
    EXPECT_EQ(app_error_code(), 7);
    EXPECT_EQ(screen_pixel(10, 10), (Rgba{0, 0, 0, 255}));
  }
  EXPECT_FALSE(renderer_object()->background.loaded());
  EXPECT_EQ(in_log("Cannot load \"wide.png\": over the picture memory budget"), 1);

  font_load("wide.png", 2);
  EXPECT_EQ(app_error_code(), 7);
  EXPECT_EQ(sprite_record(kFirstFontSlot + 2).image_width, 128) << "the built-in font takes the slot";

  renderer_set_picture_budget(0);
  spr_load("huge.png", 4);
  EXPECT_EQ(app_error_code(), 7);
  draw_load_background("huge.png");
  EXPECT_EQ(app_error_code(), 7);
  EXPECT_EQ(in_log("Cannot load \"huge.png\": over the picture memory budget (8000 x 8000 needs 854 MB"), 1);
  EXPECT_GE(renderer_picture_bytes_peak(), 2 * sprite_bytes);
}

// Every loader logs a file it cannot load once, however often it is asked for, with the reason; an
// archive named while it cannot be read is logged when it is named; a name without a type suffix
// (the game's way of emptying a slot) is no file and gets no line.
TEST_F(MediaFailures, EachFileThatCannotBeLoadedIsLoggedOnceWithItsReason) {
  // One entry, "broken.png", whose packed size (2) is too small to hold any data.
  write("pack.zaz", bytes_of(std::string("xx\x0a"
                                         "broken.png\0\0\0\0\x02\0\0\0\0zaZ\x02\0\0\0",
                                         29)));
  write("bad.zaz", Bytes(64, 0xAB));
  write("junk.png", bytes_of("not a picture"));
  write("junk.wav", bytes_of(std::string("RIFF\x04\0\0\0WAVE", 12)));
  file_set_archives("pack.zaz", "bad.zaz");
  EXPECT_EQ(in_log("Cannot read the archive \"bad.zaz\": not an archive (no \"zaZ\" trailer)"), 1);
  EXPECT_EQ(in_log("Cannot read the archive \"pack.zaz\""), 0);

  const auto sprite = [](const char* f) { spr_load(f, 5); };
  const auto font = [](const char* f) { font_load(f, 3); };
  const auto background = [](const char* f) { draw_load_background(f); };
  const auto sound = [](const char* f) { snd_load(f, 2, 1); };
  const auto music = [](const char* f) { music_play(f, 1); };
  struct Case {
    const char* file;
    std::function<void(const char*)> load;
    const char* reason;  // null: no line for this file (yet)
  };
  const Case cases[] = {
      {"gone.png", sprite, "not found"},
      {"junk.png", sprite, "damaged or unsupported picture"},
      {"broken.png", sprite, "damaged entry in \"pack.zaz\""},
      {"junk.png", font, "damaged or unsupported picture"},  // the line the sprite wrote, no second one
      {"gone.bmp", font, "not found"},
      {"broken.png", background, "damaged entry in \"pack.zaz\""},
      {"gone.jpg", background, "not found"},
      {"gone.wav", sound, "not found"},
      {"junk.wav", sound, "damaged or unsupported sound"},
      {"gone.mp3", music, "not found"},
      {"XXX", sprite, nullptr},
      {"Sub/xxx", sound, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    for (int time = 0; time < 3; ++time) {
      c.load(c.file);
      EXPECT_EQ(app_error_code(), 3);
    }
    const std::string line = std::string("Cannot load \"") + c.file + "\"";
    EXPECT_EQ(in_log(line), c.reason ? 1 : 0);
    EXPECT_EQ(in_log(line + ": " + (c.reason ? c.reason : "")), c.reason ? 1 : 0);
  }
}
