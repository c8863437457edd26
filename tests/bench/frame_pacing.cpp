// Frame pacing on the "sdl" backend: 1,000 frames at 50 per second through frame_show. Prints the median
// frame interval, the 99th percentile of |interval - 20 ms| and the process's CPU share over the run.
// Runs on whatever video driver SDL picks (a display, Xvfb, or SDL_VIDEODRIVER=offscreen).
#include <sys/resource.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>
#include "engine/core/app.h"
#include "engine/platform/platform.h"

namespace {

double cpu_seconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  size_t i = static_cast<size_t>(std::ceil(p * double(v.size()))) - 1;
  return v[std::min(i, v.size() - 1)];
}

}  // namespace

int main() {
  constexpr int kFrames = 1000;
  char dir[] = "/tmp/brakka_bench_XXXXXX";
  if (::mkdtemp(dir)) ::setenv("TMPDIR", dir, 1);  // a log of its own
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
  std::vector<double> intervals;
  intervals.reserve(kFrames);
  double cpu0 = cpu_seconds();
  Clock::time_point start = Clock::now(), last = start;
  for (int i = 0; i < kFrames; ++i) {
    frame_show();
    Clock::time_point now = Clock::now();
    intervals.push_back(std::chrono::duration<double, std::milli>(now - last).count());
    last = now;
  }
  double wall = std::chrono::duration<double>(last - start).count();
  double cpu = cpu_seconds() - cpu0;

  std::vector<double> deviation;
  for (double v : intervals) deviation.push_back(std::fabs(v - 20.0));
  std::printf("frame pacing, sdl backend (%s), %d frames at 50 fps\n",
              std::getenv("SDL_VIDEODRIVER") ? std::getenv("SDL_VIDEODRIVER") : "default video driver",
              kFrames);
  std::printf("  median interval        %.3f ms\n", percentile(intervals, 0.5));
  std::printf("  p99 |interval - 20 ms| %.3f ms\n", percentile(deviation, 0.99));
  std::printf("  max interval           %.3f ms\n", percentile(intervals, 1.0));
  std::printf("  wall time              %.3f s\n", wall);
  std::printf("  process CPU            %.3f s (%.1f %% of one core)\n", cpu, 100.0 * cpu / wall);
  std::fflush(stdout);
  app_end();
}
