// The web page's side of the runtime: yielding to the page, the browser's storage, its console.
#include <emscripten.h>
#include <emscripten/html5_webgl.h>

#include "engine/platform/web_page.h"

namespace {

// The JavaScript below keeps its own layout.
// clang-format off

// The page's turn begins with a message to the page itself, which runs right after the page's other
// work; a wait goes on with a timer set from that message. Browsers stretch a timer set from a timer's
// handler again and again to at least 4 ms, and a message's handler starts that count afresh.
EM_ASYNC_JS(void, page_yield, (int ms), {
  await new Promise(function(resume) {
    var channel = new MessageChannel();
    channel.port1.onmessage = function() {
      if (ms > 0) setTimeout(resume, ms);
      else resume();
    };
    channel.port2.postMessage(0);
  });
});

EM_ASYNC_JS(int, page_storage_flush, (), {
  return await new Promise(function(done) {
    FS.syncfs(false, function(error) {
      if (error) console.error("Brakka: the browser's storage refused the saved files: " + error);
      done(error ? 0 : 1);
    });
  });
});

EM_JS(void, page_console_line, (const char* text), {
  var line = UTF8ToString(text);
  if (line.endsWith("\n")) line = line.slice(0, -1);
  console.log(line);
});

EM_JS(void, page_frame_shown, (), {
  if (Module["brakkaFrameShown"]) Module["brakkaFrameShown"]();
});

// clang-format on

}  // namespace

void web_yield(int ms) { page_yield(ms < 0 ? 0 : ms); }
bool web_storage_flush() { return page_storage_flush() != 0; }
void web_present() {
  emscripten_webgl_commit_frame();
  page_frame_shown();
}
void web_console_line(const char* text) { page_console_line(text ? text : "NULL"); }
