// Debug texts for an attached debugger, and the source line marker of debug builds.
#include <string>
#include "engine/core/log.h"
#include "engine/platform/platform.h"

void dbg_print(const Str& text) {
  Platform& p = platform();
  if (!p.debugger_attached()) return;
  std::string line = "TX";
  line += text.data ? text.data : "";
  p.debug_output(line.c_str());
}

void dbg_set_line(int module, int line) {
  current_module = module;
  error_state.current_line = line;
}
