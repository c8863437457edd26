// Benchmark: a menu-like scene (800 x 600 background, 20 sprites, 10 lines of proportional text)
// drawn by the runtime at 50 frames per second for 1,000 frames on the SDL backend, then the same
// scene drawn by a plain SDL_Renderer program (bench_menu_scene_sdl_renderer, run as a child).
// Prints the process CPU seconds of both and their ratio.
//
// Run under a display, e.g.: xvfb-run -a ./bin/bench_menu_scene
#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "engine/app/app.h"
#include "engine/app/app_frame.h"
#include "engine/core/timer.h"
#include "engine/media/draw.h"
#include "engine/media/font.h"
#include "engine/media/renderer.h"
#include "engine/media/sprites.h"
#include "engine/platform/platform.h"
#include "tests/bench/menu_scene_pictures.h"

#include "tests/bench/bench_common.h"
#include "tests/bench/runtime_bench.h"

namespace {

using bench::cpu_seconds;

double wall_ms() { return timer_now(); }

bool run_runtime_scene(double& cpu, double& wall) {
  if (!bench::open_runtime_window()) return false;
  for (int i = 0; i < 4; ++i) spr_load(("sprite" + std::to_string(i) + ".bmp").c_str(), i);
  font_load("font.bmp", 1);
  if (app_error_code() != 0) {
    std::fprintf(stderr, "pictures did not load (error %d)\n", app_error_code());
    return false;
  }
  frame_set_frame_rate(menu_scene::kFrameRate);
  frame_set_deadline(timer_now());
  const double cpu0 = cpu_seconds(RUSAGE_SELF);
  const double wall0 = wall_ms();
  for (int frame = 0; frame < menu_scene::kFrames; ++frame) {
    draw_load_background("map.bmp");  // as the main screen does, every frame
    for (int s = 0; s < menu_scene::kSprites; ++s) {
      const int x = (s * 97 + frame * 3) % 736;
      const int y = (s * 53 + frame * 2) % 536;
      spr_draw(s % 4, x, y);
    }
    for (int line = 0; line < menu_scene::kLines; ++line)
      font_print(menu_scene::kLine, 20, 40 + line * 50, 1);
    if (!frame_present(nullptr)) break;
    renderer_frame_setup();
  }
  cpu = cpu_seconds(RUSAGE_SELF) - cpu0;
  wall = (wall_ms() - wall0) / 1000.0;
  bench::close_runtime_window();
  return true;
}

// Runs the comparison program with the pictures' folder and a filter.
bool run_comparison(const std::string& program, const std::string& dir, const char* filter, double& cpu,
                    double& total_cpu) {
  return bench::run_comparison("'" + program + "' '" + dir + "' " + filter, cpu, total_cpu);
}

}  // namespace

int main(int, char** argv) {
  const std::filesystem::path self = std::filesystem::absolute(argv[0]);
  const std::string dir =
      (std::filesystem::temp_directory_path() / ("brakka_menu_scene_" + std::to_string(getpid()))).string();
  std::filesystem::create_directories(dir);
  if (!menu_scene::write_pictures(dir) || chdir(dir.c_str()) != 0) {
    std::fprintf(stderr, "cannot write the pictures into %s\n", dir.c_str());
    return 1;
  }
  double runtime_cpu = 0, runtime_wall = 0;
  if (!run_runtime_scene(runtime_cpu, runtime_wall)) return 1;
  std::printf("runtime:      %d frames in %.2f s wall, %.3f s CPU (%.3f ms CPU per frame)\n",
              menu_scene::kFrames, runtime_wall, runtime_cpu, runtime_cpu * 1000.0 / menu_scene::kFrames);
  std::fflush(stdout);

  const std::string comparison = (self.parent_path() / "bench_menu_scene_sdl_renderer").string();
  // The same filtering as the runtime first, then SDL_Renderer's own default (nearest).
  for (const char* filter : {"linear", "nearest"}) {
    double sdl_cpu = 0, sdl_total = 0;
    if (!run_comparison(comparison, dir, filter, sdl_cpu, sdl_total)) {
      std::printf("SDL_Renderer comparison: could not run %s\n", comparison.c_str());
      std::filesystem::remove_all(dir);
      return 1;
    }
    std::printf("SDL_Renderer (%s): %d frames, %.3f s CPU (%.3f ms CPU per frame; whole process %.3f s)\n",
                filter, menu_scene::kFrames, sdl_cpu, sdl_cpu * 1000.0 / menu_scene::kFrames, sdl_total);
    if (sdl_cpu > 0)
      std::printf("ratio runtime / SDL_Renderer (%s) CPU: %.2f\n", filter, runtime_cpu / sdl_cpu);
    std::fflush(stdout);
  }
  std::filesystem::remove_all(dir);
  return 0;
}
