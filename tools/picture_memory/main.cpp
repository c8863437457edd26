// brakka_picture_memory <media dir> [--big SIDE] [--blind]: plays a short game headless with the
// automatic player (one round, then the menu's quit, the final statistics and the goodbye screen) in a
// folder of its own, and prints the program's peak resident memory, the wall time, the most picture
// memory (textures of the sprite table and the background) it held at once, and the log's lines about
// media it could not load.
//
// --big SIDE puts all-zero SIDE x SIDE RGBA PNGs (an 8000 x 8000 one is about 250 kB) in place of
// "map.png", "brakka.png" and "edition.png", as a modded or damaged media folder might hold.
// --blind draws nothing (as the whole-game tests do): the time then leaves the drawing out.
#include <png.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "autoplay.h"
#include "engine/media/renderer.h"
#include "run_folder.h"

namespace fs = std::filesystem;

namespace {

// An RGBA PNG of side x side pixels, all zero.
bool write_zero_png(const std::string& path, int side) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  std::vector<png_byte> row(static_cast<size_t>(side) * 4, 0);
  if (!png || !info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_compression_level(png, 9);
  png_set_IHDR(png, info, side, side, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < side; ++y) png_write_row(png, row.data());
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return std::fclose(f) == 0;
}

[[noreturn]] void child(const std::string& dir, bool blind) {
  autoplay::enter_run_folder(dir);
  renderer_set_blind(blind);
  autoplay::Plan plan;
  plan.seed = 2024;
  plan.quit_before_round = 2;
  static autoplay::Player* player = new autoplay::Player(plan);
  player->install();
  static std::string peak_path = dir + "/picture_peak.txt";
  std::atexit([] {
    if (std::FILE* f = std::fopen(peak_path.c_str(), "w")) {
      std::fprintf(f, "%lld\n", static_cast<long long>(renderer_picture_bytes_peak()));
      std::fclose(f);
    }
  });
  autoplay::run_program();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <media dir> [--big SIDE] [--blind]\n", argv[0]);
    return 2;
  }
  const std::string media = fs::absolute(argv[1]).string();
  int big = 0;
  bool blind = false;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--big") == 0 && i + 1 < argc) big = std::atoi(argv[++i]);
    else if (std::strcmp(argv[i], "--blind") == 0) blind = true;
  }
  const std::string dir = autoplay::make_run_folder("brakka_memory_", media);
  if (dir.empty()) return 1;
  if (big > 0) {
    for (const char* name : {"map.png", "brakka.png", "edition.png"}) {
      const std::string path = dir + "/Media/" + name;
      fs::remove(path);  // a link to the given media: never written through
      if (!write_zero_png(path, big)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
      }
    }
    std::printf("%s, %s and %s: all-zero %d x %d RGBA PNGs of %ju bytes\n", "map.png", "brakka.png",
                "edition.png", big, big, static_cast<uintmax_t>(fs::file_size(dir + "/Media/map.png")));
  }

  const auto start = std::chrono::steady_clock::now();
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid < 0) return 1;
  if (pid == 0) child(dir, blind);
  int status = 0;
  rusage usage{};
  ::wait4(pid, &status, 0, &usage);
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  long long peak = -1;
  std::ifstream(dir + "/picture_peak.txt") >> peak;
  std::printf("exit status %d\n", WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status));
  std::printf("peak resident memory %.0f MB, wall time %.1f s (%s drawing)\n", usage.ru_maxrss / 1024.0, wall,
              blind ? "blind" : "real");
  std::printf("picture memory held at most %.1f MB\n", peak / 1048576.0);
  std::ifstream log(dir + "/ErrorLog.txt");
  for (std::string line; std::getline(log, line);)
    if (line.rfind("Cannot ", 0) == 0) std::printf("log: %s\n", line.c_str());
  std::error_code ec;
  fs::remove_all(dir, ec);
  return 0;
}
