// The game's settings and the two texts kept for the whole run.
#include "engine/app/app.h"

AppSettings app_settings;

Str& frame_app_name() {
  static Str name;
  return name;
}

Str& frame_command_line() {
  static Str line;
  return line;
}
