// Benchmark: the puzzle round's screen (backdrop, board over the block's picture with 63 numbered
// tiles, both players' rows, totals and captions, the info panel with the pulsing direction hint and
// the animated cursor) drawn by the game's own draw_board on the SDL backend at 50 frames per second
// for 1,000 frames; then the same scene drawn by a plain SDL_Renderer program
// (bench_round_scene_sdl_renderer, run as a child) from BMP copies of the same decoded pictures.
// Prints the process CPU seconds of both and their ratio.
//
// Usage: xvfb-run -a ./bin/bench_round_scene [media folder] [--snapshot] [--keep DIR] [--runtime-only]
//                                             [--frames N] [--unpaced]
// The media folder defaults to Media beside the executable. --snapshot also writes the first frame
// of both programs as round_runtime.bmp and round_sdl_<filter>.bmp into the current folder.
// For profiling: --keep writes the comparison's pictures and scene into DIR and leaves them there (to
// run the comparison program by itself); --runtime-only skips the comparison; --frames changes the
// number of frames; --unpaced draws frame after frame without waiting (both programs), so that
// instruction counts (valgrind --tool=callgrind) do not depend on the waits.
#include "engine/platform/gl_headers.h"
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
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
#include "engine/core/timer.h"
#include "engine/media/font_glyphs.h"
#include "engine/media/image.h"
#include "engine/media/image_staging.h"
#include "engine/media/renderer.h"
#include "engine/media/sprites.h"
#include "engine/platform/platform.h"
#include "game/round/board_screen.h"
#include "game/state/round_state.h"
#include "game/round/setup_round.h"
#include "game/state/blocks.h"
#include "game/state/game_state.h"
#include "game/shell/media_slots.h"
#include "tests/bench/round_scene_data.h"

#include "tests/bench/bench_common.h"
#include "tests/bench/runtime_bench.h"

namespace {

using bench::cpu_seconds;

constexpr int kSpriteKey = 255 + 0 * 256 + 128 * 65536;  // the runtime's sprite colour key
constexpr int kFontKey = 0;                              // and its font key (black)

// The round as the set-up screen leaves it (the human first, moving along the row), a few moves in:
// both totals and the last taken value are shown.
void set_up_round() {
  dim_game_arrays();
  load_media();
  reset_blocks();
  current_block = 3;
  player_kind(1) = 1;
  player_kind(2) = 2;
  player_dir(1) = 2;
  player_dir(2) = 1;
  str_assign_cstr(total_labels(1), " Previous          Your total");
  str_assign_cstr(total_labels(2), " Previous            My total");
  rnd_seed(5);
  setup_round();
  totals(1) = 23;
  totals(2) = -7;
  last_taken = -9;
  moves_remain = 1;
}

// The pictures as the runtime decoded them, and the round's state, for the comparison program.
bool write_comparison_input(const std::string& dir) {
  round_scene::Scene scene;
  for (const round_scene::Picture& p : round_scene::kPictures) {
    const int key = p.key == round_scene::Key::sprite ? kSpriteKey
                    : p.key == round_scene::Key::font ? kFontKey
                                                      : kNoColorKey;
    ImageBuffer image;
    if (!image_read_any(p.source, key, true, image) ||
        !round_scene::write_bmp32(dir + "/" + p.copy, image.width, image.height, image.pixels.data())) {
      std::fprintf(stderr, "cannot copy %s\n", p.source);
      return false;
    }
    for (int f = 1; f < round_scene::kFontCount; ++f) {
      if (std::strcmp(round_scene::kFontCopies[f], p.copy) != 0) continue;
      GlyphRecord glyphs[256];
      font_measure_glyphs(image, 0, glyphs);
      const FontLayout layout = font_layout(image.width, image.height);
      round_scene::FontMetrics& m = scene.fonts[f];
      m.cell_width = layout.cell_width;
      m.cell_height = layout.cell_height;
      m.glyph_count = layout.glyph_count;
      const float texture_width = static_cast<float>(texture_side(image.width));
      for (int g = 0; g < 256; ++g) {
        m.src_x[g] = static_cast<int>(glyphs[g].u0 * texture_width + 0.5f);
        m.advance[g] = glyphs[g].advance;
      }
    }
  }
  for (int c = 1; c <= 8; ++c) {
    for (int r = 1; r <= 8; ++r) {
      scene.board[c][r] = board(c, r);
      scene.cell_x[c][r] = cell_x(c, r);
      scene.cell_y[c][r] = cell_y(c, r);
    }
  }
  const int mover = static_cast<int>(turn);
  scene.cursor_col = static_cast<int>(cursor_col);
  scene.cursor_row = static_cast<int>(cursor_row);
  scene.turn = mover;
  scene.totals[1] = totals(1);
  scene.totals[2] = totals(2);
  scene.last_taken = last_taken;
  scene.moves_remain = moves_remain;
  scene.hard = blocks(static_cast<int>(current_block)).difficulty != 1;
  scene.mover_kind = static_cast<int>(player_kind(mover));
  scene.mover_dir = static_cast<int>(player_dir(mover));
  scene.cursor_anim = cursor_anim;
  scene.rock_angle = rock_angle;
  scene.rock_step = rock_step;
  scene.block_name = blocks(static_cast<int>(current_block)).name.c_str();
  scene.labels[1] = total_labels(1).c_str();
  scene.labels[2] = total_labels(2).c_str();
  return round_scene::write_scene(dir + "/" + round_scene::kSceneFile, scene);
}

// The back buffer as a BMP (top row first after the flip).
bool write_back_buffer(const std::string& path) {
  std::vector<uint8_t> raw(800 * 600 * 4), rows(raw.size());
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, raw.data());
  for (int y = 0; y < 600; ++y) std::memcpy(&rows[y * 3200], &raw[(599 - y) * 3200], 3200);
  for (size_t i = 3; i < rows.size(); i += 4) rows[i] = 255;
  return round_scene::write_bmp32(path, 800, 600, rows.data());
}

struct Options {
  int frames = round_scene::kFrames;
  bool unpaced = false;
};

bool run_runtime_scene(const std::string& media, const std::string& dir, const std::string& snapshot,
                       const Options& options, double& cpu, double& wall) {
  if (!bench::open_runtime_window()) return false;
  if (file_set_cwd(media.c_str()) == 0) {
    std::fprintf(stderr, "no media folder %s\n", media.c_str());
    return false;
  }
  set_up_round();
  for (int slot : {1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 100}) {
    double w = 0;
    spr_get_size(slot, &w, nullptr);
    if (w == 0) {
      std::fprintf(stderr, "sprite %d of the round did not load\n", slot);
      return false;
    }
  }
  int tiles = 0;
  for (int c = 1; c <= 8; ++c)
    for (int r = 1; r <= 8; ++r) tiles += board(c, r) != 0;
  std::printf("round scene: %d numbered tiles, block \"%s\", totals %.0f and %.0f, last taken %.0f\n", tiles,
              blocks(3).name.c_str(), totals(1), totals(2), last_taken);
  if (!write_comparison_input(dir)) return false;

  frame_set_frame_rate(round_scene::kFrameRate);
  frame_set_deadline(timer_now());
  const double cpu0 = cpu_seconds(RUSAGE_SELF);
  const double wall0 = timer_now();
  for (int frame = 0; frame < options.frames; ++frame) {
    round_scene::profile_frame_started(frame);
    draw_board(1, 0);
    if (frame == 0 && !snapshot.empty()) write_back_buffer(snapshot);
    if (options.unpaced) frame_set_deadline(0);  // long past: frame_present pumps once and returns
    if (!frame_present(nullptr)) break;
    renderer_frame_setup();
  }
  cpu = cpu_seconds(RUSAGE_SELF) - cpu0;
  round_scene::profile_loop_ended();
  wall = (timer_now() - wall0) / 1000.0;
  bench::close_runtime_window();
  return true;
}

// Runs the comparison program with the scene's folder, a filter and the run's options.
bool run_comparison(const std::string& program, const std::string& dir, const char* filter,
                    const std::string& snapshot, const Options& options, double& cpu, double& total_cpu) {
  std::string command =
      "'" + program + "' '" + dir + "' " + filter + " --frames " + std::to_string(options.frames);
  if (options.unpaced) command += " --unpaced";
  if (!snapshot.empty()) command += " --snapshot '" + snapshot + "'";
  return bench::run_comparison(command, cpu, total_cpu);
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path self = std::filesystem::absolute(argv[0]);
  std::string media = (self.parent_path() / "Media").string();
  bool snapshots = false, runtime_only = false;
  Options options;
  std::string kept;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--snapshot") == 0) snapshots = true;
    else if (std::strcmp(argv[i], "--runtime-only") == 0) runtime_only = true;
    else if (std::strcmp(argv[i], "--unpaced") == 0) options.unpaced = true;
    else if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc)
      options.frames = std::max(1, std::atoi(argv[++i]));
    else if (std::strcmp(argv[i], "--keep") == 0 && i + 1 < argc)
      kept = std::filesystem::absolute(argv[++i]).string();
    else media = std::filesystem::absolute(argv[i]).string();
  }
  const std::string here = std::filesystem::current_path().string();
  const std::string dir =
      !kept.empty()
          ? kept
          : (std::filesystem::temp_directory_path() / ("brakka_round_scene_" + std::to_string(getpid())))
                .string();
  std::filesystem::create_directories(dir);
  auto clean_up = [&] {
    if (kept.empty()) std::filesystem::remove_all(dir);
  };

  double runtime_cpu = 0, runtime_wall = 0;
  const bool ran = run_runtime_scene(media, dir, snapshots ? here + "/round_runtime.bmp" : "", options,
                                     runtime_cpu, runtime_wall);
  if (!ran) {
    clean_up();
    return 1;
  }
  std::printf("runtime:      %d frames in %.2f s wall, %.3f s CPU (%.3f ms CPU per frame)\n", options.frames,
              runtime_wall, runtime_cpu, runtime_cpu * 1000.0 / options.frames);
  std::fflush(stdout);

  const std::string comparison = (self.parent_path() / "bench_round_scene_sdl_renderer").string();
  int status = 0;
  if (runtime_only) {
    clean_up();
    return status;
  }
  // The runtime's filtering first, then SDL_Renderer's own default (nearest everywhere).
  for (const char* filter : {"linear", "nearest"}) {
    double sdl_cpu = 0, sdl_total = 0;
    const std::string snapshot = snapshots ? here + "/round_sdl_" + filter + ".bmp" : "";
    if (!run_comparison(comparison, dir, filter, snapshot, options, sdl_cpu, sdl_total)) {
      std::printf("SDL_Renderer comparison: could not run %s\n", comparison.c_str());
      status = 1;
      break;
    }
    std::printf("SDL_Renderer (%s): %d frames, %.3f s CPU (%.3f ms CPU per frame; whole process %.3f s)\n",
                filter, options.frames, sdl_cpu, sdl_cpu * 1000.0 / options.frames, sdl_total);
    if (sdl_cpu > 0)
      std::printf("ratio runtime / SDL_Renderer (%s) CPU: %.2f\n", filter, runtime_cpu / sdl_cpu);
    std::fflush(stdout);
  }
  clean_up();
  return status;
}
