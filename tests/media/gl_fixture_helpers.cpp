// Offscreen GL fixture, pixel read-back and picture helpers shared by the media tests.
#include "engine/platform/gl_headers.h"

#include <cstdio>
#include <filesystem>
#include <ostream>
#include <vector>

#include "engine/media/renderer.h"
#include "engine/platform/platform.h"
#include "portable.h"
#include "tests/media/gl_fixture.h"

std::ostream& operator<<(std::ostream& os, const Rgba& c) {
  return os << "(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << "," << int(c.a) << ")";
}

void GlTest::SetUp() {
  ASSERT_TRUE(platform_select("headless"));
  ASSERT_TRUE(platform().window_create(kScreenW, kScreenH, false, false));
  // The GL driver stays mapped, so that the leak checker can still name its own allocations at exit
  // and its suppressions apply to them.
  portable::pin_loaded_libraries();
  renderer_create();
  renderer_gl_init();
  renderer_frame_setup();
  clear_screen_to(Rgba{0, 0, 0, 255});
}

void GlTest::TearDown() {
  renderer_destroy();
  platform().window_destroy();
}

Rgba screen_pixel(int x, int y) {
  GLubyte p[4] = {0, 0, 0, 0};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, GlTest::kScreenH - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
  return Rgba{p[0], p[1], p[2], p[3]};
}

bool screen_rect_is(int x0, int y0, int x1, int y1, Rgba c) {
  const int w = x1 - x0, h = y1 - y0;
  if (w <= 0 || h <= 0) return true;
  std::vector<GLubyte> px(static_cast<size_t>(w) * h * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x0, GlTest::kScreenH - y1, w, h, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
  for (size_t i = 0; i < px.size(); i += 4) {
    if (px[i] != c.r || px[i + 1] != c.g || px[i + 2] != c.b) return false;
  }
  return true;
}

void clear_screen_to(Rgba c) {
  glClearColor(c.r / 255.0f, c.g / 255.0f, c.b / 255.0f, c.a / 255.0f);
  glClear(GL_COLOR_BUFFER_BIT);
}

ImageBuffer make_image(int w, int h, const std::function<Rgba(int, int)>& fn) {
  ImageBuffer image;
  image.width = w;
  image.height = h;
  image.pixels.resize(static_cast<size_t>(w) * h * 4);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const Rgba c = fn(x, y);
      uint8_t* p = image.pixels.data() + (static_cast<size_t>(y) * w + x) * 4;
      p[0] = c.r;
      p[1] = c.g;
      p[2] = c.b;
      p[3] = c.a;
    }
  }
  return image;
}

ImageBuffer solid_image(int w, int h, Rgba c) {
  return make_image(w, h, [c](int, int) { return c; });
}

namespace {
void put_u16(std::vector<uint8_t>& out, unsigned v) {
  out.push_back(v & 0xff);
  out.push_back((v >> 8) & 0xff);
}
void put_u32(std::vector<uint8_t>& out, unsigned v) {
  put_u16(out, v & 0xffff);
  put_u16(out, v >> 16);
}
}  // namespace

bool write_bmp24(const std::string& path, const ImageBuffer& image) {
  const unsigned stride = (static_cast<unsigned>(image.width) * 3 + 3) & ~3u;
  const unsigned data_size = stride * static_cast<unsigned>(image.height);
  std::vector<uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  put_u32(out, 54 + data_size);
  put_u32(out, 0);
  put_u32(out, 54);
  put_u32(out, 40);
  put_u32(out, static_cast<unsigned>(image.width));
  put_u32(out, static_cast<unsigned>(image.height));
  put_u16(out, 1);
  put_u16(out, 24);
  for (int i = 0; i < 6; ++i) put_u32(out, i == 1 ? data_size : 0);
  for (int y = image.height - 1; y >= 0; --y) {
    const size_t row_start = out.size();
    for (int x = 0; x < image.width; ++x) {
      const uint8_t* p = image.pixels.data() + (static_cast<size_t>(y) * image.width + x) * 4;
      out.push_back(p[2]);
      out.push_back(p[1]);
      out.push_back(p[0]);
    }
    while (out.size() - row_start < stride) out.push_back(0);
  }
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  return std::fclose(f) == 0 && ok;
}

std::string scratch_dir() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("brakka_media_" + std::to_string(portable::process_id()) +
                                                "_" + (info ? std::string(info->name()) : std::string("x")));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string();
}
