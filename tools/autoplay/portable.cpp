// The parts of portable.h that are the same on every system: the child bodies' registry, the child's
// entry from main, and the temporary-folder variables put back.
#include "portable.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "portable_detail.h"

namespace portable {

namespace {

// Set for a child started again as a program (Windows): the body to run and its argument.
const char* const kBodyVar = "BRAKKA_CHILD_BODY";
const char* const kArgVar = "BRAKKA_CHILD_ARG";

std::map<std::string, ChildMain>& bodies() {
  static std::map<std::string, ChildMain> registry;
  return registry;
}

}  // namespace

ChildBody::ChildBody(const char* name, ChildMain main) { bodies()[name] = main; }

int detail::run_body(const std::string& name, const std::string& arg) {
  const auto found = bodies().find(name);
  if (found == bodies().end()) {
    std::fprintf(stderr, "no child body \"%s\" in this program\n", name.c_str());
    return 127;
  }
  return found->second(arg);
}

void run_child_body_if_asked() {
  const std::optional<std::string> name = get_env(kBodyVar);
  if (!name) return;
  const std::string arg = get_env(kArgVar).value_or("");
  detail::forget_body();
  end_process(detail::run_body(*name, arg));
}

void detail::announce_body(const std::string& name, const std::string& arg) {
  set_env(kBodyVar, name);
  set_env(kArgVar, arg);
}

void detail::forget_body() {
  unset_env(kBodyVar);
  unset_env(kArgVar);
}

int run_child(const std::string& name, const std::string& arg, double limit_s) {
  Child child;
  if (!child.start(name, arg)) return kTimedOut;
  const int status = child.wait(limit_s);
  if (status == kTimedOut) child.kill();
  return status;
}

std::filesystem::path to_path(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string path_text(const std::filesystem::path& path) {
  const std::u8string text = path.generic_u8string();
  return std::string(text.begin(), text.end());
}

std::string native_path(std::string path) {
  if (kWindows) std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

void end_process(int status) {
  std::fflush(nullptr);
  std::_Exit(status);
}

void set_temp_env(const std::string& dir) {
  for (const std::string& name : detail::temp_env_names()) set_env(name, dir);
}

TempEnv::TempEnv(const std::string& dir) {
  for (const std::string& name : detail::temp_env_names()) saved_.emplace_back(name, get_env(name));
  set_temp_env(dir);
}

TempEnv::~TempEnv() {
  for (const auto& [name, value] : saved_) value ? set_env(name, *value) : unset_env(name);
}

}  // namespace portable
