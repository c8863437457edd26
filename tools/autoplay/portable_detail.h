// Between portable.cpp and the system's own file (portable_posix.cpp or portable_win32.cpp).
#pragma once
#include <string>
#include <vector>

namespace portable::detail {

// The variables that name the temporary folder.
std::vector<std::string> temp_env_names();
// Runs the body registered as name in a child; 127 when there is none.
int run_body(const std::string& name, const std::string& arg);
// Tells a child started as a program again, through its environment, which body to run; forget_body
// takes that back from this process's environment once the child has it.
void announce_body(const std::string& name, const std::string& arg);
void forget_body();

}  // namespace portable::detail
