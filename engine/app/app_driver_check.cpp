// The warning shown once when only a software OpenGL driver is found.
#include <cstdio>
#include <cstring>
#include "engine/app/app.h"
#include "engine/app/app_frame.h"
#include "engine/platform/os_files.h"
#include "engine/platform/platform.h"

namespace {

constexpr int kMaxMessage = 2047;

const char kBuiltInMessage[] =
    "Please update your GFX adapter's driver\n"
    "so it can render OpenGL by HARDWARE.\n"
    "Without it the game runs very slowly.\n"
    "\n"
    "Bitte aktualisieren Sie den Treiber Ihrer Grafikkarte,\n"
    "damit OpenGL von der HARDWARE berechnet wird.\n"
    "Ohne ihn laeuft das Spiel sehr langsam.";

bool g_checked = false;

}  // namespace

// "GDI Generic" is Windows' own OpenGL, drawn in software: what a window gets from the generic pixel
// format when no graphics driver brings one of its own.
bool app_driver_is_software(const char* renderer) {
  return renderer &&
         (std::strcmp(renderer, "Mesa Windows GDI Driver") == 0 || std::strcmp(renderer, "GDI Generic") == 0);
}

Str app_driver_message() {
  char text[kMaxMessage + 1] = {};
  size_t n = 0;
  if (FILE* f = os_fopen("opengldriver.txt", "rb")) {
    n = std::fread(text, 1, kMaxMessage, f);
    std::fclose(f);
  }
  text[n] = '\0';
  if (text[0] == '\0') return Str(kBuiltInMessage);
  return Str(text);
}

void app_driver_check(const char* renderer) {
  if (g_checked) return;
  g_checked = true;
  if (!app_driver_is_software(renderer)) return;
  log_line("*** OpenGL Software Emulation - update driver!\n");
  Str message = app_driver_message();
  platform().message_box("No OpenGL Hardware Drivers", message.data);
}
