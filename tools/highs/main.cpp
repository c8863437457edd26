// brakka_highs <media dir>: puts the starting high-ratings file into a media folder unless
// one is there already.
#include <cstdio>

#include "first_highs.h"

int main(int argc, char** argv) {
  if (argc != 2 || argv[1][0] == '\0') {
    std::fprintf(stderr, "usage: brakka_highs <media dir>\n");
    return 2;
  }
  std::string message;
  const HighsOutcome outcome = write_first_highs(argv[1], message);
  std::fprintf(outcome == HighsOutcome::failed ? stderr : stdout, "brakka_highs: %s\n", message.c_str());
  return outcome == HighsOutcome::failed ? 1 : 0;
}
