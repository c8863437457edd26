// The process entry: hands the command line to the runtime, which never returns.
#include "engine/core/app.h"

int main(int argc, char** argv) { app_run(argc, argv); }
