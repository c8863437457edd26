// Placeholder game until the screens land.
#include <cstdlib>
#include "engine/core/app.h"
const CallbackEntry game_callbacks[] = {{nullptr, nullptr}};
void game_settings() {}
void game_main() { std::exit(0); }
void app_run(int, char**) { game_settings(); game_main(); }
