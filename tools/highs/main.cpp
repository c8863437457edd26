// brakka_highs <media dir>: puts the starting high-ratings file into a media folder unless
// one is there already.
// brakka_highs --read <file>: prints the table a high-ratings file holds, one entry a line: its rating
// and its name, separated by a tab (the starting table's entries where the file holds none).
#include <cstdio>
#include <cstring>

#include "first_highs.h"
#include "game/state/high_ratings_file.h"
#include "game/state/high_ratings_table.h"

namespace {

int print_table(const char* path) {
  HighTable table = starting_high_table();
  if (read_high_ratings(Str(path), table) < 0) {
    std::fprintf(stderr, "brakka_highs: cannot read %s\n", path);
    return 1;
  }
  for (int k = 0; k < kHighEntries; ++k) {
    Str rating;
    str_from_num(rating, table.ratings[k]);
    std::printf("%s\t%s\n", rating.c_str(), table.names[k].c_str());
  }
  return 0;
}

}  // namespace

namespace {

const char kUsage[] =
    "usage: brakka_highs <media dir>\n"
    "       brakka_highs --read <file>\n"
    "Puts the starting high-ratings file into the media folder (made when missing),\n"
    "unless one is there already. --read prints a high-ratings file's entries, one a line.\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--read") == 0) return print_table(argv[2]);
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
