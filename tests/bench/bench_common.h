// Pieces shared by the drawing benchmarks and their comparison programs (no SDL, no runtime).
#pragma once
#include <sys/resource.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

// User plus system CPU seconds of this process (RUSAGE_SELF) or of its ended children.
inline double cpu_seconds(int who = RUSAGE_SELF) {
  rusage u{};
  getrusage(who, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Little-endian words for the BMP files the benchmarks write.
inline void put16(std::vector<uint8_t>& o, unsigned v) {
  o.push_back(v & 0xff);
  o.push_back((v >> 8) & 0xff);
}
inline void put32(std::vector<uint8_t>& o, unsigned v) {
  put16(o, v & 0xffff);
  put16(o, v >> 16);
}

// Runs a comparison program, which prints "cpu_seconds <loop CPU seconds>" as it ends. cpu gets that
// figure, total_cpu the whole child's CPU; false when the program failed or printed none.
inline bool run_comparison(const std::string& command, double& cpu, double& total_cpu) {
  const double before = cpu_seconds(RUSAGE_CHILDREN);
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return false;
  char line[256];
  bool found = false;
  while (std::fgets(line, sizeof line, pipe)) {
    if (std::sscanf(line, "cpu_seconds %lf", &cpu) == 1) found = true;
  }
  const int status = pclose(pipe);
  total_cpu = cpu_seconds(RUSAGE_CHILDREN) - before;
  return found && status == 0;
}

}  // namespace bench
