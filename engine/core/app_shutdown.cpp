// Releasing every engine service, in a fixed order.
#include <unistd.h>
#include <cstdio>
#include "engine/core/app.h"
#include "engine/core/app_frame.h"
#include "engine/core/archive.h"
#include "engine/core/files.h"
#include "engine/core/input.h"
#include "engine/media/music.h"
#include "engine/media/renderer.h"
#include "engine/media/sound.h"

namespace {
bool g_quit_called = false;
bool g_releasing = false;
}  // namespace

void app_shutdown() {
  if (!g_quit_called) {
    g_quit_called = true;
    app_call_by_name(Str("QVX_ON_QUIT"));
  }
  if (g_releasing || !app_services_started()) return;
  g_releasing = true;

  log_line("Shut down QVX\n");
  music_shutdown();
  // The program's folder may be gone by now; nothing after this depends on it.
  if (!app_program_dir().empty() && ::chdir(app_program_dir().c_str()) != 0) std::perror("chdir");
  file_close_all();
  inp_destroy();
  snd_shutdown();
  renderer_destroy();
  archive_slots_release();
  app_window_destroy();
  app_services_forget();
  log_line("qvx is shut down\n");
  g_releasing = false;
}
