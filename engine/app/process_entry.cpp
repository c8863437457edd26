// The process entry: hands the command line to the runtime, which runs the game and never returns.
#include "engine/app/app.h"

int main(int argc, char** argv) { app_run(argc, argv); }
