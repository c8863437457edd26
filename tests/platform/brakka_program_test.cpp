// The real program end to end: under Xvfb on the "sdl" backend with keys sent through the X server (Esc,
// and a whole game by the keyboard alone), and on the "headless" backend driven by a script file.
#include <gtest/gtest.h>
#include "support/app_test_helpers.h"
#include "engine/core/str.h"
#include "game/state/high_ratings_file.h"
#include "game/shell/stats_screen.h"
#include "game/shell/focus_ring.h"
#include "game/shell/main_menu.h"
#include "game/shell/name_keyboard.h"
#include "game/shell/welcome_screen.h"
#include "run_folder.h"
// Xlib's macros (None, True, ...) clash with GoogleTest's names, so it comes after it.
#include "tests/platform/xvfb_helpers.h"
#include <X11/keysym.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <sys/prctl.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using namespace std::chrono_literals;

struct TempDir {
  std::string path;
  TempDir() {
    char pattern[] = "/tmp/brakka_program_XXXXXX";
    path = ::mkdtemp(pattern) ? pattern : "";
  }
  explicit TempDir(std::string made) : path(std::move(made)) {}
  ~TempDir() {
    std::error_code ec;
    if (!path.empty()) std::filesystem::remove_all(path, ec);
  }
};

std::vector<std::string> read_lines(const std::string& file) {
  std::vector<std::string> lines;
  std::ifstream f(file);
  std::string line;
  while (std::getline(f, line)) lines.push_back(line);
  return lines;
}

// Starts the program (the build's, unless another command is given: a program found on PATH and its
// arguments) with extra environment settings, in order ("NAME" alone removes one); returns its pid.
pid_t start_brakka(const std::vector<std::string>& env, const std::string& stdout_file,
                   std::vector<std::string> command = {std::string(BRAKKA_BIN_DIR) + "/brakka"}) {
  pid_t pid = ::fork();
  if (pid == 0) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlives a test that was stopped
    // In a sanitizer build the program's exit would fail on the leak check: by then the GL driver is
    // unloaded and its allocations can no longer be told from ours. The unit tests check for leaks.
    ::setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    for (const std::string& e : env) {
      if (e.find('=') == std::string::npos) ::unsetenv(e.c_str());
      else ::putenv(const_cast<char*>(e.c_str()));
    }
    FILE* out = std::freopen(stdout_file.c_str(), "w", stdout);
    (void)out;
    std::vector<char*> argv;
    for (std::string& a : command) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execvp(argv[0], argv.data());
    ::_exit(127);
  }
  return pid;
}

// Waits for a child; -1 when it did not end in time (it is then killed).
int wait_exit_status(pid_t pid, std::chrono::milliseconds limit) {
  auto until = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (std::chrono::steady_clock::now() < until) {
    pid_t r = ::waitpid(pid, &status, WNOHANG);
    if (r == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
    std::this_thread::sleep_for(20ms);
  }
  ::kill(pid, SIGKILL);
  ::waitpid(pid, &status, 0);
  return -1;
}

bool log_has(const std::string& file, const std::string& line) {
  for (const std::string& l : read_lines(file))
    if (l == line) return true;
  return false;
}

// The start-up trace of a normal run, as a subsequence of the log ending in "Init Finalized".
void expect_startup_trace(const std::vector<std::string>& log) {
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log[0], "Start new log...");
  expect_lines_in_order(log, startup_trace_steps(), false);
}

// The real program on the "sdl" backend under an Xvfb server of its own; killed if a test leaves before
// it has ended.
struct GameUnderXvfb {
  XClient& x;
  Xvfb server;
  TempDir tmp;
  pid_t pid = -1;
  Display* d = nullptr;
  Window window = 0;

  std::string log_dir;  // where the program's log goes ("": "brakka" in XDG_STATE_HOME, the test's folder)

  explicit GameUnderXvfb(XClient& client) : x(client) {}
  ~GameUnderXvfb() {
    if (pid > 0 && ::waitpid(pid, nullptr, WNOHANG) == 0) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, nullptr, 0);
    }
    if (d) x.close_display(d);
  }
  std::string log() const {
    return log_dir.empty() ? tmp.path + "/brakka/ErrorLog.txt" : log_dir + "/ErrorLog.txt";
  }

  // Starts it (with extra environment settings; another program or command) and waits until its
  // start-up is done and its window shows the welcome screen (something is drawn: the game's loop is
  // running).
  ::testing::AssertionResult start(const std::vector<std::string>& env = {},
                                   const std::vector<std::string>& command = {std::string(BRAKKA_BIN_DIR) +
                                                                              "/brakka"},
                                   const std::string& screen = "1280x1024x24") {
    if (!server.start(x, screen)) return ::testing::AssertionFailure() << "no Xvfb came up";
    std::vector<std::string> all = {"DISPLAY=" + server.display, "BRAKKA_PLATFORM=sdl",
                                    "SDL_VIDEODRIVER=x11",       "SDL_AUDIODRIVER=dummy",
                                    "TMPDIR=" + tmp.path,        "XDG_STATE_HOME=" + tmp.path};
    all.insert(all.end(), env.begin(), env.end());
    pid = start_brakka(all, tmp.path + "/stdout.txt", command);
    d = x.open_display(server.display.c_str());
    if (pid <= 0 || !d) return ::testing::AssertionFailure() << "no program or no X connection";
    bool shown = wait_for([&] { return (window = x.find(d, "Brakka")) != 0; }, 15000ms);
    bool started = wait_for([&] { return log_has(log(), "Init Finalized"); }, 15000ms);
    bool playing = shown && wait_for([&] { return x.lit(d, window, 800, 600); }, 15000ms);
    if (!shown || !started || !playing)
      return ::testing::AssertionFailure() << "window shown: " << shown << ", start-up finished: " << started
                                           << ", welcome screen drawn: " << playing;
    return ::testing::AssertionSuccess();
  }

  // Gives the window the keyboard and presses Esc.
  void press_esc() {
    x.set_focus(d, window, RevertToParent, CurrentTime);
    x.sync(d, False);
    std::this_thread::sleep_for(200ms);
    x.key(d, XK_Escape, true);
    std::this_thread::sleep_for(100ms);
    x.key(d, XK_Escape, false);
  }

  // Ends the X server under the program, as a logout or a crashed display does.
  void end_server() {
    x.close_display(d);
    d = nullptr;
    server.stop();
  }

  // Its exit status (as wait_exit_status gives it) once it has ended.
  int wait_end(std::chrono::milliseconds limit) {
    int status = wait_exit_status(pid, limit);
    pid = -1;
    return status;
  }
};

// A key pressed and let go in the window that has the keyboard.
void press(XClient& x, Display* d, unsigned long keysym) {
  x.key(d, keysym, true);
  std::this_thread::sleep_for(60ms);
  x.key(d, keysym, false);
  std::this_thread::sleep_for(60ms);
}

// Which of the buttons has the focus ring's gold on its left and top edges in the window's 800 x 600
// picture, or -1.
int ring_on(XClient& x, Display* d, Window window, const Button* buttons, int count) {
  const std::vector<uint32_t> p = x.pixels(d, window, 800, 600);
  for (int i = 0; i < count && p.size() == 800u * 600u; ++i) {
    const Button& b = buttons[i];
    const int e = kFocusRingGap + 1;
    if (p[b.centre_y() * 800 + b.x - e] == 0xffcc33 && p[(b.y - e) * 800 + b.centre_x()] == 0xffcc33)
      return i;
  }
  return -1;
}

TEST(BrakkaProgram, UnderXvfbShowsItsWindowAndEndsOnEsc) {
  XClient x;
  if (!xvfb_available(x)) GTEST_SKIP() << "Xvfb or the X client libraries are not installed";
  GameUnderXvfb game(x);
  ASSERT_TRUE(game.start());
  expect_startup_trace(read_lines(game.log()));
  game.press_esc();
  EXPECT_EQ(game.wait_end(10000ms), 0);
  std::vector<std::string> lines = read_lines(game.log());
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "qvx is shut down");
  std::vector<std::string> out = read_lines(game.tmp.path + "/stdout.txt");
  ASSERT_FALSE(out.empty());
  EXPECT_EQ(out.back(), "exit");
}

// Endings from outside. The display goes away under the running game, or while the game is in the middle
// of its own shut-down (held there by the test-only pause): it ends with status 1, the log says why, and
// the rest of the shut-down is done without the window system. SIGTERM and SIGINT end it as a closed
// window does, with status 0; a SIGTERM to a shut-down that is held up ends it all the same, by that
// signal. Each within seconds.
TEST(BrakkaProgram, EndingsFromOutsideEndTheGameWithinSeconds) {
  XClient x;
  if (!xvfb_available(x)) GTEST_SKIP() << "Xvfb or the X client libraries are not installed";
  struct Case {
    int sig;  // 0: the X server ends
    const char* held_shutdown_ms;
    int status;
  };
  for (const Case& c : {Case{0, "", 1}, Case{0, "1500", 1}, Case{SIGTERM, "", 0}, Case{SIGINT, "", 0},
                        Case{SIGTERM, "60000", 1000 + SIGTERM}}) {
    SCOPED_TRACE(std::string("signal ") + std::to_string(c.sig) + ", shut-down held " + c.held_shutdown_ms);
    GameUnderXvfb game(x);
    ASSERT_TRUE(game.start({std::string("BRAKKA_TEST_SHUTDOWN_PAUSE_MS=") + c.held_shutdown_ms}));
    if (*c.held_shutdown_ms) {
      game.press_esc();
      ASSERT_TRUE(wait_for([&] { return log_has(game.log(), "Shut down QVX"); }, 10000ms));
    }
    // The ending's own log line, before "qvx is shut down".
    const std::string line =
        c.sig ? "Quit on signal " + std::to_string(c.sig)
              : "Display lost: the connection to X display " + game.server.display + " is broken";
    if (c.sig) ::kill(game.pid, c.sig);
    else game.end_server();
    EXPECT_EQ(game.wait_end(10000ms), c.status);
    if (c.status > 255) continue;  // ended by the signal: the shut-down never finished
    EXPECT_TRUE(log_has(game.log(), line));
    EXPECT_EQ(read_lines(game.log()).back(), "qvx is shut down");
  }
}

// From the welcome screen to the goodbye in a real window, by the keyboard (PLAY clicked with the mouse
// when click_play): the name typed on the name keyboard as "KEYZ", Backspace, "S"; PLAY; the main
// screen's menu quit, then the final statistics' QUIT, which saves the table. After each key the test
// waits for its effect on the window's pixels (where the focus ring is), so the keys never run ahead of
// the game. The program's exit status, or -2 when a screen did not come.
int play_name_then_quit(XClient& x, GameUnderXvfb& game, bool click_play) {
  Display* d = game.d;
  const Window window = game.window;
  x.set_focus(d, window, RevertToParent, CurrentTime);
  auto press = [&](unsigned long keysym) { ::press(x, d, keysym); };
  auto pixel = [&](int px, int py) {
    const std::vector<uint32_t> p = x.pixels(d, window, 800, 600);
    return p.size() == 800u * 600u ? p[py * 800 + px] : 0u;
  };
  auto ring = [&](const Button* buttons, int count) { return ring_on(x, d, window, buttons, count); };
  // Moves the ring onto buttons[target] (a screen still coming up takes the presses as nothing).
  auto focus = [&](const Button* buttons, int count, int target, unsigned long next = XK_Right) {
    for (int tries = 0; tries < 40; ++tries) {
      const int at = ring(buttons, count);
      if (at == target) return true;
      press(at > target ? XK_Left : next);
      wait_for([&] { return ring(buttons, count) != at; }, 700ms);
    }
    ADD_FAILURE() << "the focus never came to button " << target << " of " << count;
    return false;
  };
  // The keyboard's dark field, left of its key caps.
  auto keyboard_shown = [&] { return pixel(kNameKeyboardX - 8, 300) == 0x505046; };

  if (!focus(kWelcomeButtons, 5, static_cast<int>(WelcomeButton::change_name))) return -2;
  press(XK_Return);
  if (!wait_for(keyboard_shown, 5000ms)) return -2;
  for (unsigned long key : {XK_k, XK_e, XK_y, XK_z, XK_BackSpace, XK_s}) press(key);
  const Button done = name_key(kNameKeyDone, kNameKeyboardX, kNameKeyboardY);
  EXPECT_TRUE(wait_for([&] { return ring(&done, 1) == 0; }, 3000ms)) << "typing shows the focus on DONE";
  press(XK_Return);
  if (!wait_for([&] { return !keyboard_shown(); }, 5000ms)) return -2;
  const Button& play = kWelcomeButtons[static_cast<int>(WelcomeButton::play)];
  if (click_play) {
    x.warp(d, window, play.centre_x(), play.centre_y());
    std::this_thread::sleep_for(300ms);
    x.button(d, 1, true);
    std::this_thread::sleep_for(150ms);
    x.button(d, 1, false);
  } else {
    if (!focus(kWelcomeButtons, 5, static_cast<int>(WelcomeButton::play))) return -2;
    press(XK_Return);
  }
  if (!focus(kMenuButtons, 2, static_cast<int>(MenuButton::quit))) return -2;  // after the fade and the intro
  press(XK_KP_Enter);
  if (!focus(&kStatsButton, 1, 0, XK_Tab)) return -2;  // the final statistics' QUIT
  press(XK_Return);
  return game.wait_end(30000ms);
}

// The name the table's entry 0 holds in the given folder.
std::string saved_name(const std::string& folder) {
  HighTable table;
  const std::string file = folder + "/" + high_ratings_file_name().c_str();
  return read_high_ratings(Str(file.c_str()), table) == kHighEntries ? table.names[0].c_str() : "(no table)";
}

TEST(BrakkaProgram, UnderXvfbAGamePlayedWithTheKeyboardAlone) {
  XClient x;
  if (!xvfb_available(x)) GTEST_SKIP() << "Xvfb or the X client libraries are not installed";
  // The program in a folder of its own, its high ratings a copy.
  const std::string dir = autoplay::make_run_folder("brakka_keys_", BRAKKA_TEST_MEDIA_DIR);
  ASSERT_FALSE(dir.empty());
  std::filesystem::copy_file(BRAKKA_BIN_DIR "/brakka", dir + "/brakka");
  TempDir remove{dir};
  GameUnderXvfb game(x);
  ASSERT_TRUE(game.start({}, {dir + "/brakka"}));
  EXPECT_EQ(play_name_then_quit(x, game, false), 0);
  EXPECT_EQ(saved_name(dir + "/Media"), "KEYS");
}

// The Windows program (BRAKKA_WINDOWS_PROGRAM: the brakka.exe of an unpacked release, which the test
// writes in) under Wine, in a real window on an Xvfb server of its own, started as a player starts it:
// no SDL settings, so under Wine, which finds no sound device here, the game plays silent. Its welcome
// screen is drawn; a game with a name typed and PLAY clicked (Wine hands the hidden pointer's place in
// the window to the game) saves the name in its Media folder on Quit and ends with status 0; a second
// start ends on Esc with status 0. Its log is in the Wine user's temporary folder
// (BRAKKA_WINDOWS_TEMP). When the program's folder cannot be written (BRAKKA_WINDOWS_SAVES names the
// Wine user's %APPDATA%\Brakka), the name is saved there and the Media folder stays as it was.
// scripts/test-windows.sh runs it on an unpacked release and on a read-only copy.
TEST(BrakkaProgram, WindowsProgramUnderWineIsPlayedWithTheMouseAndKeys) {
  const char* program = std::getenv("BRAKKA_WINDOWS_PROGRAM");
  const char* temp = std::getenv("BRAKKA_WINDOWS_TEMP");
  if (!program || !*program || !temp || !*temp)
    GTEST_SKIP()
        << "no Windows program given (BRAKKA_WINDOWS_PROGRAM, BRAKKA_WINDOWS_TEMP): scripts/test-windows.sh "
           "runs this test";
  XClient x;
  if (!xvfb_available(x)) GTEST_SKIP() << "Xvfb or the X client libraries are not installed";
  const std::string media = std::filesystem::path(program).parent_path().string() + "/Media";
  const char* saves_env = std::getenv("BRAKKA_WINDOWS_SAVES");
  const std::string saves = saves_env && *saves_env ? saves_env : media;
  if (saves != media) std::filesystem::remove(saves + "/" + high_ratings_file_name().c_str());
  const std::string media_name_before = saved_name(media);
  for (const bool whole_game : {true, false}) {
    SCOPED_TRACE(whole_game ? "a game with a name" : "Esc");
    std::filesystem::remove(std::string(temp) + "/ErrorLog.txt");  // an older run's
    GameUnderXvfb game(x);
    game.log_dir = temp;
    ASSERT_TRUE(game.start({"SDL_VIDEODRIVER", "SDL_AUDIODRIVER"}, {"wine", program}));
    expect_startup_trace(read_lines(game.log()));
    if (whole_game) {
      EXPECT_EQ(play_name_then_quit(x, game, true), 0);
      EXPECT_EQ(saved_name(saves), "KEYS");
      EXPECT_EQ(saved_name(media), saves == media ? "KEYS" : media_name_before);
    } else {
      game.press_esc();
      EXPECT_EQ(game.wait_end(20000ms), 0);
    }
    const std::vector<std::string> log = read_lines(game.log());
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "qvx is shut down");
  }
}

int run_scripted(const std::string& script, TempDir& tmp) {
  std::string file = tmp.path + "/script.txt";
  std::ofstream(file) << script;
  pid_t pid = start_brakka({"BRAKKA_PLATFORM=headless", "SDL_VIDEODRIVER=offscreen", "SDL_AUDIODRIVER=dummy",
                            "TMPDIR=" + tmp.path, "XDG_STATE_HOME=" + tmp.path, "BRAKKA_SCRIPT=" + file},
                           tmp.path + "/stdout.txt");
  return wait_exit_status(pid, 20000ms);
}

TEST(BrakkaProgram, ScriptedEscEndsWithStatusZero) {
  TempDir tmp;
  EXPECT_EQ(run_scripted("frame 10 keydown 1\n", tmp), 0);
  std::vector<std::string> log = read_lines(tmp.path + "/brakka/ErrorLog.txt");
  expect_startup_trace(log);
  EXPECT_EQ(log.back(), "qvx is shut down");
}

TEST(BrakkaProgram, ScriptedPauseThenCloseEndsWithStatusZero) {
  TempDir tmp;
  EXPECT_EQ(run_scripted("ms 500 focus lost\nms 2500 focus gained\nms 3000 close\n", tmp), 0);
  std::vector<std::string> out = read_lines(tmp.path + "/stdout.txt");
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[0], "pause loop in showscreen/hibernate");
  EXPECT_EQ(out[1], "pause loop ended");
  EXPECT_EQ(out[2], "exit");
}

}  // namespace

namespace {

TEST(BrakkaProgram, NoWindowEndsWithAFailureStatus) {
  TempDir tmp;
  pid_t pid = start_brakka({"DISPLAY=:9999", "BRAKKA_PLATFORM=sdl", "SDL_VIDEODRIVER=x11",
                            "SDL_AUDIODRIVER=dummy", "TMPDIR=" + tmp.path, "XDG_STATE_HOME=" + tmp.path},
                           tmp.path + "/stdout.txt");
  EXPECT_EQ(wait_exit_status(pid, 20000ms), 1);
  std::vector<std::string> log = read_lines(tmp.path + "/brakka/ErrorLog.txt");
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log[0], "Start new log...");
  bool finalized = false;
  for (const std::string& line : log) finalized |= line == "Init Finalized";
  EXPECT_FALSE(finalized);
}

}  // namespace

namespace {

// The line a run that lost its display during start-up must end its log with: the loss, or the clean
// failure of a start-up that found no display to open.
bool ends_as_display_lost(const std::vector<std::string>& log) {
  for (const std::string& line : log)
    if (line.rfind("Display lost: ", 0) == 0 ||
        line == "No window with an OpenGL context could be made; the program ends.")
      return true;
  return false;
}

TEST(BrakkaProgram, DisplayLostDuringStartUpEndsWithTheLineAndStatusOne) {
  XClient x;
  if (!xvfb_available(x)) GTEST_SKIP() << "Xvfb or the X client libraries are not installed";
  // Spread over the making of the window, its OpenGL context and the first frames.
  const int delays_ms[] = {0, 5, 10, 20, 30, 45, 60, 75, 100, 150};
  for (int delay : delays_ms) {
    SCOPED_TRACE("server ended " + std::to_string(delay) + " ms after the start");
    Xvfb server;
    ASSERT_TRUE(server.start(x));
    TempDir tmp;
    pid_t pid = start_brakka({"DISPLAY=" + server.display, "BRAKKA_PLATFORM=sdl", "SDL_VIDEODRIVER=x11",
                              "SDL_AUDIODRIVER=dummy", "TMPDIR=" + tmp.path, "XDG_STATE_HOME=" + tmp.path},
                             tmp.path + "/stdout.txt");
    std::this_thread::sleep_for(std::chrono::milliseconds(delay));
    server.stop();
    // A status above 1000 is a signal: a crash.
    EXPECT_EQ(wait_exit_status(pid, 15000ms), 1);
    EXPECT_TRUE(ends_as_display_lost(read_lines(tmp.path + "/brakka/ErrorLog.txt")));
  }
}

}  // namespace

namespace {

// Under a file-size limit (ulimit -f, in blocks of 512 bytes) a write past it fails like any failed
// write: the log is cut short, the game goes on and ends normally. Nothing is killed by the limit.
TEST(BrakkaProgram, AFileSizeLimitCutsTheLogShortAndTheGameGoesOn) {
  for (int blocks : {0, 1, 2}) {
    SCOPED_TRACE(std::to_string(blocks) + " blocks");
    TempDir tmp;
    const std::string script = tmp.path + "/script.txt";
    std::ofstream(script) << "frame 10 keydown 1\n";
    pid_t pid =
        start_brakka({"BRAKKA_PLATFORM=headless", "SDL_VIDEODRIVER=offscreen", "SDL_AUDIODRIVER=dummy",
                      "TMPDIR=" + tmp.path, "XDG_STATE_HOME=" + tmp.path, "BRAKKA_SCRIPT=" + script},
                     tmp.path + "/stdout.txt",
                     {"sh", "-c", "ulimit -f " + std::to_string(blocks) + " && exec \"$0\"",
                      std::string(BRAKKA_BIN_DIR) + "/brakka"});
    EXPECT_EQ(wait_exit_status(pid, 20000ms), 0) << "a status above 1000 is a signal (1025: SIGXFSZ)";
  }
}

}  // namespace

namespace {

// Without a display SDL falls back on its off-screen driver, whose window nobody sees: the game says
// "no display" in its log and on stderr and ends at once with a failure. Named on purpose (as tests
// and tools name it), the off-screen driver is taken, and the game runs until it is asked to quit.
TEST(BrakkaProgram, WithoutADisplayTheGameSaysSoAndEndsAtOnce) {
  const struct {
    const char* what;
    const char* driver;  // SDL_VIDEODRIVER, or null for none
    bool refused;
  } cases[] = {
      {"no display and no driver named", nullptr, true},
      {"the off-screen driver named", "offscreen", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir tmp;
    pid_t pid = start_brakka(
        {"DISPLAY", "WAYLAND_DISPLAY",
         c.driver ? std::string("SDL_VIDEODRIVER=") + c.driver : "SDL_VIDEODRIVER", "BRAKKA_PLATFORM=sdl",
         "SDL_AUDIODRIVER=dummy", "TMPDIR=" + tmp.path, "XDG_STATE_HOME=" + tmp.path, "SDL_VIDEO_EGL_DRIVER"},
        tmp.path + "/stdout.txt");
    const std::string log = tmp.path + "/brakka/ErrorLog.txt";
    if (c.refused) {
      const auto start = std::chrono::steady_clock::now();
      EXPECT_EQ(wait_exit_status(pid, 20000ms), 1);
      EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
      bool said = false;
      for (const std::string& line : read_lines(log)) said |= line.rfind("no display: ", 0) == 0;
      EXPECT_TRUE(said);
    } else {
      EXPECT_TRUE(wait_for([&] { return log_has(log, "Init Finalized"); }, 15000ms));
      ::kill(pid, SIGTERM);
      EXPECT_EQ(wait_exit_status(pid, 20000ms), 0);
    }
  }
}

}  // namespace

namespace {

// Every file under a folder, relative to it.
std::vector<std::string> files_under(const std::string& folder) {
  std::vector<std::string> found;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    found.push_back(std::filesystem::relative(entry.path(), folder).string());
  std::sort(found.begin(), found.end());
  return found;
}

// --version and --help answer at once, without a display, and write nothing but the answer (not even
// the log); any other argument is ignored, so the game then starts (and here, with no display, fails
// as it does without arguments).
TEST(BrakkaProgram, VersionAndHelpAnswerWithoutAWindowAndWriteNothing) {
  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string first_line;  // of stdout; empty when the game started instead
  } cases[] = {
      {{"--version"}, 0, "Brakka " BRAKKA_VERSION},
      {{"--help"}, 0, "Usage: brakka [--help | --version]"},
      {{"--unknown", "--help"}, 0, "Usage: brakka [--help | --version]"},
      {{"--unknown"}, 1, ""},
  };
  for (const Case& c : cases) {
    TempDir tmp;
    const std::string home = tmp.path + "/home", out = tmp.path + "/out";
    std::filesystem::create_directories(home);
    std::filesystem::create_directories(out);
    std::vector<std::string> command = {std::string(BRAKKA_BIN_DIR) + "/brakka"};
    command.insert(command.end(), c.arguments.begin(), c.arguments.end());
    pid_t pid = start_brakka({"DISPLAY=:9999", "BRAKKA_PLATFORM=sdl", "SDL_VIDEODRIVER=x11",
                              "SDL_AUDIODRIVER=dummy", "TMPDIR=" + home, "HOME=" + home,
                              "XDG_DATA_HOME=" + home + "/data", "XDG_STATE_HOME=" + home + "/state"},
                             out + "/stdout.txt", command);
    const std::string name = c.arguments.back();
    EXPECT_EQ(wait_exit_status(pid, 20000ms), c.status) << name;
    const std::vector<std::string> lines = read_lines(out + "/stdout.txt");
    if (c.first_line.empty()) {
      EXPECT_FALSE(files_under(home).empty()) << name << ": the game started and wrote its log";
      continue;
    }
    ASSERT_FALSE(lines.empty()) << name;
    EXPECT_EQ(lines[0], c.first_line) << name;
    EXPECT_EQ(files_under(home), std::vector<std::string>()) << name;
  }
}

}  // namespace
