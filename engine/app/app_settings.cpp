// The game's settings and the two texts kept for the whole run.
#include "engine/app/app.h"

AppSettings app_settings;

// The log's folder is named by it, so the log keeps it.
Str& frame_app_name() { return log_program_name(); }

Str& frame_command_line() {
  static Str line;
  return line;
}
