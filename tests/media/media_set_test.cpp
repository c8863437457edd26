// The generated pictures and fonts as the game will see them: decoded by the runtime's own
// picture readers with the keys the game loads them with, fonts measured by the runtime's own
// glyph measurement, and every file read back from the packed data archive.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "engine/core/archive.h"
#include "engine/core/files.h"
#include "engine/media/font_glyphs.h"
#include "engine/media/image.h"
#include "media/media_tool_helpers.h"

using media_tools::art_output;
using media_tools::read_bytes;
using media_tools::run_tool;
using media_tools::ScratchDir;

namespace {

// The key colour R 255, G 0, B 128 that sprite loads turn transparent.
constexpr int kSpriteKey = 255 + 0 * 256 + 128 * 65536;
// Fonts load with the font key, black.
constexpr int kFontKey = 0;
// Texels at or below this alpha are dropped by the opaque drawing mode's alpha test (> 0.05).
constexpr int kAlphaTestFloor = 12;

std::string media_file(const std::string& name) { return art_output() + "/" + name; }

struct Decoded {
  ImageBuffer image;
  bool ok = false;
  // Alpha at (x, y); 0 outside the picture, so a missing or undersized picture fails the checks
  // instead of reading past its pixels.
  int alpha(int x, int y) const {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) return 0;
    return image.pixels[(static_cast<size_t>(y) * image.width + x) * 4 + 3];
  }
  // Pixels of the rectangle [x0, x1) x [y0, y1) whose alpha passes the alpha test.
  int visible_in(int x0, int y0, int x1, int y1) const {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += alpha(x, y) > kAlphaTestFloor;
    return n;
  }
  int transparent_in(int x0, int y0, int x1, int y1) const {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += alpha(x, y) == 0;
    return n;
  }
};

Decoded decode(const std::string& path, int key) {
  Decoded d;
  d.ok = image_read_any(path.c_str(), key, false, d.image);
  return d;
}

const std::vector<std::string>& font_names() {
  static const std::vector<std::string> names = {"scoresfont.png", "greenfont.png", "redfont.png",
                                                 "infofont.png",   "totalfont.png", "options.png",
                                                 "hint.png"};
  return names;
}

bool is_font(const std::string& name) {
  return std::find(font_names().begin(), font_names().end(), name) != font_names().end();
}

// Pictures drawn at fixed positions or hit-tested in fixed boxes: their exact size.
std::map<std::string, std::pair<int, int>> exact_sizes() {
  std::map<std::string, std::pair<int, int>> sizes = {
      {"green.bmp", {60, 60}},    {"red.bmp", {60, 60}},        {"outeranim.bmp", {8 * 68, 68}},
      {"continue.png", {96, 32}}, {"quit.png", {96, 32}},       {"first.png", {96, 36}},
      {"second.png", {96, 36}},   {"horiz.png", {96, 36}},      {"vert.png", {96, 36}},
      {"buttons.png", {728, 72}}, {"keys.png", {452, 108}},     {"bevel.png", {110, 110}},
      {"map.png", {800, 600}},    {"backdrop.png", {800, 600}},
  };
  for (int i = 1; i <= 8; ++i) {
    const std::string n = std::to_string(i);
    sizes[n + "a.png"] = {420, 420};
    sizes[n + "b.png"] = {420, 420};
    sizes[n + "c.png"] = {100, 100};
  }
  for (int k = 1; k <= 20; ++k) sizes["anim" + std::to_string(k) + ".png"] = {360, 360};
  return sizes;
}

// Pictures whose size is free within a range: smallest and largest width and height, from where
// the screens draw them.
struct SizeRange {
  int min_w, min_h, max_w, max_h;
};
std::map<std::string, SizeRange> size_ranges() {
  return {
      {"mapcover.png", {130, 150, 160, 192}},        // a plate of about 150 x 175, plates 160 apart
      {"brakka.png", {480, 80, 640, 145}},           // a title of about 640 x 120 at (80, 50)
      {"edition.png", {100, 10, 800, 160}},          // centred at y 180, above the greeting at y 350
      {"copyw.png", {40, 8, 800 - 285, 600 - 561}},  // a credit line at (285, 561)
      {"go.bmp", {16, 16, 62, 90}},                  // at (546, 230), left of the tile at x 608
      {"stop.bmp", {16, 16, 62, 90}},                // at (546, 320)
      {"qmark.bmp", {16, 16, 66, 60}},               // at (622, 237), left of the totals at x 688
      // The side panel's upper well (578..792 x 68..188) and lower well (572..788 x 418..534).
      {"myturn.png", {40, 20, 792 - 601, 188 - 76}},
      {"yourturn.png", {40, 20, 792 - 600, 188 - 75}},
      {"levelover.png", {40, 20, 792 - 584, 188 - 77}},
      {"youwin.png", {40, 20, 788 - 591, 534 - 430}},
      {"youlose.png", {40, 20, 788 - 586, 534 - 439}},
      {"itsadraw.png", {40, 20, 788 - 579, 534 - 443}},
      {"horizontal.png", {40, 8, 800 - 590, 40}},
      {"vertical.png", {40, 8, 800 - 607, 40}},
  };
}

// Pictures the game loads as the background: read without a key and fully opaque.
bool is_background(const std::string& name) { return name == "map.png" || name == "backdrop.png"; }

}  // namespace

TEST(MediaSet, EveryPictureDecodesAtItsSizeWithTheGamesKeys) {
  ASSERT_FALSE(art_output().empty()) << "brakka_art failed";
  std::map<std::string, Decoded> pictures;
  for (const auto& entry : std::filesystem::directory_iterator(art_output())) {
    const std::string name = entry.path().filename().string();
    if (is_font(name)) continue;
    Decoded d = decode(entry.path().string(), is_background(name) ? kNoColorKey : kSpriteKey);
    EXPECT_TRUE(d.ok) << name << " does not decode with the runtime's readers";
    if (d.ok) pictures.emplace(name, std::move(d));
  }
  for (const auto& [name, size] : exact_sizes()) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(pictures.count(name)) << "missing";
    EXPECT_EQ(pictures[name].image.width, size.first);
    EXPECT_EQ(pictures[name].image.height, size.second);
  }
  for (const auto& [name, r] : size_ranges()) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(pictures.count(name)) << "missing";
    const ImageBuffer& im = pictures[name].image;
    EXPECT_GE(im.width, r.min_w);
    EXPECT_GE(im.height, r.min_h);
    EXPECT_LE(im.width, r.max_w);
    EXPECT_LE(im.height, r.max_h);
  }
  EXPECT_EQ(pictures.size(), exact_sizes().size() + size_ranges().size()) << "unexpected extra pictures";

  // Backgrounds cover the whole screen.
  for (const char* name : {"map.png", "backdrop.png"}) {
    const Decoded& d = pictures[name];
    EXPECT_EQ(d.transparent_in(0, 0, d.image.width, d.image.height), 0) << name;
  }

  // Tiles: keyed away outside the shape, solid inside it.
  for (const char* name : {"green.bmp", "red.bmp"}) {
    SCOPED_TRACE(name);
    const Decoded& t = pictures[name];
    ASSERT_EQ(t.image.width, 60);
    for (auto [x, y] : {std::pair{0, 0}, {59, 0}, {0, 59}, {59, 59}})
      EXPECT_EQ(t.alpha(x, y), 0) << x << "," << y;
    EXPECT_EQ(t.visible_in(8, 8, 52, 52), 44 * 44) << "the tile face has keyed holes";
  }

  // Cursor frames, drawn 4 pixels up and left of the cell: each 68 x 68 cell draws a border and
  // keeps the 60 x 60 tile under it visible but for a rim of at most 6 pixels.
  {
    const Decoded& strip = pictures["outeranim.bmp"];
    ASSERT_EQ(strip.image.width, 544);
    for (int k = 0; k < 8; ++k) {
      const int ox = 68 * k;
      EXPECT_EQ(strip.visible_in(ox + 10, 10, ox + 58, 58), 0) << "frame " << k << " covers the tile";
      EXPECT_GT(strip.visible_in(ox, 0, ox + 68, 4), 0) << "frame " << k << " has no top border";
      EXPECT_GT(strip.visible_in(ox, 64, ox + 68, 68), 0) << "frame " << k << " has no bottom border";
    }
  }

  // Keyed signs: a shape on a see-through ground.
  for (const char* name : {"go.bmp", "stop.bmp", "qmark.bmp"}) {
    const Decoded& d = pictures[name];
    const int area = d.image.width * d.image.height;
    EXPECT_GT(d.transparent_in(0, 0, d.image.width, d.image.height), 0) << name << " has no keyed ground";
    EXPECT_GT(d.visible_in(0, 0, d.image.width, d.image.height), area / 10)
        << name << " shows almost nothing";
  }

  // The block frame: an opaque ring around a clear 100 x 100 window for the block picture at +5, +5.
  {
    const Decoded& bevel = pictures["bevel.png"];
    ASSERT_EQ(bevel.image.width, 110);
    EXPECT_EQ(bevel.visible_in(5, 5, 105, 105), 0) << "the frame covers the block picture";
    const int ring = bevel.visible_in(0, 0, 110, 5) + bevel.visible_in(0, 105, 110, 110) +
                     bevel.visible_in(0, 5, 5, 105) + bevel.visible_in(105, 5, 110, 105);
    EXPECT_GT(ring, (110 * 110 - 100 * 100) / 2) << "the frame's ring is mostly see-through";
  }

  // Hit boxes: every clickable box of the button and key pictures is drawn solid at its centre
  // and the space right of it is see-through.
  {
    const Decoded& buttons = pictures["buttons.png"];
    for (auto [x, y] : {std::pair{1, 36}, {153, 18}, {306, 0}, {460, 18}, {615, 36}}) {
      EXPECT_EQ(buttons.visible_in(x + 40, y + 12, x + 72, y + 24), 32 * 12) << "button at " << x << "," << y;
    }
    EXPECT_EQ(buttons.visible_in(0, 0, 1, 72), 0);
    const Decoded& keys = pictures["keys.png"];
    for (int row = 0; row < 3; ++row) {
      const int count = row == 0 ? 10 : row == 1 ? 9 : 7;
      for (int c = 0; c < count; ++c) {
        const int x = 1 + 18 * row + 36 * c, y = 1 + 38 * row;
        EXPECT_GT(keys.visible_in(x, y, x + 28, y + 30), 28 * 30 / 2) << "key " << row << "," << c;
        EXPECT_EQ(keys.visible_in(x + 30, y + 10, x + 34, y + 20), 0) << "gap after key " << row << "," << c;
      }
    }
    for (auto [x, y] : {std::pair{361, 1}, {343, 39}, {289, 77}}) {
      EXPECT_GT(keys.visible_in(x, y, x + 90, y + 30), 90 * 30 / 2) << "wide key at " << x << "," << y;
    }
  }

  // Small buttons are solid where they are clicked.
  for (const char* name : {"continue.png", "quit.png", "first.png", "second.png", "horiz.png", "vert.png"}) {
    const Decoded& d = pictures[name];
    EXPECT_EQ(d.visible_in(32, 10, 64, 22), 32 * 12) << name;
  }
}

namespace {

struct MeasuredFont {
  std::string name;
  Decoded sheet;
  FontLayout layout;
  GlyphRecord glyphs[256];

  int proportional(const std::string& text) const {
    int w = 0;
    for (unsigned char c : text) w += glyphs[c].advance;
    return w;
  }
  // First and last rows (within the cell) holding pixels that pass the alpha test, over the
  // glyphs of `text`; {ch, -1} when nothing is drawn.
  std::pair<int, int> ink_rows(const std::string& text) const {
    int top = layout.cell_height, bottom = -1;
    for (unsigned char c : text) {
      const int cx = (c % 16) * layout.cell_width, cy = (c / 16) * layout.cell_height;
      for (int y = 0; y < layout.cell_height; ++y)
        if (sheet.visible_in(cx, cy + y, cx + layout.cell_width, cy + y + 1) > 0) {
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
    }
    return {top, bottom};
  }
};

// The texture side the measurement may use: larger than any font picture of the game.
constexpr int kTextureLimit = 4096;

MeasuredFont measure(const std::string& name) {
  MeasuredFont f;
  f.name = name;
  f.sheet = decode(media_file(name), kFontKey);
  f.layout = font_layout(f.sheet.image.width, f.sheet.image.height);
  font_measure_glyphs(f.sheet.image, kTextureLimit, f.glyphs);
  return f;
}

}  // namespace

TEST(MediaSet, FontsFollowTheCellLayoutAndFitTheirTexts) {
  ASSERT_FALSE(art_output().empty()) << "brakka_art failed";
  std::map<std::string, MeasuredFont> fonts;
  for (const std::string& name : font_names()) {
    SCOPED_TRACE(name);
    MeasuredFont f = measure(name);
    ASSERT_TRUE(f.sheet.ok) << "does not decode with the runtime's readers";
    const int w = f.sheet.image.width, h = f.sheet.image.height;
    EXPECT_EQ(w % 16, 0) << w;
    if (w >= h) {
      EXPECT_EQ(h % 8, 0) << h;
    } else {
      EXPECT_EQ(h % 16, 0) << h;
    }
    EXPECT_EQ(f.layout.glyph_count, 128)
        << "the game prints ASCII only; a 256-glyph sheet wastes half its cells";
    const int cw = f.layout.cell_width, ch = f.layout.cell_height;
    // Every character the game prints has a glyph the alpha test lets through, and the runtime's
    // measurement finds it inside its cell.
    for (int c = 33; c <= 126; ++c) {
      const int cx = (c % 16) * cw, cy = (c / 16) * ch;
      EXPECT_GT(f.sheet.visible_in(cx, cy, cx + cw, cy + ch), 0)
          << "glyph " << c << " ('" << char(c) << "') is invisible";
      EXPECT_GE(f.glyphs[c].advance, 1) << "glyph " << c;
      EXPECT_LE(f.glyphs[c].left + f.glyphs[c].advance, cw) << "glyph " << c;
    }
    EXPECT_EQ(f.glyphs[' '].advance, f.glyphs['j'].advance) << "a space is as wide as j";
    EXPECT_GT(f.glyphs[' '].advance, 0);
    fonts.emplace(name, std::move(f));
  }
  ASSERT_EQ(fonts.size(), font_names().size());

  // Rating line on the stats screen: about 24 pixels high.
  {
    const MeasuredFont& f = fonts["scoresfont.png"];
    EXPECT_GE(f.layout.cell_height, 18) << "scoresfont";
    EXPECT_LE(f.layout.cell_height, 30) << "scoresfont";
  }

  // Tile numbers: "12" fits the 60-pixel tile, cells no higher than the tile, digits centred on
  // the tile they are printed over (the text's top is the tile's top).
  for (const char* name : {"greenfont.png", "redfont.png"}) {
    SCOPED_TRACE(name);
    const MeasuredFont& f = fonts[name];
    EXPECT_LE(f.layout.cell_height, 60);
    for (int v = 1; v <= 12; ++v) EXPECT_LE(f.proportional(std::to_string(v)), 60) << v;
    const auto [top, bottom] = f.ink_rows("0123456789");
    ASSERT_LE(top, bottom) << "no digit is drawn";
    const double centre = (top + bottom + 1) / 2.0;
    EXPECT_NEAR(centre, 30.0, 3.0) << "digits drawn from row " << top << " to " << bottom;
  }

  // Captions and stats rows, 15 pixels apart: the widest caption fits its 188-pixel column and a
  // row's letters do not run into the next row.
  {
    const MeasuredFont& f = fonts["infofont.png"];
    EXPECT_LE(f.proportional(" Previous          Your total"), 188);
    EXPECT_LE(f.proportional(" Previous            My total"), 188);
    const auto [top, bottom] = f.ink_rows("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
    EXPECT_LE(bottom - top + 1, 15) << "infofont letters span rows " << top << ".." << bottom;
  }

  // Totals and the goodbye word, grabbed 50 pixels high from the printed text.
  {
    const MeasuredFont& f = fonts["totalfont.png"];
    EXPECT_GE(f.layout.cell_height, 40) << "totalfont";
    EXPECT_LE(f.layout.cell_height, 50) << "totalfont";
    const auto [top, bottom] = f.ink_rows("GOODBYE");
    EXPECT_LE(bottom, 49) << "the goodbye word is cut by the 50-pixel grab";
    EXPECT_GE(bottom - top + 1, 25) << "GOODBYE is small for a font about 50 pixels high";
  }

  // Typed names: fixed cells, 24 pixels apart, ten of them inside the 254-pixel field.
  {
    const MeasuredFont& f = fonts["options.png"];
    EXPECT_EQ(f.layout.cell_width, 24);
    EXPECT_LE(f.layout.cell_height, 32);
    EXPECT_LE(10 * f.layout.cell_width, 254);
    EXPECT_LE(f.proportional("Do you want to move horizontally or vertically?"), 800);
  }

  // Instructions, printed from x 20: every line fits in 760 pixels.
  {
    const MeasuredFont& f = fonts["hint.png"];
    const char* const lines[] = {
        "The object of the game is to remove all 8 blocks from the Brakka main screen.",
        "Blocks are removed by winning a puzzle round.",
        "The puzzle round is played on an 8x8 grid filled with random numbers.",
        "Decide if you want to play first or second.",
        "Decide if you want to move vertically or horizontally.",
        "Move the cursor by clicking with the left mouse button. (Or use the arrow keys)",
        "Confirm selection with the right mouse button. (Or use the enter key)",
        "Green values will be added to your total and Red subtracted.",
        "The computer moves and selects a number automatically.",
        "The round continues until there are no more possible moves.",
        "If your round total is higher, one block is removed from the Brakka main screen.",
        "If your round total is lower, one block is replaced.",
        "Game is won when all 8 blocks have been removed.",
        "Game is lost when you lose a round and all 8 blocks are in place.",
        "High ratings are only saved if you exit the game using the 'QUIT' button.",
    };
    int widest = 0;
    for (const char* line : lines) {
      EXPECT_LE(f.proportional(line), 760) << line;
      widest = std::max(widest, f.proportional(line));
    }
    EXPECT_GT(widest, 300) << "hint.png is implausibly narrow";
  }
}

TEST(MediaSet, PicturesAndFontsComeBackFromTheDataArchive) {
  ASSERT_FALSE(art_output().empty()) << "brakka_art failed";
  ScratchDir work;
  ASSERT_FALSE(work.path().empty());
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(art_output()))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  ASSERT_GE(names.size(), 80u);
  std::vector<std::string> args = {work.file("data.zaz")};
  for (const std::string& n : names) args.push_back(media_file(n));
  ASSERT_EQ(run_tool("zazpack", args), 0);

  // From an empty folder, so no loose file can stand in for an archive entry.
  ASSERT_EQ(mkdir(work.file("empty").c_str(), 0755), 0);
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  ASSERT_EQ(chdir(work.file("empty").c_str()), 0);
  archive_slots_create();
  archive_set_names(Str(work.file("data.zaz").c_str()), Str(""));
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    Str path;
    ASSERT_EQ(archive_resolve(ARCHIVE_DATA, name.c_str(), path, 1), 1);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(file_read_all(path.c_str(), bytes));
    EXPECT_EQ(bytes, read_bytes(media_file(name)));
    const int key = is_font(name) ? kFontKey : is_background(name) ? kNoColorKey : kSpriteKey;
    Decoded packed = decode(path.c_str(), key), loose = decode(media_file(name), key);
    ASSERT_TRUE(packed.ok);
    ASSERT_TRUE(loose.ok);
    EXPECT_EQ(packed.image.width, loose.image.width);
    EXPECT_EQ(packed.image.height, loose.image.height);
    EXPECT_TRUE(packed.image.pixels == loose.image.pixels);
  }
  archive_slots_release();
  EXPECT_EQ(chdir(cwd), 0);
}
