// A fatal error logs its text and ends through the ending the application frame sets, or at once.
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include "engine/core/log.h"

namespace {

// Stands in for the frame's ending: tells which status it was handed.
void reporting_ending(int status) {
  std::fprintf(stderr, "ending with %d\n", status);
  std::fflush(stderr);
  std::_Exit(status);
}

struct FatalCase {
  int code;
  int status;
};

}  // namespace

TEST(FatalEnding, StatusIsTheCodeWhereItFitsInAByte) {
  const FatalCase cases[] = {{static_cast<int>(RtError::file), 3},
                             {static_cast<int>(RtError::memory_or_range), 7},
                             {static_cast<int>(RtError::array_index), 9},
                             {static_cast<int>(RtError::out_of_data), 20},
                             {256, 1},
                             {-4, 1}};
  for (const FatalCase& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EXIT(app_fatal(c.code), testing::ExitedWithCode(c.status), "");
    EXPECT_EXIT(
        {
          app_set_fatal_ending(reporting_ending);
          app_fatal(c.code);
        },
        testing::ExitedWithCode(c.status), "ending with " + std::to_string(c.status));
  }
}

TEST(FatalEnding, NamedCodesKeepTheirNumbersAndTexts) {
  const struct {
    RtError code;
    const char* text;
  } cases[] = {{RtError::success, "0000 success"},
               {RtError::file, "0003 no such file"},
               {RtError::memory_or_range, "0007 out of memory"},
               {RtError::array_index, "0009 out of bounds"},
               {RtError::out_of_data, "0020 out of data"}};
  for (const auto& c : cases) {
    app_set_error(c.code);
    EXPECT_EQ(app_error_code(), static_cast<int>(c.code));
    EXPECT_STREQ(app_error_text().data, c.text);
  }
}
