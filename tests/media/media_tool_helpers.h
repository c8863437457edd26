// Shared by the tests of the media generators: running a built tool in a scratch folder
// and reading back what it wrote.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace media_tools {

// Path of a tool built beside the game.
std::string tool_path(const char* name);

// A fresh folder under the system's temporary directory, removed with its contents.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Runs `tool` with `args` (each passed as one argument), sending its output to
// `output_file` when given. Returns the tool's exit code, or -1 when it did not exit.
int run_tool(const char* tool, const std::vector<std::string>& args, const std::string& output_file = "");

// The folder brakka_art wrote the pictures and fonts into: the tool runs on the first call
// of the process and the folder goes at exit. Empty when the tool failed.
const std::string& art_output();

std::vector<uint8_t> read_bytes(const std::string& path);
std::string read_text(const std::string& path);

// A parsed WAV file (RIFF with "fmt " and "data" chunks).
struct Wav {
  std::string problem;  // empty when the file parsed
  uint32_t riff_size = 0;
  uint32_t fmt_size = 0;
  int format = 0, channels = 0, bits = 0, block_align = 0;
  uint32_t rate = 0, byte_rate = 0;
  uint32_t data_size = 0;
  std::vector<int16_t> samples;  // interleaved, 16-bit files only

  std::size_t frames() const { return channels > 0 ? samples.size() / channels : 0; }
  double seconds() const { return rate ? static_cast<double>(frames()) / rate : 0.0; }
  std::vector<int> channel(int c) const;
};

Wav parse_wav(const std::vector<uint8_t>& bytes);

// The largest 16-bit sample a file may hold at -1 dBFS.
int max_sample_at_minus_one_dbfs();

// How far the join from the last sample back to the first departs from a straight
// continuation, and the same measure at the 99.9th percentile over the whole signal.
struct SeamMeasure {
  double seam;
  double typical;
};
SeamMeasure loop_seam(const std::vector<int>& x);

}  // namespace media_tools
