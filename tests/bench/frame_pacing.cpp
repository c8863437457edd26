// Frame pacing on the "sdl" backend: frames at 50 per second through frame_show on a static screen
// (1,000 unless a count is given). Prints the median, smallest and largest frame interval, the 99th
// percentile of |interval - 20 ms|, the process's CPU share of one core over the run (user and system
// time) beside them, the window's size and the machine's load average before and after, so figures
// from a busy machine can be told apart.
// Runs on whatever video driver SDL picks (a display, Xvfb, or SDL_VIDEODRIVER=offscreen).
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include "engine/app/app.h"
#include "engine/media/renderer.h"
#include "engine/platform/platform.h"
#include "portable.h"

namespace {

void print_load(const char* when) {
  double load[3] = {0, 0, 0};
  if (portable::load_average(load))
    std::printf("  load average %-9s %.2f %.2f %.2f\n", when, load[0], load[1], load[2]);
}

double percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  if (p <= 0.0) return v.front();
  size_t i = static_cast<size_t>(std::ceil(p * double(v.size()))) - 1;
  return v[std::min(i, v.size() - 1)];
}

}  // namespace

int main(int argc, char** argv) {
  const int kFrames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 1000;
  const std::string dir = portable::make_temp_dir("brakka_bench_");
  if (!dir.empty()) portable::set_temp_env(dir);  // a log of its own
  if (!platform_select("sdl")) return 1;

  app_settings.screen_width = 800;
  app_settings.screen_height = 600;
  app_settings.hide_mouse = 0;
  app_settings.frame_rate = 50;
  app_settings.auto_pause = 0;  // a window without focus (Xvfb, offscreen) keeps running
  frame_app_name() = "Brakka";
  if (!app_startup(1, "Brakka")) {
    std::fprintf(stderr, "start-up failed\n");
    return 1;
  }

  using Clock = std::chrono::steady_clock;
  for (int i = 0; i < 10; ++i) frame_show();  // settle
  std::printf("frame pacing, sdl backend (%s), %d frames at 50 fps\n",
              std::getenv("SDL_VIDEODRIVER") ? std::getenv("SDL_VIDEODRIVER") : "default video driver",
              kFrames);
  int ww = 0, wh = 0;
  platform().window_drawable_size(ww, wh);
  std::printf("  window                 %d x %d, picture 800 x 600 %s\n", ww, wh,
              renderer_draws_offscreen() ? "drawn off-screen" : "drawn directly");
  print_load("before");
  std::vector<double> intervals;
  intervals.reserve(static_cast<size_t>(kFrames));
  const portable::CpuTime cpu0 = portable::cpu_time();
  Clock::time_point start = Clock::now(), last = start;
  for (int i = 0; i < kFrames; ++i) {
    frame_show();
    Clock::time_point now = Clock::now();
    intervals.push_back(std::chrono::duration<double, std::milli>(now - last).count());
    last = now;
  }
  const double wall = std::chrono::duration<double>(last - start).count();
  const portable::CpuTime cpu1 = portable::cpu_time();
  const double user = cpu1.user - cpu0.user, system = cpu1.system - cpu0.system;
  print_load("after");

  std::vector<double> deviation;
  for (double v : intervals) deviation.push_back(std::fabs(v - 20.0));
  std::printf("  median interval        %.3f ms\n", percentile(intervals, 0.5));
  std::printf("  min interval           %.3f ms\n", percentile(intervals, 0.0));
  std::printf("  max interval           %.3f ms\n", percentile(intervals, 1.0));
  std::printf("  p99 |interval - 20 ms| %.3f ms\n", percentile(deviation, 0.99));
  std::printf("  wall time              %.3f s\n", wall);
  std::printf("  process CPU            %.3f s (%.1f %% of one core; user %.3f s, system %.3f s)\n",
              user + system, 100.0 * (user + system) / wall, user, system);
  std::fflush(stdout);
  app_end();
}
