// JPEG pictures through libjpeg: files on disk (or bytes in memory), 1, 3 or 4 components, no colour key.
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "engine/core/files.h"
#include "engine/core/log.h"
#include "engine/core/mem_name.h"
#include "engine/media/image.h"
#include "engine/media/image_buffer.h"
#include "engine/platform/os_files.h"

namespace {

// A progressive file has a handful of scans; thousands of tiny ones only burn time.
constexpr int kMaxScans = 256;
// Ceiling for the library's whole-image buffers (multi-scan files keep every coefficient).
constexpr long kMaxLibraryMemory = 768L * 1024 * 1024;

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void on_error_exit(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}
void on_output_message(j_common_ptr) {}

void on_progress(j_common_ptr cinfo) {
  if (!cinfo->is_decompressor) return;
  if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans) on_error_exit(cinfo);
}

// Everything that lives across the library calls, kept outside the frame that calls setjmp.
struct JpegDecode {
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  jpeg_progress_mgr progress;
  bool created = false;
};

using SourceSetup = void (*)(j_decompress_ptr, const void* arg);

void source_from_file(j_decompress_ptr cinfo, const void* file) {
  jpeg_stdio_src(cinfo, static_cast<FILE*>(const_cast<void*>(file)));
}

struct MemoryBlock {
  const uint8_t* data;
  size_t size;
};
void source_from_memory(j_decompress_ptr cinfo, const void* block) {
  const auto* b = static_cast<const MemoryBlock*>(block);
  jpeg_mem_src(cinfo, b->data, static_cast<unsigned long>(b->size));
}

bool report_components(int components) {
  if (components == 1 || components == 3 || components == 4) return true;
  char text[64];
  std::snprintf(text, sizeof text, "JPEG: Channels: %d not supported!\n", components);
  log_line(text);
  return false;
}

// The library part. No object with a destructor is created here: a library error jumps back to the
// setjmp below and everything it leaves behind is owned by `d`.
bool decode_with_library(JpegDecode& d, SourceSetup setup, const void* arg, ImageBuffer& out) {
  d.cinfo.err = jpeg_std_error(&d.err.base);
  d.err.base.error_exit = on_error_exit;
  d.err.base.output_message = on_output_message;
  if (setjmp(d.err.jump)) return false;
  jpeg_create_decompress(&d.cinfo);
  d.created = true;
  d.cinfo.mem->max_memory_to_use = kMaxLibraryMemory;
  d.progress.progress_monitor = on_progress;
  d.cinfo.progress = &d.progress;
  setup(&d.cinfo, arg);
  jpeg_read_header(&d.cinfo, TRUE);
  if (!image_size_allowed(d.cinfo.image_width, d.cinfo.image_height)) return false;
  // The output's size and layout are known before the library sets up its own buffers (a progressive
  // file keeps every coefficient), so a picture refused for its size costs nothing more.
  jpeg_calc_output_dimensions(&d.cinfo);
  const int components = d.cinfo.output_components;
  if (!report_components(components)) return false;
  const JDIMENSION width = d.cinfo.output_width;
  const JDIMENSION height = d.cinfo.output_height;
  if (!image_buffer_prepare(out, width, height)) return false;
  jpeg_start_decompress(&d.cinfo);
  if (d.cinfo.output_width != width || d.cinfo.output_height != height ||
      d.cinfo.output_components != components) {
    return false;
  }
  // Each scanline is read straight into its RGBA row and widened there: the picture is never held twice.
  const size_t stride = static_cast<size_t>(width) * 4;
  while (d.cinfo.output_scanline < height) {
    JSAMPROW row = out.pixels.data() + static_cast<size_t>(d.cinfo.output_scanline) * stride;
    if (jpeg_read_scanlines(&d.cinfo, &row, 1) != 1) return false;
    image_widen_row(row, static_cast<int>(width), components, kNoColorKey);
  }
  jpeg_finish_decompress(&d.cinfo);
  return true;
}

bool decode(SourceSetup setup, const void* arg, ImageBuffer& out) {
  image_buffer_reset(out);
  auto d = std::make_unique<JpegDecode>();
  const bool ok = decode_with_library(*d, setup, arg, out);
  if (d->created) jpeg_destroy_decompress(&d->cinfo);
  if (!ok) image_buffer_reset(out);
  return ok;
}

}  // namespace

bool image_decode_jpeg(const uint8_t* data, size_t size, ImageBuffer& out) {
  if (!data || size == 0) {
    image_buffer_reset(out);
    return false;
  }
  const MemoryBlock block{data, size};
  return decode(source_from_memory, &block, out);
}

bool image_read_jpeg(const char* path, ImageBuffer& out) {
  image_buffer_reset(out);
  if (!path || mem_name_is(path)) return false;  // JPEG reads files on disk only
  const std::string native = path_to_native(path);
  OsFileInfo info;
  if (!os_stat(native, info) || info.kind == OsFileKind::folder) return false;
  FILE* file = os_fopen(native, "rb");
  if (!file) return false;
  const bool ok = decode(source_from_file, file, out);
  std::fclose(file);
  return ok;
}
