// The one renderer object: sprite table, font glyph tables, transparency keys, background, drawing state.
#pragma once
#include <cstdint>
#include "engine/media/image.h"

constexpr int kSpriteSlots = 65536;
constexpr int kFirstFontSlot = 65504;
constexpr int kFontSlots = 32;

struct SpriteRecord {
  uint32_t texture;
  uint32_t mip_texture;
  float u_max;
  float v_max;
  int16_t texture_width;
  int16_t texture_height;
  int16_t image_width;
  int16_t image_height;
  int16_t cell_width;
  int16_t cell_height;
  // 1 when every texel of the picture has alpha 255: drawn 1:1 in opaque mode, the alpha test cannot
  // drop any of it.
  uint8_t opaque;
};

// Created at start-up before the window; GL work needs renderer_gl_init() after the context exists.
void renderer_create();
void renderer_destroy();
bool renderer_exists();
void renderer_gl_init();       // extension checks, texture size limit, log traces
void renderer_frame_setup();   // per-frame GL state reset
void renderer_flush();         // hand pending drawing to GL before a buffer swap
void renderer_prepare_next();  // after a swap: draw the background or clear
void renderer_request_depth_clear();
void renderer_reset_viewport();

// The off-screen picture. Where the driver has frame buffer objects, a window of another size than the
// picture (the screen size) gets frames drawn into an off-screen buffer of the picture's size, and
// renderer_present_picture copies each one, scaled with black bars where the aspects differ, into the
// window's back buffer just before the swap; while the window is exactly the picture's size frames go
// straight to it. Every read of the screen (spr_grab, glReadPixels) sees the unscaled picture. Without
// frame buffer objects drawing always goes to the window, which keeps the picture's size.
// True when it has shown the frame itself (where the window keeps its back buffer: see
// renderer_allow_kept_window), so the caller must not swap.
bool renderer_present_picture();
bool renderer_can_scale();        // an off-screen picture exists: the window may take any size
bool renderer_draws_offscreen();  // frames go into it now

SpriteRecord& sprite_record(int slot);
void sprite_free(int slot);
int sprite_find_free();
// Makes the slot's texture (and, for a sprite, its mip-mapped copy) from the picture, whose pixels it
// takes over and turns into the texture in place. Fails, leaving the slot empty, on an empty picture,
// a GL failure, or textures that would not fit in what the picture memory budget has left.
bool image_upload(ImageBuffer image, int slot, bool is_font);
int sprite_color_key();
int font_color_key();

// Hooks for tests and small devices.
void renderer_set_texture_limit_cap(int cap);  // lowers the texture size limit (0 = the driver's)
void renderer_force_grab_readback(bool on);    // spr_grab acts as if the frame buffer had no alpha
int renderer_background_decodes();             // pictures decoded by draw_load_background so far
// Picture memory: the budget in bytes (0 sets it back to the standard size), the bytes the sprite
// table and the background hold now, and the most they held at once so far in this process (kept
// after the renderer is gone).
void renderer_set_picture_budget(int64_t bytes);
int64_t renderer_picture_bytes();
int64_t renderer_picture_bytes_peak();
// Off-screen drawing allowed (default) or not, as if the driver had no frame buffer objects; takes
// effect at the next renderer_gl_init.
void renderer_allow_offscreen(bool allow);
// Where the platform can show parts of the window's back buffer without a swap (Platform::gl_show_part)
// and frames are recorded, the window is never swapped: its back buffer is kept from frame to frame,
// frames at scale 1 are drawn straight into it, and a frame that changed a few boxes shows only those.
// Allowed by default; takes effect at the next renderer_gl_init.
void renderer_allow_kept_window(bool allow);
bool renderer_keeps_window();  // the live renderer shows frames that way
// Reads a rectangle of the window's own back buffer (GL window coordinates, rows from the bottom,
// RGBA bytes): what the picture was copied into. From a swap hook it holds the frame being shown.
bool renderer_read_window(int x, int y, int w, int h, uint8_t* rgba);
// Blind drawing, for runs that nobody watches: every drawing call still runs, but a scissor box of no
// pixels keeps the rasterizer idle, so software OpenGL costs next to nothing. Read-backs then see no
// drawing. Takes effect now and at every frame set-up; kept across renderer_create.
void renderer_set_blind(bool on);
// Frames presented so far in this process: drawn whole, drawn in part over the kept picture, and
// kept (nothing drawn, nothing presented).
struct RendererFrameCounts {
  long whole = 0;
  long part = 0;
  long kept = 0;
  long layers = 0;     // full-screen layers drawn in one pass from a kept copy (in a frame, or in one box)
  long joined = 0;     // sprites and texts drawn in one draw with an earlier one of the same picture
  long in_window = 0;  // frames drawn whole straight into a window shown by swaps, not kept
};
RendererFrameCounts renderer_frame_counts();

// Drawing only what changed. While it is on, each frame's drawing commands are held in a list and
// drawn when the frame ends, into the off-screen picture, which is kept from frame to frame: a frame
// whose list equals the previous one draws nothing (and, on a real display, is not presented either),
// a frame that differs in a few places redraws only those boxes over the kept picture, anything else
// is drawn whole (straight into the window when it shows the picture 1:1 by swaps and the frame
// before changed whole too, as keeping such frames saves nothing). A change of a picture or a read of
// the screen mid-frame draws what is held at once and the rest of that frame as it comes. Needs frame
// buffer objects; on by default except on the headless backend; takes effect at the next
// renderer_gl_init.
void renderer_set_change_tracking(bool on);
bool renderer_tracks_changes();  // on for the live renderer
// Every recorded frame drawn whole from its list, as if everything changed (to measure that cost).
void renderer_set_redraw_whole(bool on);
// Ends the frame's drawing (before the present): true when the window must be shown the frame, false
// when it already shows it (nothing changed, and the window was not exposed, resized or switched).
bool renderer_finish_frame();
