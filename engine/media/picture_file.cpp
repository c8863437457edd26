// Reading a picture file for a slot or the background: see picture_file.h.
#include "engine/media/picture_file.h"

#include <algorithm>
#include <cstdio>

#include "engine/core/archive.h"
#include "engine/media/image_buffer.h"
#include "engine/media/media_log.h"
#include "engine/media/renderer_state.h"

namespace {

int64_t whole_mb_up(int64_t bytes) { return (bytes + (int64_t{1} << 20) - 1) >> 20; }

std::string over_budget(int w, int h, int64_t need, int64_t left, int64_t budget) {
  char text[160];
  std::snprintf(
      text, sizeof text, "over the picture memory budget (%d x %d needs %lld MB, %lld MB of %lld MB left)", w,
      h, static_cast<long long>(whole_mb_up(need)), static_cast<long long>(std::max<int64_t>(0, left) >> 20),
      static_cast<long long>(budget >> 20));
  return text;
}

}  // namespace

int picture_file_read(const Str& file, int color_key, bool allow_jpeg,
                      const std::function<PictureCost(int w, int h)>& cost, ImageBuffer& out) {
  image_buffer_reset(out);
  OpenGLDuderozi* r = renderer_gl();
  if (!r) return 3;
  Str path;
  archive_resolve(ARCHIVE_DATA, file.c_str(), path, 1);
  const std::string problem = media_lookup_problem(ARCHIVE_DATA);
  if (!problem.empty()) {
    media_log_failure(file.c_str(), problem);
    return 3;
  }
  out.admit = [&](int32_t w, int32_t h) -> size_t {
    const PictureCost c = cost(w, h);
    const int64_t need = static_cast<int64_t>(c.decode_bytes) + c.keep_bytes;
    const int64_t left = picture_bytes_left(*r);
    if (need <= left) return c.decode_bytes;
    media_log_failure(file.c_str(), over_budget(w, h, need, left, r->picture_budget));
    return 0;
  };
  const bool read = image_read_any(path.c_str(), color_key, allow_jpeg, out);
  out.admit = nullptr;
  if (read) return 0;
  if (out.refused) return 7;
  media_log_failure(file.c_str(), "damaged or unsupported picture");
  return 3;
}

int picture_file_upload_failed(const Str& file) {
  media_log_failure(file.c_str(), "its texture cannot be made");
  return 3;
}
