// Placeholder renderer until the real one lands.
#include "engine/media/draw.h"
#include "engine/media/font.h"
#include "engine/media/renderer.h"
void renderer_create() {}
void renderer_destroy() {}
bool renderer_exists() { return false; }
void renderer_gl_init() {}
void renderer_frame_setup() {}
void renderer_flush() {}
void renderer_prepare_next() {}
void renderer_request_depth_clear() {}
void renderer_reset_viewport() {}
void font_startup() {}
void draw_clear_screen(int) {}
