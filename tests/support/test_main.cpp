// The test programs' entry: a child process started for a body (portable::Child, on Windows a new start
// of this program) runs that body; otherwise GoogleTest runs the tests asked for.
#include <gtest/gtest.h>

#include "portable.h"

int main(int argc, char** argv) {
  portable::run_child_body_if_asked();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
