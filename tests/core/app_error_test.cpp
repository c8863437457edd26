// Error state and text, calls by name, the debug channel and the log file.
#include <gtest/gtest.h>
#include <string>
#include "support/app_test_helpers.h"
#include "engine/app/app.h"
#include "engine/app/app_frame.h"
#include "portable.h"

namespace {

class AppServices : public ::testing::Test {
 protected:
  void SetUp() override { prepare_headless_app(); }
  void TearDown() override {
    app_set_callback_table(nullptr);
    remove_private_temp_dir();
  }
};

std::string error_text(int code) {
  app_set_error(code);
  return app_error_text().data;
}

TEST_F(AppServices, ErrorTexts) {
  EXPECT_EQ(error_text(0), "0000 success");
  EXPECT_EQ(error_text(3), "0003 no such file");
  EXPECT_EQ(error_text(7), "0007 out of memory");
  EXPECT_EQ(error_text(9), "0009 out of bounds");
  EXPECT_EQ(error_text(20), "0020 out of data");
  EXPECT_EQ(error_text(42), "0042 unknown error");
  EXPECT_EQ(error_text(21), "0021 unknown error");
  EXPECT_EQ(error_text(12345), "12345 unknown error");
  EXPECT_EQ(error_text(-5), "-0005 unknown error");
}

TEST_F(AppServices, SetErrorTakesTheLineMarker) {
  dbg_set_line(2, 77);
  app_set_error(9);
  EXPECT_EQ(error_state.error_code, 9);
  EXPECT_EQ(error_state.error_line, 77);
  EXPECT_EQ(current_module, 2);
  EXPECT_EQ(app_error_code(), 9);
}

int g_called = 0;
void counted() { ++g_called; }
const CallbackEntry kTable[] = {{counted, "MY_HOOK"}, {counted, "QVX_ON_QUIT"}, {nullptr, "AFTER_END"}};

TEST_F(AppServices, CallsByName) {
  g_called = 0;
  EXPECT_EQ(app_call_by_name(Str("MY_HOOK")), 0.0);  // no table yet
  app_set_callback_table(kTable);
  EXPECT_EQ(app_call_by_name(Str("MY_HOOK")), 1.0);
  EXPECT_EQ(g_called, 1);
  EXPECT_EQ(app_call_by_name(Str("my_hook")), 0.0);    // names are case-sensitive
  EXPECT_EQ(app_call_by_name(Str("AFTER_END")), 0.0);  // the table ends at the null function
  EXPECT_EQ(app_find_by_name(Str("QVX_ON_QUIT")), &counted);
  EXPECT_EQ(app_find_by_name(Str("QVX_ON_PAUSE")), nullptr);
  EXPECT_EQ(g_called, 1);
}

TEST_F(AppServices, FailedCallIsReportedOnlyToAnAttachedDebugger) {
  const CallbackEntry empty[] = {{nullptr, nullptr}};
  app_set_callback_table(empty);
  EXPECT_EQ(app_call_by_name(Str("QVX_ON_PAUSE")), 0.0);
  EXPECT_EQ(headless_debug_text(), "");
  headless_set_debugger_attached(true);
  EXPECT_EQ(app_call_by_name(Str("QVX_ON_PAUSE")), 0.0);
  EXPECT_EQ(headless_debug_text(), "TXCALLBYNAME \"QVX_ON_PAUSE\" *** failed ***\n");
  // The quit and message hooks are optional: their absence is not reported.
  app_call_by_name(Str("QVX_ON_QUIT"));
  app_call_by_name(Str("QVX_WIN32_MSG"));
  EXPECT_EQ(headless_debug_text(), "TXCALLBYNAME \"QVX_ON_PAUSE\" *** failed ***\n");
}

TEST_F(AppServices, DebugPrintNeedsADebugger) {
  dbg_print(Str("hello\n"));
  EXPECT_EQ(headless_debug_text(), "");
  headless_set_debugger_attached(true);
  dbg_print(Str("hello\n"));
  EXPECT_EQ(headless_debug_text(), "TXhello\n");
}

int g_messages = 0;
void on_message() { ++g_messages; }
const CallbackEntry kMsgTable[] = {{on_message, "QVX_WIN32_MSG"}, {nullptr, nullptr}};

TEST_F(AppServices, MessageHookRunsOncePerEvent) {
  app_set_callback_table(kMsgTable);
  g_messages = 0;
  headless_at_ms(0, script_event(HeadlessEvent::Char, 'a'));
  headless_at_ms(0, script_event(HeadlessEvent::Char, 'b'));
  headless_at_ms(0, script_event(HeadlessEvent::MouseRel, 1, 1));
  EXPECT_EQ(frame_pump_messages(app_win32_msg_callback()), 1);
  EXPECT_EQ(g_messages, 3);
  EXPECT_EQ(frame_pump_messages(app_win32_msg_callback()), 1);
  EXPECT_EQ(g_messages, 3);
}

TEST_F(AppServices, LogAppendsAndWritesNullForNoText) {
  log_restart();
  log_line("one\n");
  log_line(nullptr);
  log_line("\n");
  std::vector<std::string> log = read_log_lines();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0], "Start new log...");
  EXPECT_EQ(log[1], "one");
  EXPECT_EQ(log[2], "NULL");
  EXPECT_EQ(std::string(log_path()), portable::native_path(use_private_temp_dir() + "ErrorLog.txt"));
}

TEST_F(AppServices, LogHeldByAnotherWriterIsSkipped) {
  log_restart();
  {
    const portable::FileLock lock(log_path());
    ASSERT_TRUE(lock.held());
    log_line("lost\n");
  }
  log_line("kept\n");
  std::vector<std::string> log = read_log_lines();
  EXPECT_EQ(count_lines(log, "lost"), 0);
  EXPECT_EQ(count_lines(log, "kept"), 1);
}

TEST_F(AppServices, LogInAFolderThatCannotBeWrittenIsSkipped) {
  portable::set_temp_env("/nonexistent/brakka");
  log_line("nowhere\n");  // must neither crash nor block
  use_private_temp_dir();
  EXPECT_EQ(count_lines(read_log_lines(), "nowhere"), 0);
}

}  // namespace
