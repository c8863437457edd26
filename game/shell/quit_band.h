// The quit band: while a game runs, Esc asks before it ends the program. The first Esc lays a band
// reading "QUIT WITHOUT SAVING? ESC: QUIT   ANY OTHER KEY: BACK" over the picture and holds the game
// under it (the game's clock stands still); a second Esc ends the program without a save, any other
// key or a mouse button goes back to the game once everything is released.
#pragma once

// Turns the band on (Esc asks) or off (Esc ends the program at once, the engine's own way).
void quit_band_enable(bool on);
// Whether the band is on the screen now (for the log, tests and screenshots).
bool quit_band_showing();
