// The one table of backends: every name the selection takes finds its row, and nothing else does.
#include <gtest/gtest.h>
#include <cstring>
#include "engine/platform/platform.h"
#include "engine/platform/platform_audio.h"
#include "engine/platform/platform_backends.h"

TEST(BackendTable, NamesFindTheirRowsAndTheSelectionFollows) {
  const struct {
    const char* name;
    bool known;
  } cases[] = {{"sdl", true},  {"headless", true},   {"", false},
               {"SDL", false}, {"headless ", false}, {nullptr, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name ? c.name : "(null)");
    const PlatformBackend* row = platform_backend(c.name);
    ASSERT_EQ(row != nullptr, c.known);
    EXPECT_EQ(platform_audio_select(c.name), c.known);
    if (!row) continue;
    EXPECT_STREQ(row->name, c.name);
    EXPECT_NE(row->make_platform(), nullptr);
    EXPECT_NE(row->make_audio(), nullptr);
  }
  ASSERT_TRUE(platform_select("headless"));
  EXPECT_STREQ(platform().name(), "headless");
  EXPECT_FALSE(platform_select("none"));
  EXPECT_STREQ(platform().name(), "headless");
}
