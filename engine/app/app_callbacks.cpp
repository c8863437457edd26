// Game functions called by name from the table the game supplies.
#include <cstring>
#include <string>
#include "engine/app/app.h"
#include "engine/app/app_frame.h"

namespace {

const CallbackEntry* g_table = nullptr;

enum class Cached { NotLooked, Absent, Present };
Cached g_win32_state = Cached::NotLooked;
void (*g_win32_msg)() = nullptr;

}  // namespace

void app_set_callback_table(const CallbackEntry* table) {
  g_table = table;
  g_win32_state = Cached::NotLooked;
  g_win32_msg = nullptr;
}

void (*app_find_by_name(const Str& name))() {
  const CallbackEntry* table = g_table;
  const char* wanted = name.data ? name.data : "";
  for (const CallbackEntry* e = table; e && e->function; ++e)
    if (e->name && std::strcmp(e->name, wanted) == 0) return e->function;
  return nullptr;
}

double app_call_by_name(const Str& name) {
  void (*function)() = app_find_by_name(name);
  if (function) {
    function();
    return 1.0;
  }
  const char* text = name.data ? name.data : "";
  if (std::strcmp(text, "QVX_ON_QUIT") != 0 && std::strcmp(text, "QVX_WIN32_MSG") != 0) {
    std::string message = "CALLBYNAME \"";
    message += text;
    message += "\" *** failed ***\n";
    dbg_print(Str(message.c_str()));
  }
  return 0.0;
}

void (*app_win32_msg_callback())() {
  if (g_win32_state == Cached::NotLooked) {
    g_win32_msg = app_find_by_name(Str("QVX_WIN32_MSG"));
    g_win32_state = g_win32_msg ? Cached::Present : Cached::Absent;
  }
  return g_win32_msg;
}
