// Runs the picture and font generator (brakka_art) into a temporary folder and checks
// what it wrote from the raw file bytes: the file set, the sizes the screens rely on,
// the PNG colour types, the BMP layout and colour keying, and that the same source
// gives the same bytes.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

#ifdef BRAKKA_BIN_DIR
const char* const kBinDir = BRAKKA_BIN_DIR;
#else
const char* const kBinDir = ".";
#endif

fs::path tool_path() {
  if (const char* env = std::getenv("BRAKKA_ART")) return env;
  return fs::path(kBinDir) / "brakka_art";
}

// A fresh folder under the temporary directory, removed again at the end of the test.
class TempDir {
 public:
  explicit TempDir(const std::string& tag) {
    path_ = fs::temp_directory_path() / ("brakka_art_" + tag + "_" + std::to_string(::getpid()));
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// Runs the tool with the given arguments; returns its exit code.
int run_tool(const std::string& args) {
  std::string command = "'" + tool_path().string() + "' " + args + " > /dev/null 2>&1";
  int status = std::system(command.c_str());
  if (status == -1 || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

std::vector<std::uint8_t> read_bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t le16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
std::uint32_t be32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return (static_cast<std::uint32_t>(b[at]) << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}

struct PngHeader {
  std::uint32_t width = 0, height = 0;
  int bit_depth = 0, colour_type = 0, interlace = 0;
};

PngHeader png_header(const fs::path& file) {
  std::vector<std::uint8_t> b = read_bytes(file);
  static const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  PngHeader h;
  if (b.size() < 33 || !std::equal(signature, signature + 8, b.begin())) return h;
  if (std::string(b.begin() + 12, b.begin() + 16) != "IHDR") return h;
  h.width = be32(b, 16);
  h.height = be32(b, 20);
  h.bit_depth = b[24];
  h.colour_type = b[25];
  h.interlace = b[28];
  return h;
}

// A decoded 8-bit RGB or RGBA PNG (non-interlaced), as RGBA.
struct Rgba {
  int width = 0, height = 0;
  std::vector<std::array<std::uint8_t, 4>> px;  // top row first
  std::uint8_t alpha(int x, int y) const { return px[static_cast<std::size_t>(y) * width + x][3]; }
};

Rgba read_png(const fs::path& file) {
  std::vector<std::uint8_t> b = read_bytes(file);
  PngHeader h = png_header(file);
  Rgba out;
  if (h.width == 0 || h.bit_depth != 8 || h.interlace != 0 || (h.colour_type != 2 && h.colour_type != 6))
    return out;
  const std::size_t channels = h.colour_type == 6 ? 4 : 3, stride = h.width * channels;
  std::vector<std::uint8_t> idat;
  for (std::size_t at = 8; at + 12 <= b.size();) {
    std::uint32_t len = be32(b, at);
    std::string type(b.begin() + at + 4, b.begin() + at + 8);
    if (type == "IDAT") idat.insert(idat.end(), b.begin() + at + 8, b.begin() + at + 8 + len);
    at += 12 + len;
  }
  std::vector<std::uint8_t> raw((stride + 1) * h.height);
  uLongf raw_len = raw.size();
  if (uncompress(raw.data(), &raw_len, idat.data(), idat.size()) != Z_OK || raw_len != raw.size()) return out;
  std::vector<std::uint8_t> prev(stride, 0), cur(stride);
  out.width = static_cast<int>(h.width);
  out.height = static_cast<int>(h.height);
  for (std::uint32_t y = 0; y < h.height; ++y) {
    const std::uint8_t* line = raw.data() + y * (stride + 1);
    int filter = line[0];
    for (std::size_t i = 0; i < stride; ++i) {
      int a = i >= channels ? cur[i - channels] : 0, up = prev[i], c = i >= channels ? prev[i - channels] : 0;
      int x = line[1 + i], v = x;
      if (filter == 1) v = x + a;
      else if (filter == 2) v = x + up;
      else if (filter == 3) v = x + (a + up) / 2;
      else if (filter == 4) {
        int p = a + up - c, pa = std::abs(p - a), pb = std::abs(p - up), pc = std::abs(p - c);
        v = x + ((pa <= pb && pa <= pc) ? a : (pb <= pc ? up : c));
      }
      cur[i] = static_cast<std::uint8_t>(v);
    }
    for (std::uint32_t x = 0; x < h.width; ++x) {
      const std::uint8_t* p = cur.data() + x * channels;
      out.px.push_back({p[0], p[1], p[2], channels == 4 ? p[3] : std::uint8_t{255}});
    }
    std::swap(prev, cur);
  }
  return out;
}

// Glyph widths measured from a font sheet's alpha: first to last column with
// alpha != 0 in the glyph's cell, plus one column when the cell has room; a space
// is as wide as "j".
struct FontWidths {
  int cell_w = 0, cell_h = 0;
  std::array<int, 128> advance{};
  int width(const std::string& text) const {
    int w = 0;
    for (unsigned char c : text) w += advance[c & 127];
    return w;
  }
};

FontWidths measure_font(const Rgba& sheet) {
  FontWidths f;
  f.cell_w = sheet.width / 16;
  f.cell_h = sheet.height / 8;
  for (int g = 0; g < 128; ++g) {
    int left = -1, right = -1;
    for (int y = 0; y < f.cell_h; ++y)
      for (int x = 0; x < f.cell_w; ++x)
        if (sheet.alpha((g % 16) * f.cell_w + x, (g / 16) * f.cell_h + y) != 0) {
          if (left < 0 || x < left) left = x;
          right = std::max(right, x);
        }
    f.advance[g] = left < 0 ? f.cell_w : (right - left + 1) + (right + 1 < f.cell_w ? 1 : 0);
  }
  f.advance[32] = f.advance['j'];
  return f;
}

// A decoded 24-bit bottom-up BMP.
struct Bmp {
  int width = 0, height = 0;
  std::vector<std::array<std::uint8_t, 3>> rgb;  // top row first
  std::array<std::uint8_t, 3> at(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
  bool key(int x, int y) const {
    auto p = at(x, y);
    return p[0] == 255 && p[1] == 0 && p[2] == 128;
  }
};

Bmp read_bmp(const fs::path& file) {
  std::vector<std::uint8_t> b = read_bytes(file);
  Bmp bmp;
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return bmp;
  bmp.width = static_cast<int>(le32(b, 18));
  bmp.height = static_cast<int>(le32(b, 22));
  std::size_t offset = le32(b, 10),
              row_bytes = (static_cast<std::size_t>(bmp.width) * 3 + 3) & ~std::size_t{3};
  if (b.size() < offset + row_bytes * bmp.height) return Bmp{};
  for (int y = 0; y < bmp.height; ++y) {
    const std::uint8_t* row = b.data() + offset + row_bytes * (bmp.height - 1 - y);
    for (int x = 0; x < bmp.width; ++x) bmp.rgb.push_back({row[3 * x + 2], row[3 * x + 1], row[3 * x]});
  }
  return bmp;
}

// Width and height of a written picture, read from the BMP or PNG header.
std::pair<int, int> picture_size(const fs::path& file) {
  if (file.extension() == ".bmp") {
    Bmp b = read_bmp(file);
    return {b.width, b.height};
  }
  PngHeader p = png_header(file);
  return {static_cast<int>(p.width), static_cast<int>(p.height)};
}

const std::vector<std::string>& bmp_names() {
  static const std::vector<std::string> names = {"green.bmp", "red.bmp",  "outeranim.bmp",
                                                 "go.bmp",    "stop.bmp", "qmark.bmp"};
  return names;
}

const std::vector<std::string>& font_names() {
  static const std::vector<std::string> names = {"scoresfont.png", "greenfont.png", "redfont.png",
                                                 "infofont.png",   "totalfont.png", "options.png",
                                                 "hint.png"};
  return names;
}

// Every picture the screens draw, with the size their positions and hit boxes need.
std::map<std::string, std::pair<int, int>> exact_sizes() {
  std::map<std::string, std::pair<int, int>> sizes = {
      {"green.bmp", {60, 60}},    {"red.bmp", {60, 60}},        {"outeranim.bmp", {544, 68}},
      {"continue.png", {96, 32}}, {"quit.png", {96, 32}},       {"first.png", {96, 36}},
      {"second.png", {96, 36}},   {"horiz.png", {96, 36}},      {"vert.png", {96, 36}},
      {"buttons.png", {728, 72}}, {"keys.png", {452, 108}},     {"bevel.png", {110, 110}},
      {"map.png", {800, 600}},    {"backdrop.png", {800, 600}},
  };
  for (int i = 1; i <= 8; ++i) {
    sizes[std::to_string(i) + "a.png"] = {420, 420};
    sizes[std::to_string(i) + "b.png"] = {420, 420};
    sizes[std::to_string(i) + "c.png"] = {100, 100};
  }
  for (int k = 1; k <= 20; ++k) sizes["anim" + std::to_string(k) + ".png"] = {360, 360};
  return sizes;
}

// Pictures whose size is free within the space where the game draws them: the
// largest width and height that stay inside that space.
std::map<std::string, std::pair<int, int>> size_limits() {
  return {
      {"brakka.png", {640, 130}},      // (80, 50); the stats screen's title ends above y 145
      {"edition.png", {800, 160}},     // centred at y 180, above the greeting at y 350
      {"copyw.png", {515 - 285, 39}},  // (285, 561) between the buttons and the screen's bottom
      {"mapcover.png", {160, 190}},    // plates 160 apart, rows 192 apart
      {"go.bmp", {62, 90}},            // (546, 230) left of the tile at x 608
      {"stop.bmp", {62, 90}},
      {"qmark.bmp", {66, 60}},  // (622, 237) left of the totals at x 688
      // Inside the side panel's upper well (578..792 x 68..188), above the captions at y 208.
      {"myturn.png", {792 - 601, 188 - 76}},     // (601, 76)
      {"yourturn.png", {792 - 600, 188 - 75}},   // (600, 75)
      {"levelover.png", {792 - 584, 188 - 77}},  // (584, 77)
      // Inside its lower well (572..788 x 418..534), within the panel's frame.
      {"youwin.png", {788 - 591, 534 - 430}},    // (591, 430)
      {"youlose.png", {788 - 586, 534 - 439}},   // (586, 439)
      {"itsadraw.png", {788 - 579, 534 - 443}},  // (579, 443)
      {"horizontal.png", {210, 40}},             // (590, 470) and (590, 500), zoomed across
      {"vertical.png", {193, 40}},               // (607, 470) and (607, 500)
  };
}

class ArtToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(tool_path())) << "brakka_art not found at " << tool_path()
                                         << "; build the target brakka_art first or set BRAKKA_ART";
    ASSERT_EQ(run_tool("'" + out_.path().string() + "'"), 0);
  }
  fs::path file(const std::string& name) const { return out_.path() / name; }

  TempDir out_{"out"};
};

TEST_F(ArtToolTest, WritesEveryPictureAndFontTheGameLoads) {
  std::set<std::string> expected;
  for (const auto& [name, size] : exact_sizes()) expected.insert(name);
  for (const auto& [name, size] : size_limits()) expected.insert(name);
  for (const std::string& name : font_names()) expected.insert(name);
  std::set<std::string> written;
  for (const auto& entry : fs::directory_iterator(out_.path()))
    written.insert(entry.path().filename().string());
  EXPECT_EQ(written, expected);
  EXPECT_EQ(written.size(), 80u);
}

TEST_F(ArtToolTest, PicturesHaveTheSizesTheScreensNeed) {
  for (const auto& [name, size] : exact_sizes()) EXPECT_EQ(picture_size(file(name)), size) << name;
  for (const auto& [name, limit] : size_limits()) {
    auto [w, h] = picture_size(file(name));
    EXPECT_GT(w, 0) << name;
    EXPECT_GT(h, 0) << name;
    EXPECT_LE(w, limit.first) << name;
    EXPECT_LE(h, limit.second) << name;
  }
}

TEST_F(ArtToolTest, FontSheetsFollowTheCellLayout) {
  for (const std::string& name : font_names()) {
    PngHeader p = png_header(file(name));
    EXPECT_EQ(p.colour_type, 6) << name << " needs an alpha channel";
    EXPECT_EQ(p.width % 16, 0u) << name;
    EXPECT_EQ(p.height % 8, 0u) << name;
    EXPECT_GE(p.width, p.height) << name << " must hold 128 glyphs (at least as wide as high)";
  }
  PngHeader options = png_header(file("options.png"));
  EXPECT_EQ(options.width / 16, 24u) << "the typed name steps 24 pixels per character";
  EXPECT_LE(options.height / 8, 32u);
  EXPECT_LE(png_header(file("greenfont.png")).height / 8, 60u);
  EXPECT_LE(png_header(file("redfont.png")).height / 8, 60u);
  EXPECT_LE(png_header(file("totalfont.png")).height / 8, 50u)
      << "the goodbye word is grabbed 50 pixels high";
  EXPECT_LE(png_header(file("scoresfont.png")).height / 8, 30u) << "the rating line sits in a 30-pixel box";
}

TEST_F(ArtToolTest, EveryPrintableGlyphIsVisibleAndStaysInItsCell) {
  for (const std::string& name : font_names()) {
    Rgba sheet = read_png(file(name));
    ASSERT_GT(sheet.width, 0) << name << " did not decode";
    const int cw = sheet.width / 16, ch = sheet.height / 8;
    for (int g = 0; g < 128; ++g) {
      int drawn = 0, last_column = 0;
      for (int y = 0; y < ch; ++y)
        for (int x = 0; x < cw; ++x) {
          std::uint8_t a = sheet.alpha((g % 16) * cw + x, (g / 16) * ch + y);
          if (a > 12) ++drawn;  // passes the game's alpha test
          if (x == cw - 1 && a != 0) ++last_column;
        }
      if (g > 32) EXPECT_GT(drawn, 0) << name << ": glyph " << g << " is invisible";
      else EXPECT_EQ(drawn, 0) << name << ": cell " << g << " should be empty";
      EXPECT_EQ(last_column, 0) << name << ": glyph " << g << " reaches the next cell";
    }
  }
}

TEST_F(ArtToolTest, TextsFitWhereTheScreensPrintThem) {
  FontWidths green = measure_font(read_png(file("greenfont.png")));
  FontWidths red = measure_font(read_png(file("redfont.png")));
  for (int v = 1; v <= 12; ++v) {
    EXPECT_LE(green.width(std::to_string(v)), 60) << v;
    EXPECT_LE(red.width(std::to_string(v)), 60) << v;
  }
  FontWidths info = measure_font(read_png(file("infofont.png")));
  EXPECT_LE(info.width(" Previous          Your total"), 188);
  EXPECT_LE(info.width(" Previous            My total"), 188);
  FontWidths hint = measure_font(read_png(file("hint.png")));
  EXPECT_LE(hint.width("If your round total is higher, one block is removed from the Brakka main screen."),
            760);
  EXPECT_LE(hint.width("Move the cursor by clicking with the left mouse button. (Or use the arrow keys)"),
            760);
  FontWidths total = measure_font(read_png(file("totalfont.png")));
  int w = total.width("-100");
  EXPECT_LE(688 + (65 - w) / 2 + w, 800) << "a three-digit negative total passes the screen edge";
  FontWidths options = measure_font(read_png(file("options.png")));
  EXPECT_LE(options.width("Do you want to move horizontally or vertically?"), 800);
  FontWidths scores = measure_font(read_png(file("scoresfont.png")));
  for (std::string name : {"NAMELESS", "WWWWWWWWWW"}) {
    int half = hint.width(name + " THIS GAME RATING IS: -12.345") / 2 + 10;
    EXPECT_LE(scores.width(name + ", YOUR GAME RATING IS: -12.345"), 2 * half - 2)
        << "the rating line leaves its frame for " << name;
  }
}

TEST_F(ArtToolTest, ButtonAndKeyPicturesAreTransparentBetweenTheirButtons) {
  Rgba buttons = read_png(file("buttons.png"));
  ASSERT_EQ(buttons.width, 728);
  const std::pair<int, int> origins[5] = {{1, 36}, {153, 18}, {306, 0}, {460, 18}, {615, 36}};
  for (auto [x, y] : origins) {
    EXPECT_EQ(buttons.alpha(x + 56, y + 18), 255) << "button at " << x;
    EXPECT_EQ(buttons.alpha(x + 56, y > 0 ? y - 1 : y + 37), 0) << "above or below the button at " << x;
  }
  EXPECT_EQ(buttons.alpha(0, 0), 0);
  EXPECT_EQ(buttons.alpha(140, 60), 0) << "between the first two buttons";

  Rgba keys = read_png(file("keys.png"));
  ASSERT_EQ(keys.width, 452);
  for (int row = 0; row < 3; ++row) {
    int count = row == 0 ? 10 : row == 1 ? 9 : 7;
    for (int c = 0; c < count; ++c) {
      int x = 1 + 18 * row + 36 * c, y = 1 + 38 * row;
      EXPECT_EQ(keys.alpha(x + 14, y + 15), 255) << "key " << row << "," << c;
      EXPECT_EQ(keys.alpha(x + 32, y + 15), 0) << "gap after key " << row << "," << c;
    }
  }
  for (auto [x, y] : {std::pair{361, 1}, {343, 39}, {289, 77}}) EXPECT_EQ(keys.alpha(x + 45, y + 15), 255);
}

double mean_brightness(const Rgba& img, int y0, int y1) {
  double sum = 0;
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = 0; x < img.width; ++x, ++n) {
      auto p = img.px[static_cast<std::size_t>(y) * img.width + x];
      sum += (p[0] + p[1] + p[2]) / 3.0;
    }
  return n ? sum / n : 0;
}

double mean_difference(const Rgba& a, const Rgba& b) {
  double sum = 0;
  for (std::size_t i = 0; i < a.px.size() && i < b.px.size(); ++i)
    for (int c = 0; c < 3; ++c) sum += std::abs(a.px[i][c] - b.px[i][c]);
  return sum / (3.0 * static_cast<double>(a.px.size()));
}

TEST_F(ArtToolTest, LandmarksShowTwoMoodsAndDistinctIcons) {
  for (int i = 1; i <= 8; ++i) {
    std::string n = std::to_string(i);
    Rgba dusk = read_png(file(n + "a.png")), night = read_png(file(n + "b.png"));
    ASSERT_EQ(dusk.width, 420) << n;
    ASSERT_EQ(night.width, 420) << n;
    // The sky above the landmark is darker at night.
    EXPECT_LT(mean_brightness(night, 0, 60), mean_brightness(dusk, 0, 60) - 10) << n;
    EXPECT_GT(mean_difference(dusk, night), 15.0) << n << "a and " << n << "b look the same";
  }
  for (int i = 1; i <= 8; ++i)
    for (int j = i + 1; j <= 8; ++j)
      EXPECT_GT(mean_difference(read_png(file(std::to_string(i) + "c.png")),
                                read_png(file(std::to_string(j) + "c.png"))),
                10.0)
          << "icons " << i << " and " << j;
}

TEST_F(ArtToolTest, TitleAnimationLoopsWithoutAJump) {
  std::vector<Rgba> frames;
  for (int k = 1; k <= 20; ++k) frames.push_back(read_png(file("anim" + std::to_string(k) + ".png")));
  double largest_step = 0, smallest_step = 1e9;
  for (int k = 0; k < 19; ++k) {
    double d = mean_difference(frames[k], frames[k + 1]);
    largest_step = std::max(largest_step, d);
    smallest_step = std::min(smallest_step, d);
  }
  EXPECT_GT(smallest_step, 0.5) << "every frame moves";
  double wrap = mean_difference(frames[19], frames[0]);
  EXPECT_LE(wrap, largest_step * 1.2) << "the step from the last frame back to the first is a jump";
  EXPECT_GE(wrap, smallest_step * 0.8);
  // Drawn additively and zoomed past the screen's edges, the frame's border must be black.
  for (const Rgba& f : frames) {
    for (int i = 0; i < f.width; ++i) {
      for (auto [x, y] : {std::pair{i, 0}, {i, f.height - 1}, {0, i}, {f.width - 1, i}}) {
        auto p = f.px[static_cast<std::size_t>(y) * f.width + x];
        ASSERT_LE(std::max({p[0], p[1], p[2]}), 8) << "bright border pixel at " << x << "," << y;
      }
    }
  }
}

TEST_F(ArtToolTest, OpaquePicturesNeverContainTheKeyColour) {
  // Pictures without an alpha channel are keyed by colour when the game loads them.
  for (const auto& entry : fs::directory_iterator(out_.path())) {
    if (entry.path().extension() != ".png") continue;
    if (png_header(entry.path()).colour_type != 2) continue;
    Rgba img = read_png(entry.path());
    ASSERT_GT(img.width, 0) << entry.path().filename();
    int keyed = 0;
    for (const auto& p : img.px) keyed += p[0] == 255 && p[1] == 0 && p[2] == 128;
    EXPECT_EQ(keyed, 0) << entry.path().filename();
  }
}

TEST_F(ArtToolTest, PngPicturesAreEightBitWithAlphaWhereTransparent) {
  for (const auto& entry : fs::directory_iterator(out_.path())) {
    std::string name = entry.path().filename().string();
    if (!name.ends_with(".png")) continue;
    PngHeader p = png_header(entry.path());
    EXPECT_EQ(p.bit_depth, 8) << name;
    EXPECT_EQ(p.interlace, 0) << name;
    bool opaque_picture = name == "map.png" || name == "backdrop.png" || name.starts_with("anim") ||
                          (name.size() == 6 && name[0] >= '1' && name[0] <= '8');
    EXPECT_EQ(p.colour_type, opaque_picture ? 2 : 6) << name;
  }
}

TEST_F(ArtToolTest, BmpFilesAreUncompressed24BitBottomUp) {
  for (const std::string& name : bmp_names()) {
    std::vector<std::uint8_t> b = read_bytes(file(name));
    ASSERT_GE(b.size(), 54u) << name;
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(le32(b, 2), b.size()) << name << ": file size field";
    EXPECT_EQ(le32(b, 10), 54u) << name;
    EXPECT_EQ(le32(b, 14), 40u) << name << ": info header size";
    EXPECT_GT(static_cast<std::int32_t>(le32(b, 22)), 0) << name << ": rows stored bottom-up";
    EXPECT_EQ(le16(b, 26), 1) << name;
    EXPECT_EQ(le16(b, 28), 24) << name;
    EXPECT_EQ(le32(b, 30), 0u) << name << ": no compression";
  }
}

TEST_F(ArtToolTest, TilesAreKeyedOutsideTheirShapeOnly) {
  for (const char* name : {"green.bmp", "red.bmp"}) {
    Bmp t = read_bmp(file(name));
    ASSERT_EQ(t.width, 60);
    for (auto [x, y] : {std::pair{0, 0}, {59, 0}, {0, 59}, {59, 59}})
      EXPECT_TRUE(t.key(x, y)) << name << " corner";
    for (int y = 10; y < 50; ++y)
      for (int x = 10; x < 50; ++x) ASSERT_FALSE(t.key(x, y)) << name << " keyed inside at " << x << "," << y;
  }
  Bmp green = read_bmp(file("green.bmp")), red = read_bmp(file("red.bmp"));
  auto g = green.at(30, 30), r = red.at(30, 30);
  EXPECT_GT(g[1], g[0]) << "the positive tile is green";
  EXPECT_GT(r[0], r[1]) << "the negative tile is red";
}

TEST_F(ArtToolTest, NoPinkFringeAroundKeyedShapes) {
  // An edge pixel blended with the key colour would show as a pink rim in the game.
  for (const std::string& name : bmp_names()) {
    Bmp b = read_bmp(file(name));
    ASSERT_GT(b.width, 0) << name;
    int fringe = 0;
    for (int y = 0; y < b.height; ++y)
      for (int x = 0; x < b.width; ++x) {
        if (b.key(x, y)) continue;
        auto p = b.at(x, y);
        if (p[0] > 150 && p[1] < 90 && p[2] > 70 && p[2] < 200 && p[2] > p[1] + 40) ++fringe;
      }
    EXPECT_EQ(fringe, 0) << name;
  }
}

TEST_F(ArtToolTest, CursorFramesLeaveTheCellClearAndAnimate) {
  Bmp strip = read_bmp(file("outeranim.bmp"));
  ASSERT_EQ(strip.width, 8 * 68);
  std::vector<std::vector<std::array<std::uint8_t, 3>>> frames;
  for (int k = 0; k < 8; ++k) {
    int ox = 68 * k;
    for (int y = 10; y < 58; ++y)
      for (int x = 10; x < 58; ++x) ASSERT_TRUE(strip.key(ox + x, y)) << "frame " << k << " covers the cell";
    EXPECT_FALSE(strip.key(ox + 2, 34)) << "frame " << k << " has a left border";
    EXPECT_FALSE(strip.key(ox + 34, 65)) << "frame " << k << " has a bottom border";
    std::vector<std::array<std::uint8_t, 3>> border;
    for (int x = 0; x < 68; ++x) border.push_back(strip.at(ox + x, 2));
    for (int y = 0; y < 68; ++y) border.push_back(strip.at(ox + 2, y));
    frames.push_back(border);
  }
  for (int k = 1; k < 8; ++k) EXPECT_NE(frames[k], frames[0]) << "frame " << k << " looks like frame 0";
}

TEST_F(ArtToolTest, SameSourceGivesSameBytes) {
  TempDir again("again");
  ASSERT_EQ(run_tool("'" + again.path().string() + "'"), 0);
  int compared = 0;
  for (const auto& entry : fs::directory_iterator(out_.path())) {
    fs::path other = again.path() / entry.path().filename();
    ASSERT_TRUE(fs::exists(other)) << entry.path().filename();
    EXPECT_EQ(read_bytes(entry.path()), read_bytes(other)) << entry.path().filename();
    ++compared;
  }
  EXPECT_EQ(compared, 80);
}

TEST_F(ArtToolTest, WritesTheContactSheet) {
  TempDir docs("docs");
  fs::path sheet = docs.path() / "sub" / "sheet.png";
  ASSERT_EQ(run_tool("'" + out_.path().string() + "' --contact-sheet '" + sheet.string() + "'"), 0);
  PngHeader p = png_header(sheet);
  EXPECT_GT(p.width, 800u);
  EXPECT_GT(p.height, 600u);
}

// The desktop icons at every size, and the same pictures in one Windows icon file: a directory of
// entries (0 for 256), each a PNG of its size, byte for byte the theme's file of that size.
TEST_F(ArtToolTest, WritesTheDesktopIconsAndTheWindowsIcon) {
  TempDir icons("icons");
  const fs::path ico = icons.path() / "win" / "brakka.ico";
  ASSERT_EQ(run_tool("'" + out_.path().string() + "' --icons '" + icons.path().string() + "' --ico '" +
                     ico.string() + "'"),
            0);
  const std::vector<std::uint8_t> b = read_bytes(ico);
  const int sizes[] = {16, 24, 32, 48, 64, 128, 256};
  ASSERT_GE(b.size(), 6u + 16u * 7u);
  EXPECT_EQ(le16(b, 0), 0);
  EXPECT_EQ(le16(b, 2), 1);
  ASSERT_EQ(le16(b, 4), 7);
  std::size_t next = 6 + 16 * 7;
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(sizes[i]);
    const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
    EXPECT_EQ(b[entry], sizes[i] % 256);
    EXPECT_EQ(b[entry + 1], sizes[i] % 256);
    EXPECT_EQ(le16(b, entry + 6), 32);
    const std::uint32_t length = le32(b, entry + 8), offset = le32(b, entry + 12);
    EXPECT_EQ(offset, next);
    ASSERT_LE(std::size_t(offset) + length, b.size());
    next = offset + length;
    const std::string px = std::to_string(sizes[i]);
    const std::vector<std::uint8_t> png = read_bytes(icons.path() / (px + "x" + px) / "apps" / "brakka.png");
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin() + offset, b.begin() + offset + length), png);
  }
  EXPECT_EQ(next, b.size());
}

TEST(ArtToolCommandLine, RejectsMissingOrUnknownArguments) {
  ASSERT_TRUE(fs::exists(tool_path())) << "brakka_art not found at " << tool_path();
  EXPECT_EQ(run_tool(""), 2);
  EXPECT_EQ(run_tool("/tmp/x --frobnicate"), 2);
  EXPECT_EQ(run_tool("/tmp/x --contact-sheet"), 2);
  EXPECT_EQ(run_tool("/tmp/x --ico"), 2);
  EXPECT_EQ(run_tool("/tmp/x /tmp/y"), 2);
}

TEST(ArtToolCommandLine, FailsClearlyWhenTheOutputCannotBeWritten) {
  ASSERT_TRUE(fs::exists(tool_path())) << "brakka_art not found at " << tool_path();
  TempDir dir("blocked");
  fs::path blocker = dir.path() / "file";
  std::ofstream(blocker) << "not a folder";
  EXPECT_EQ(run_tool("'" + (blocker / "media").string() + "'"), 1);
}

}  // namespace
