#include "media/media_tool_helpers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "portable.h"

namespace media_tools {

namespace {

uint32_t u32(const std::vector<uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

int u16(const std::vector<uint8_t>& b, std::size_t at) { return b[at] | (b[at + 1] << 8); }

}  // namespace

std::string tool_path(const char* name) { return std::string(BRAKKA_BIN_DIR) + "/" + name; }

ScratchDir::ScratchDir() { path_ = portable::make_temp_dir("brakka_media_"); }

ScratchDir::~ScratchDir() {
  std::error_code ec;
  if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

int run_tool(const char* tool, const std::vector<std::string>& args, const std::string& output_file) {
  std::vector<std::string> argv = {tool_path(tool)};
  argv.insert(argv.end(), args.begin(), args.end());
  const int status = portable::run_program(argv, output_file);
  return status >= 0 && status < 1000 ? status : -1;
}

const std::string& art_output() {
  static const ScratchDir dir;
  static const std::string path =
      !dir.path().empty() && run_tool("brakka_art", {dir.path()}) == 0 ? dir.path() : "";
  return path;
}

std::vector<uint8_t> read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string read_text(const std::string& path) {
  const std::vector<uint8_t> b = read_bytes(path);
  return std::string(b.begin(), b.end());
}

std::vector<int> Wav::channel(int c) const {
  std::vector<int> x;
  for (std::size_t i = c; i < samples.size(); i += channels) x.push_back(samples[i]);
  return x;
}

Wav parse_wav(const std::vector<uint8_t>& b) {
  Wav w;
  if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
      std::string(b.begin() + 8, b.begin() + 12) != "WAVE") {
    w.problem = "not a RIFF/WAVE file";
    return w;
  }
  w.riff_size = u32(b, 4);
  bool have_fmt = false, have_data = false;
  std::size_t at = 12;
  while (at + 8 <= b.size() && !have_data) {
    const std::string id(b.begin() + at, b.begin() + at + 4);
    const uint32_t size = u32(b, at + 4);
    const std::size_t body = at + 8;
    if (body + size > b.size()) {
      w.problem = "chunk " + id + " runs past the end of the file";
      return w;
    }
    if (id == "fmt " && size >= 16) {
      w.fmt_size = size;
      w.format = u16(b, body);
      w.channels = u16(b, body + 2);
      w.rate = u32(b, body + 4);
      w.byte_rate = u32(b, body + 8);
      w.block_align = u16(b, body + 12);
      w.bits = u16(b, body + 14);
      have_fmt = true;
    } else if (id == "data") {
      w.data_size = size;
      if (have_fmt && w.bits == 16)
        for (std::size_t i = 0; i + 1 < size; i += 2)
          w.samples.push_back(static_cast<int16_t>(u16(b, body + i)));
      have_data = true;
    }
    at = body + size + (size & 1);
  }
  if (!have_fmt) w.problem = "no fmt chunk";
  else if (!have_data) w.problem = "no data chunk";
  return w;
}

int max_sample_at_minus_one_dbfs() {
  return static_cast<int>(std::floor(32767.0 * std::pow(10.0, -1.0 / 20.0)));
}

SeamMeasure loop_seam(const std::vector<int>& x) {
  // Second difference: zero for a signal that runs on in a straight line, large at a step.
  const std::size_t n = x.size();
  std::vector<double> bends;
  for (std::size_t i = 1; i + 1 < n; ++i) bends.push_back(std::fabs(x[i + 1] - 2.0 * x[i] + x[i - 1]));
  std::sort(bends.begin(), bends.end());
  const double typical = bends.empty() ? 0.0 : bends[bends.size() * 999 / 1000];
  // Across the join: ..., x[n-2], x[n-1] | x[0], x[1], ...
  const double seam =
      std::max(std::fabs(x[0] - 2.0 * x[n - 1] + x[n - 2]), std::fabs(x[1] - 2.0 * x[0] + x[n - 1]));
  return {seam, typical};
}

}  // namespace media_tools
