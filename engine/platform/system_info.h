// Process facts every backend reports the same way.
#pragma once
#include <string>

std::string system_program_path();  // /proc/self/exe resolved; empty when unreadable
bool system_tracer_attached();      // a tracer (debugger) is attached to this process
