// Benchmark: what the game's screens cost on a software OpenGL (llvmpipe) in a real X window. Each
// scene runs in its own process on the sdl backend, paced at 50 frames per second, under an X server
// of its own (Xvfb) sized so that the window shows the picture at scale 1 (800 x 600) or at scale 2
// (1600 x 1200). The CPU share comes from the process's own times (all its threads, llvmpipe's
// included) over the paced loop.
//
// Scenes: two floors drawn with plain OpenGL into the window (a clear and a swap; one full-window
// opaque textured quad with nearest filtering), then the runtime drawing the welcome screen, the main
// screen waiting, a round waiting for the player and a round with the computer walking its cursor.
// Printed as % of a core and as ratios to the one-quad floor of the same run and scale, then the main
// thread's own share (the program, OpenGL's front end and vertex work, without llvmpipe's rasterizer
// threads), the frame pacing (p99 of |interval - 20 ms|), how many frames the renderer drew whole, in
// part or not at all, how many full-screen layers it drew from kept copies, and how many draws a drawn
// frame saved by joining sprites and texts of one picture.
//
// Frames are shown the runtime's own way: where the driver shows parts of the window without a swap,
// only the boxes that changed ("shown: in part"); --swap shows every frame by a buffer swap, as where
// it cannot. --whole draws every frame whole from its list, as if everything had changed: the cost of
// the drawing itself.
//
// Usage: ./bin/bench_software_gl [--seconds S] [--scales 1,2] [--media DIR] [--only SCENE] [--swap] [--whole]
// (Xvfb must be installed; DISPLAY is not used.)
#include "engine/platform/gl_headers.h"
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/app/app.h"
#include "engine/app/app_frame.h"
#include "engine/core/files.h"
#include "engine/core/random.h"
#include "engine/core/str.h"
#include "engine/core/timer.h"
#include "engine/media/draw.h"
#include "engine/media/font.h"
#include "engine/media/renderer.h"
#include "engine/media/sprites.h"
#include "engine/platform/platform.h"
#include "game/round/board_screen.h"
#include "game/state/round_state.h"
#include "game/round/setup_round.h"
#include "game/state/blocks.h"
#include "game/shell/centred_text.h"
#include "game/state/game_state.h"
#include "game/shell/main_screen.h"
#include "game/shell/media_slots.h"
#include "game/shell/title_animation.h"
#include "tests/bench/bench_common.h"
#include "tests/bench/round_scene_state.h"

namespace fs = std::filesystem;

namespace {

constexpr int kFrameRate = 50;
const char* const kScenes[] = {"floor_clear", "floor_quad",    "welcome",
                               "main_screen", "round_waiting", "round_computer"};

struct Result {
  double cpu_percent = -1;
  double main_percent = 0;  // the main thread's share: the program, the GL front end and vertex work
  double p99_ms = 0;
  int frames = 0;
  int window_w = 0, window_h = 0;
  long drawn_whole = 0, drawn_part = 0, kept = 0, layers = 0, joined = 0;
  int in_part = 0;  // frames shown without swaps, in part where they changed in part
};

// ---- the child: one scene in one process -------------------------------------------------------

double percentile99(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, static_cast<size_t>(std::ceil(0.99 * v.size())) - 1)];
}

// Waits for the frame's deadline as the runtime does (sleeping, events pumped), for the floors.
void pace_plain(double& deadline) {
  PlatformEvent ev;
  for (;;) {
    while (platform().event_poll(ev)) {}
    const double left = deadline - timer_now();
    if (left <= 1.0) break;
    sys_sleep(left > 3.0 ? static_cast<int>(left - 2.0) : 1);
  }
  deadline += 1000.0 / kFrameRate;
  if (deadline < timer_now()) deadline = timer_now() + 1000.0 / kFrameRate;
}

// The floors: plain OpenGL straight into the window, no renderer in the way.
void plain_frame(bool quad, GLuint texture) {
  // The window itself, whatever the renderer made for its own frames.
  static const auto bind_framebuffer =
      reinterpret_cast<PFNGLBINDFRAMEBUFFERPROC>(platform().gl_proc_address("glBindFramebuffer"));
  if (bind_framebuffer) bind_framebuffer(GL_FRAMEBUFFER, 0);
  int w = 0, h = 0;
  platform().window_drawable_size(w, h);
  glViewport(0, 0, w, h);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  if (quad) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(0, 0);
    glTexCoord2f(1, 0);
    glVertex2f(1, 0);
    glTexCoord2f(1, 1);
    glVertex2f(1, 1);
    glTexCoord2f(0, 1);
    glVertex2f(0, 1);
    glEnd();
  }
  platform().gl_swap();
}

GLuint floor_texture() {
  std::vector<uint8_t> px(1024 * 1024 * 4);
  for (size_t i = 0; i < px.size(); ++i) px[i] = static_cast<uint8_t>((i * 2654435761u) >> 24);
  for (size_t i = 3; i < px.size(); i += 4) px[i] = 255;
  GLuint t = 0;
  glGenTextures(1, &t);
  glBindTexture(GL_TEXTURE_2D, t);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1024, 1024, 0, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
  return t;
}

struct WelcomeScene {
  TitleAnimation animation{100, 110};
  double edition_width = 0;
  void enter() {
    spr_load("edition.png", sprite::edition);
    spr_load("brakka.png", sprite::title);
    spr_load("copyw.png", sprite::copyright);
    spr_load("buttons.png", sprite::welcome_buttons);
    load_title_animation();
    draw_clear_screen(0);
    double h = 0;
    spr_get_size(sprite::edition, &edition_width, &h);
  }
  // The welcome screen's frame as it draws it, the player's name still empty.
  void frame() {
    animation.step();
    animation.draw();
    spr_draw(sprite::title, 80, 50);
    spr_draw(sprite::edition, static_cast<int>(400 - 0.5 * edition_width), 180);
    font_set(font::options);
    print_centred_text("WELCOME EMPTY", 350);
    font_set(font::info);
    print_centred_text("TAP CHANGE NAME TO MODIFY", 380);
    spr_draw(sprite::copyright, 285, 561);
    spr_draw(sprite::welcome_buttons, 36, 492);
  }
};

// The computer walks its cursor one cell a quarter second along its column, as it does between its
// takes, and the round screen follows.
void computer_step(int frame) {
  if (frame % 12 != 0) return;
  const int col = static_cast<int>(cursor_col);
  int row = static_cast<int>(cursor_row);
  for (int k = 0; k < 8; ++k) {
    row = row % 8 + 1;
    if (board(col, row) != 0) break;
  }
  cursor_row = row;
}

Result run_scene(const std::string& scene, const std::string& media, double seconds) {
  Result res;
  if (!platform_select("sdl")) return res;
  timer_init();
  const bool floor = scene.rfind("floor", 0) == 0;
  renderer_create();
  if (!app_window_create(800, 600, kFrameRate, 0, 0)) {
    std::fprintf(stderr, "no window\n");
    return res;
  }
  app_window_windowed_mode();
  platform().window_drawable_size(res.window_w, res.window_h);
  res.in_part = renderer_keeps_window() ? 1 : 0;
  GLuint texture = 0;
  WelcomeScene welcome;
  if (!floor) {
    if (file_set_cwd(media.c_str()) == 0) {
      std::fprintf(stderr, "no media folder %s\n", media.c_str());
      return res;
    }
    dim_game_arrays();
    load_media();
    if (scene == "welcome") welcome.enter();
    if (scene.rfind("round", 0) == 0) bench::set_up_round_state();
    if (scene == "round_computer") turn = 2;
  } else {
    texture = floor_texture();
  }
  // Half a second to settle (the window shown, the first pictures made), then the measured loop.
  const int warm = kFrameRate / 2, frames = static_cast<int>(seconds * kFrameRate);
  std::vector<double> intervals;
  double deadline = timer_now(), cpu0 = 0, main0 = 0, last = 0;
  frame_set_deadline(deadline);
  RendererFrameCounts counts0{};
  for (int f = 0; f < warm + frames; ++f) {
    if (f == warm) {
      cpu0 = bench::cpu_seconds(RUSAGE_SELF);
      main0 = bench::cpu_seconds(RUSAGE_THREAD);
      counts0 = renderer_frame_counts();
      last = timer_now();
    }
    if (floor) {
      plain_frame(scene == "floor_quad", texture);
      pace_plain(deadline);
    } else {
      if (scene == "welcome") welcome.frame();
      if (scene == "main_screen") draw_main_screen(1);
      if (scene == "round_computer") computer_step(f);
      if (scene.rfind("round", 0) == 0) draw_board(1, 0);
      if (!frame_present(nullptr)) break;
      renderer_frame_setup();
    }
    if (f >= warm) {
      const double now = timer_now();
      intervals.push_back(std::fabs(now - last - 1000.0 / kFrameRate));
      last = now;
    }
  }
  const double cpu = bench::cpu_seconds(RUSAGE_SELF) - cpu0;
  res.main_percent = 100.0 * (bench::cpu_seconds(RUSAGE_THREAD) - main0) / seconds;
  const RendererFrameCounts counts = renderer_frame_counts();
  res.frames = frames;
  res.cpu_percent = 100.0 * cpu / seconds;
  res.p99_ms = percentile99(intervals);
  res.drawn_whole = counts.whole - counts0.whole;
  res.drawn_part = counts.part - counts0.part;
  res.kept = counts.kept - counts0.kept;
  res.layers = counts.layers - counts0.layers;
  res.joined = counts.joined - counts0.joined;
  renderer_destroy();
  platform().window_destroy();
  return res;
}

// ---- the parent: X servers, children, the table ------------------------------------------------

struct XServer {
  pid_t pid = -1;
  std::string display;
};

XServer start_xvfb(int width, int height) {
  XServer x;
  for (int n = 90; n < 140; ++n) {
    if (fs::exists("/tmp/.X11-unix/X" + std::to_string(n)) ||
        fs::exists("/tmp/.X" + std::to_string(n) + "-lock"))
      continue;
    const std::string display = ":" + std::to_string(n);
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    const pid_t pid = fork();
    if (pid == 0) {
      const int null = ::open("/dev/null", O_WRONLY);
      if (null >= 0) {
        dup2(null, 1);
        dup2(null, 2);
      }
      execlp("Xvfb", "Xvfb", display.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp", nullptr);
      _exit(127);
    }
    for (int i = 0; i < 100; ++i) {
      if (fs::exists("/tmp/.X11-unix/X" + std::to_string(n))) {
        x.pid = pid;
        x.display = display;
        return x;
      }
      int status = 0;
      if (waitpid(pid, &status, WNOHANG) == pid) break;  // that display was taken after all
      usleep(50000);
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
  }
  return x;
}

void stop_xvfb(XServer& x) {
  if (x.pid <= 0) return;
  kill(x.pid, SIGTERM);
  waitpid(x.pid, nullptr, 0);
  x.pid = -1;
}

bool run_child(const std::string& self, const XServer& x, const std::string& scene, const std::string& media,
               double seconds, const std::string& options, Result& res) {
  const std::string command = "DISPLAY=" + x.display + " LIBGL_ALWAYS_SOFTWARE=1 '" + self + "' --child " +
                              scene + " --media '" + media + "' --seconds " + std::to_string(seconds) +
                              options;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return false;
  char line[512];
  bool found = false;
  while (std::fgets(line, sizeof line, pipe)) {
    if (std::sscanf(line, "result %lf %lf %d %d %d %ld %ld %ld %d %ld %ld %lf", &res.cpu_percent, &res.p99_ms,
                    &res.frames, &res.window_w, &res.window_h, &res.drawn_whole, &res.drawn_part, &res.kept,
                    &res.in_part, &res.layers, &res.joined, &res.main_percent) == 12)
      found = true;
  }
  return pclose(pipe) == 0 && found;
}

}  // namespace

int main(int argc, char** argv) {
  std::string child, media, only;
  double seconds = 4.0;
  bool swap = false, whole = false;
  std::vector<int> scales = {1, 2};
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--child" && i + 1 < argc) child = argv[++i];
    else if (a == "--media" && i + 1 < argc) media = argv[++i];
    else if (a == "--only" && i + 1 < argc) only = argv[++i];
    else if (a == "--swap") swap = true;
    else if (a == "--whole") whole = true;
    else if (a == "--seconds" && i + 1 < argc) seconds = std::max(0.5, std::atof(argv[++i]));
    else if (a == "--scales" && i + 1 < argc) {
      scales.clear();
      for (const char* p = argv[++i]; *p; ++p)
        if (*p >= '1' && *p <= '4') scales.push_back(*p - '0');
    } else {
      std::fprintf(stderr,
                   "usage: %s [--seconds S] [--scales 1,2] [--media DIR] [--only SCENE] [--swap] [--whole]\n",
                   argv[0]);
      return 2;
    }
  }
  const fs::path self = fs::absolute(argv[0]);
  if (media.empty()) media = (self.parent_path() / "Media").string();
  media = fs::absolute(media).string();

  if (!child.empty()) {
    renderer_allow_kept_window(!swap);
    renderer_set_redraw_whole(whole);
    const Result r = run_scene(child, media, seconds);
    if (r.cpu_percent < 0) return 1;
    std::printf("result %.3f %.3f %d %d %d %ld %ld %ld %d %ld %ld %.3f\n", r.cpu_percent, r.p99_ms, r.frames,
                r.window_w, r.window_h, r.drawn_whole, r.drawn_part, r.kept, r.in_part, r.layers, r.joined,
                r.main_percent);
    return 0;
  }

  double load[3] = {0, 0, 0};
  if (getloadavg(load, 3) < 0) load[0] = -1;
  std::printf("software OpenGL drawing cost, %.1f s a scene at %d frames per second; load average %.2f\n",
              seconds, kFrameRate, load[0]);
  const std::string options = std::string(swap ? " --swap" : "") + (whole ? " --whole" : "");
  int failures = 0;
  for (const int scale : scales) {
    // Room for the window at exactly that scale and no more.
    XServer x = start_xvfb(800 * scale + 200, 600 * scale + 160);
    if (x.pid <= 0) {
      std::printf("scale %d: no X server could be started (is Xvfb installed?)\n", scale);
      return 1;
    }
    std::vector<std::pair<std::string, Result>> rows;
    for (const char* scene : kScenes) {
      if (!only.empty() && only != scene && std::strncmp(scene, "floor", 5) != 0) continue;
      Result r;
      if (!run_child(self.string(), x, scene, media, seconds, options, r)) {
        std::printf("scale %d: %s failed\n", scale, scene);
        ++failures;
        continue;
      }
      rows.emplace_back(scene, r);
    }
    stop_xvfb(x);
    double quad = 0;
    for (const auto& [name, r] : rows)
      if (name == "floor_quad") quad = r.cpu_percent;
    bool in_part = false;
    for (const auto& [name, r] : rows) in_part = in_part || r.in_part;
    std::printf("\nscale %d, shown: %s\n%-16s %8s %9s %7s %10s %8s %8s %8s %7s %7s %7s\n", scale,
                in_part ? "in part" : "by swaps", "scene", "% core", "/ 1 quad", "main %", "window", "whole",
                "part", "kept", "layers", "joined", "p99 ms");
    for (const auto& [name, r] : rows) {
      char ratio[32] = "-";
      if (quad > 0) std::snprintf(ratio, sizeof ratio, "%.2f", r.cpu_percent / quad);
      char window[32];
      std::snprintf(window, sizeof window, "%dx%d", r.window_w, r.window_h);
      // Draws saved a frame drawn, by joining sprites and texts of one picture.
      const long drawn = r.drawn_whole + r.drawn_part;
      std::printf("%-16s %8.1f %9s %7.1f %10s %8ld %8ld %8ld %7ld %7.1f %7.2f\n", name.c_str(), r.cpu_percent,
                  ratio, r.main_percent, window, r.drawn_whole, r.drawn_part, r.kept, r.layers,
                  drawn > 0 ? static_cast<double>(r.joined) / drawn : 0.0, r.p99_ms);
    }
    std::fflush(stdout);
  }
  return failures == 0 ? 0 : 1;
}
