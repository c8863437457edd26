// brakka_highs <media dir>: puts the starting high-ratings file into a media folder unless
// one is there already.
#include <cstdio>
#include <cstring>

#include "first_highs.h"

namespace {

const char kUsage[] =
    "usage: brakka_highs <media dir>\n"
    "Puts the starting high-ratings file into the media folder (made when missing),\n"
    "unless one is there already.\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  // A folder name that starts with '-' is an option this tool does not have, not a folder to make.
  if (argc != 2 || argv[1][0] == '\0' || argv[1][0] == '-') {
    if (argc == 2 && argv[1][0] == '-') std::fprintf(stderr, "brakka_highs: unknown option %s\n", argv[1]);
    std::fputs(kUsage, stderr);
    return 2;
  }
  std::string message;
  const HighsOutcome outcome = write_first_highs(argv[1], message);
  std::fprintf(outcome == HighsOutcome::failed ? stderr : stdout, "brakka_highs: %s\n", message.c_str());
  return outcome == HighsOutcome::failed ? 1 : 0;
}
