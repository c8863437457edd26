// Characters of the keys on a US keyboard, by the runtime's key numbering.
#pragma once

int keymap_us_char(int code, bool shift);  // 0 when the key types no character
