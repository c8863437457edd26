// Keyboard and mouse as polled state; key codes are keyboard scan codes (Return 28, arrows 200/203/205/208).
#pragma once
#include <cstdint>

void inp_create();            // input service, after the window exists
void inp_open_devices();      // keyboard and mouse devices
void inp_destroy();
void inp_apply_mouse_mode(int hide_mouse);  // start-up: pointer hidden (relative) or shown (absolute)

int inp_key_down(int code);
void inp_mouse_state(double* x, double* y, double* b1, double* b2);
void inp_mouse_show(double show);
void inp_poll_keyboard();
void inp_reset_poll_count();
void inp_read_mouse(int16_t out[6], bool reset);
void inp_read_all_mice();     // frame_show: read every attached mouse
void inp_char_typed(signed char c);
int inp_key_to_char(int code);
// Typed characters waiting (at most 16); taking them empties the buffer.
int inp_chars_waiting();
int inp_take_char();
