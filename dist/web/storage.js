// The user data folder (/userdata) on the browser's own storage (IndexedDB): mounted and read back
// before the program starts, so the high ratings of an earlier visit are there when the game reads
// them. The program writes the folder back after every save (web_storage_flush). Without storage (a
// private window that refuses it) the folder lives in memory for this visit.
(function() {
  var before = Module["preRun"] ? [].concat(Module["preRun"]) : [];
  before.push(function() {
    FS.mkdir("/userdata");
    FS.mount(IDBFS, {}, "/userdata");
    addRunDependency("userdata");
    FS.syncfs(true, function(error) {
      if (error) console.error("Brakka: the browser's storage could not be read: " + error);
      removeRunDependency("userdata");
    });
  });
  Module["preRun"] = before;
})();
