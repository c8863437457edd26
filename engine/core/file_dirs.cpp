// The current directory.
#include <unistd.h>
#include "engine/core/app.h"
#include "engine/core/files.h"

double file_set_cwd(const Str& dir) {
  app_set_error(0);
  const char* name = dir.data ? dir.data : "";
  if (!*name || ::chdir(path_to_native(name).c_str()) != 0) {
    app_set_error(3);
    return 0.0;
  }
  return 1.0;
}
