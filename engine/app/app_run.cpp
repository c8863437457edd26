// Running the whole program as the process entry does: the command line kept, the game's settings,
// the runtime's start-up, then the game's main routine, which never returns.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include "engine/app/app.h"
#include "engine/app/app_frame.h"
#include "engine/platform/system_info.h"

void app_run(int argc, char** argv) {
  std::string line;
  const std::vector<std::string> arguments = system_arguments(argc, argv);
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (i) line += ' ';
    line += arguments[i];
  }
  frame_command_line() = line.c_str();

  app_set_callback_table(game_callbacks);
  game_settings();
  if (!app_startup(1, frame_app_name().data)) {
    // Without a window nothing can be drawn or read: end with a clear failure instead of running blind.
    std::fputs("No window with an OpenGL context could be made; the program ends.\n", stderr);
    app_shutdown();
    std::exit(1);
  }
  error_state = ErrorState{0, 0, 0};
  game_main();
}
