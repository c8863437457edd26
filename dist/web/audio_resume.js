// SDL's audio for the browser calls this helper, which emscripten's runtime of this version does not
// have: a browser may hold an audio context suspended until the player clicks or presses a key, so the
// context is resumed at the next one.
var autoResumeAudioContext = function(context) {
  if (!context || context.state !== "suspended") return;
  var events = ["keydown", "mousedown", "pointerdown", "touchstart"];
  var resume = function() {
    context.resume();
    events.forEach(function(e) { document.removeEventListener(e, resume, true); });
  };
  events.forEach(function(e) { document.addEventListener(e, resume, true); });
};
