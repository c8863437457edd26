// Telling whether an X server still takes connections, as the crash guard asks it.
#include <gtest/gtest.h>
#include "engine/platform/x11_server_check.h"
// Xlib's macros (None, True, ...) clash with GoogleTest's names, so it comes after it.
#include "tests/platform/xvfb_helpers.h"

namespace {

TEST(X11ServerCheck, ReadsDisplayNames) {
  struct Case {
    const char* name;
    bool read;
    bool local;
    const char* host;
    int display;
  } cases[] = {
      {":0", true, true, "", 0},
      {":12.1", true, true, "", 12},
      {"unix:3", true, true, "", 3},
      {"localhost:10.0", true, false, "localhost", 10},
      {"host.example:2", true, false, "host.example", 2},
      {"", false, false, "", -1},
      {"nodisplay", false, false, "", -1},
      {":x", false, false, "", -1},
      {":1x", false, false, "", -1},
      {"/private/tmp/launch-a/org.x:0", false, false, "", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    X11ServerAddress a;
    EXPECT_EQ(x11_server_address(c.name, a), c.read);
    EXPECT_EQ(a.local, c.local);
    EXPECT_EQ(a.host, c.host);
    EXPECT_EQ(a.display, c.display);
  }
  X11ServerAddress a;
  EXPECT_FALSE(x11_server_address(nullptr, a));
}

TEST(X11ServerCheck, ARunningServerIsThereAndAnEndedOneGone) {
  XClient x;
  if (!xvfb_available(x)) GTEST_SKIP() << "Xvfb or the X client libraries are not installed";
  Xvfb server;
  ASSERT_TRUE(server.start(x));
  ASSERT_TRUE(x11_server_check_prepare(server.display.c_str()));
  EXPECT_FALSE(x11_server_gone());
  server.stop();
  EXPECT_TRUE(x11_server_gone());
  // Nothing prepared: never taken as gone.
  EXPECT_FALSE(x11_server_check_prepare("nodisplay"));
  EXPECT_FALSE(x11_server_gone());
}

}  // namespace
