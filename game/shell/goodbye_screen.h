// The program's last screen: "GOODBYE" spins in, holds, and swells past the edges.
#pragma once

// Stops the music during its 230 frames and ends the program; never returns.
[[noreturn]] void goodbye_screen();
