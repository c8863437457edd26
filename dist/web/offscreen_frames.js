// The program's WebGL context draws into a frame buffer of its own, which the program copies onto the
// canvas when a frame is finished (emscripten_webgl_commit_frame): SDL makes the context, so the wish
// goes to the context attributes it is made with.
Module["preRun"] = [].concat(Module["preRun"] || [], [function() {
  EGL.contextAttributes.renderViaOffscreenBackBuffer = true;
  EGL.contextAttributes.explicitSwapControl = true;
}]);
