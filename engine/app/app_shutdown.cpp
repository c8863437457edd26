// Releasing every engine service, in a fixed order.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <thread>
#include "engine/app/app.h"
#include "engine/app/app_frame.h"
#include "engine/core/archive.h"
#include "engine/core/files.h"
#include "engine/core/input.h"
#include "engine/media/music.h"
#include "engine/media/renderer.h"
#include "engine/media/sound.h"
#include "engine/platform/os_files.h"

namespace {

bool g_quit_called = false;
int g_next_step = -1;  // the release step to run next; -1 while no release is under way

void leave_for_program_dir() {
  // The program's folder may be gone by now; nothing after this depends on it.
  if (!app_program_dir().empty() && os_set_cwd(app_program_dir()) != 0) std::perror("chdir");
}

void (*const kReleaseSteps[])() = {music_shutdown,        leave_for_program_dir, file_close_all,
                                   inp_destroy,           snd_shutdown,          renderer_destroy,
                                   archive_slots_release, app_window_destroy};

// For tests only: BRAKKA_TEST_SHUTDOWN_PAUSE_MS holds the shut-down this long (real time, whatever the
// backend's clock) right after "Shut down QVX", so a test can act while the program is in the middle of
// it. A game run never sets it.
void test_pause() {
  const char* ms = std::getenv("BRAKKA_TEST_SHUTDOWN_PAUSE_MS");
  if (ms && *ms) std::this_thread::sleep_for(std::chrono::milliseconds(std::atol(ms)));
}

}  // namespace

void app_shutdown() {
  if (!g_quit_called) {
    g_quit_called = true;
    app_call_by_name(Str("QVX_ON_QUIT"));
  }
  if (!app_services_started()) return;
  if (g_next_step < 0) {
    g_next_step = 0;
    log_line("Shut down QVX\n");
    test_pause();
  }
  // A call made from inside a step (a fatal error, or a display lost while the window system was being
  // spoken to) goes on with the steps after that one, so every service is still released, and once.
  while (g_next_step < static_cast<int>(std::size(kReleaseSteps))) kReleaseSteps[g_next_step++]();
  app_services_forget();
  log_line("qvx is shut down\n");
  g_next_step = -1;
}
