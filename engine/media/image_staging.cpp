// Pixel preparation for textures: see image_staging.h.
#include "engine/media/image_staging.h"

#include <algorithm>
#include <cstring>

int texture_side(int n) {
  int side = 16;
  while (side < n && side < (1 << 30)) side *= 2;
  return side;
}

bool image_region_opaque(const ImageBuffer& image, int x0, int y0, int w, int h) {
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() < static_cast<size_t>(image.width) * image.height * 4) {
    return false;
  }
  const int left = std::max(0, x0), top = std::max(0, y0);
  const int right = std::min(image.width, x0 + w), bottom = std::min(image.height, y0 + h);
  for (int y = top; y < bottom; ++y) {
    const uint8_t* p = image.pixels.data() + (static_cast<size_t>(y) * image.width + left) * 4 + 3;
    for (int x = left; x < right; ++x, p += 4) {
      if (*p != 255) return false;
    }
  }
  return true;
}

void stage_region(const ImageBuffer& image, int x0, int y0, int w, int h, int tw, int th,
                  std::vector<uint8_t>& block) {
  block.assign(static_cast<size_t>(tw) * th * 4, 0);
  const int copy_w = std::min({w, tw, std::max(0, image.width - x0)});
  if (copy_w <= 0 || x0 < 0 || y0 < 0) return;
  const size_t needed = static_cast<size_t>(image.width) * image.height * 4;
  if (image.pixels.size() < needed) return;
  for (int y = 0; y < h && y < th; ++y) {
    const int src_y = y0 + y;
    if (src_y >= image.height) break;
    const int dst_row = h - 1 - y;
    if (dst_row < 0 || dst_row >= th) continue;
    const uint8_t* src = image.pixels.data() + (static_cast<size_t>(src_y) * image.width + x0) * 4;
    uint8_t* dst = block.data() + static_cast<size_t>(dst_row) * tw * 4;
    std::memcpy(dst, src, static_cast<size_t>(copy_w) * 4);
  }
}

void stage_in_place(ImageBuffer& image, int w, int h, int tw, int th) {
  std::vector<uint8_t>& p = image.pixels;
  const size_t src_stride = static_cast<size_t>(image.width) * 4;
  const size_t dst_stride = static_cast<size_t>(tw) * 4;
  const size_t row = static_cast<size_t>(w) * 4;
  const size_t block = dst_stride * th;
  const bool fits = w > 0 && h > 0 && w <= image.width && h <= image.height && w <= tw && h <= th &&
                    p.size() >= src_stride * image.height;
  image.width = tw;
  image.height = th;
  if (!fits) {
    p.assign(block, 0);
    return;
  }
  // Picture row y becomes block row h - 1 - y: first the rows are turned over at the picture's stride.
  for (int y = 0; y < h / 2; ++y) {
    uint8_t* a = p.data() + y * src_stride;
    std::swap_ranges(a, a + row, p.data() + (h - 1 - y) * src_stride);
  }
  if (p.size() < block) p.resize(block);
  // Then moved to the block's stride: a wider stride moves the last row first, a narrower one the
  // first, so no row is overwritten before it has moved.
  auto move_row = [&](int r) {
    uint8_t* dst = p.data() + r * dst_stride;
    std::memmove(dst, p.data() + r * src_stride, row);
    std::memset(dst + row, 0, dst_stride - row);
  };
  if (dst_stride >= src_stride) {
    for (int r = h - 1; r >= 0; --r) move_row(r);
  } else {
    for (int r = 0; r < h; ++r) move_row(r);
  }
  std::memset(p.data() + h * dst_stride, 0, (th - h) * dst_stride);
  p.resize(block);
}

void edge_fill(std::vector<uint8_t>& block, int tw, int th) {
  // Decide from the original alphas only: filled texels keep alpha 0, so they never count anyway.
  for (int y = 0; y < th; ++y) {
    for (int x = 0; x < tw; ++x) {
      uint8_t* t = block.data() + (static_cast<size_t>(y) * tw + x) * 4;
      if (t[3] != 0) continue;
      unsigned sum[3] = {0, 0, 0};
      unsigned count = 0;
      for (int dy = -1; dy <= 1; ++dy) {
        const int ny = y + dy;
        if (ny < 1 || ny > th - 2) continue;
        for (int dx = -1; dx <= 1; ++dx) {
          const int nx = x + dx;
          if ((dx == 0 && dy == 0) || nx < 1 || nx > tw - 2) continue;
          const uint8_t* n = block.data() + (static_cast<size_t>(ny) * tw + nx) * 4;
          if (n[3] == 0) continue;
          sum[0] += n[0];
          sum[1] += n[1];
          sum[2] += n[2];
          ++count;
        }
      }
      for (int c = 0; c < 3; ++c) t[c] = count ? static_cast<uint8_t>(sum[c] / count) : 0;
    }
  }
}

void mip_make_square(std::vector<uint8_t>& block, int& w, int& h) {
  while (w > h) {
    const int nw = w / 2;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < nw; ++x) {
        const uint8_t* a = block.data() + (static_cast<size_t>(y) * w + 2 * x) * 4;
        const uint8_t* b = a + 4;
        uint8_t* d = block.data() + (static_cast<size_t>(y) * nw + x) * 4;
        // d never lies after a: writing in order is safe.
        for (int c = 0; c < 4; ++c) d[c] = static_cast<uint8_t>((a[c] + b[c]) / 2);
      }
    }
    w = nw;
  }
  while (h > w) {
    const int nh = h / 2;
    for (int y = 0; y < nh; ++y) {
      for (int x = 0; x < w; ++x) {
        const uint8_t* a = block.data() + (static_cast<size_t>(2 * y) * w + x) * 4;
        const uint8_t* b = a + static_cast<size_t>(w) * 4;
        uint8_t* d = block.data() + (static_cast<size_t>(y) * w + x) * 4;
        for (int c = 0; c < 4; ++c) d[c] = static_cast<uint8_t>((a[c] + b[c]) / 2);
      }
    }
    h = nh;
  }
  block.resize(static_cast<size_t>(w) * h * 4);
}

void mip_reduce(const std::vector<uint8_t>& block, int n, std::vector<uint8_t>& out) {
  const int m = n / 2;
  out.assign(static_cast<size_t>(m) * m * 4, 0);
  auto texel = [&](int x, int y) { return block.data() + (static_cast<size_t>(y) * n + x) * 4; };
  for (int y = 0; y < m; ++y) {
    for (int x = 0; x < m; ++x) {
      const bool right = x < m - 1;
      const bool below = y < m - 1;
      const uint8_t* s0 = texel(2 * x, 2 * y);
      const uint8_t* s1 = texel(2 * x + 1, 2 * y);
      const uint8_t* s2 = texel(2 * x, 2 * y + 1);
      const uint8_t* s3 = texel(2 * x + 1, 2 * y + 1);
      uint8_t* d = out.data() + (static_cast<size_t>(y) * m + x) * 4;
      for (int c = 0; c < 4; ++c) {
        unsigned v;
        if (right && below) v = (4u * s0[c] + 2u * s1[c] + 2u * s2[c] + s3[c]) / 9u;
        else if (right) v = (2u * s0[c] + s1[c]) / 3u;
        else if (below) v = (2u * s0[c] + s2[c]) / 3u;
        else v = s0[c];
        d[c] = static_cast<uint8_t>(v);
      }
    }
  }
}
