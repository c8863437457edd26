// Keyboard, mouse and game pads as polled state; key codes are keyboard scan codes (Return 28, arrows
// 200/203/205/208); pad buttons and axes are numbered as PadButton and PadAxis (engine/platform/platform.h).
#pragma once
#include <cstdint>

void inp_create();  // input service, after the window exists
// The picture size the pointer is kept inside; 0 (the default) takes the window's client size.
void inp_set_screen_size(int width, int height);
void inp_open_devices();  // keyboard and mouse devices
void inp_destroy();
void inp_apply_mouse_mode(int hide_mouse);  // start-up: pointer hidden (relative) or shown (absolute)

int inp_key_down(int code);
// 1 when the key was newly pressed before the last poll (also when released again since; the automatic
// repeats of a held key are no presses). Unlike inp_key_down it never polls by itself.
int inp_key_pressed(int code);
// Polls of the keyboard so far: readers that act once per press compare it with their last reading.
unsigned inp_poll_serial();
// Game pads, read with the keyboard (every pad together, nothing while the window is inactive): 1 while
// the button is down on any pad or was pressed since the previous poll; 1 when newly pressed before the
// last poll; an axis at -32768..32767.
int inp_pad_down(int button);
int inp_pad_pressed(int button);
int inp_pad_axis(int axis);
void inp_mouse_state(double* x, double* y, double* b1, double* b2);
void inp_mouse_show(double show);
void inp_poll_keyboard();  // the keyboard and the pads
void inp_reset_poll_count();
void inp_read_mouse(int16_t out[6], bool reset);
void inp_read_all_mice();  // frame_show: read every attached mouse
void inp_char_typed(signed char c);
int inp_key_to_char(int code);
// Typed characters waiting (at most 16); taking them empties the buffer.
int inp_chars_waiting();
int inp_take_char();
