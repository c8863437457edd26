// SDL scancodes <-> the runtime's key numbering (keyboard scan codes, extended keys + 0x80).
#pragma once

int keymap_from_sdl(int sdl_scancode);  // 0 when the key has no number
int keymap_to_sdl(int code);            // SDL_SCANCODE_UNKNOWN (0) when no SDL key gives the code
