// 2D drawing into the back buffer.
#pragma once
#include "engine/core/str.h"

void draw_clear_screen(int rgb);
// Loads a picture as the background and draws it now. A failure (error code 3, or 7 over the picture
// memory budget; logged once per file) leaves no background and a black screen.
void draw_load_background(const Str& file);
void draw_alpha_mode(double mode);
double draw_current_alpha_mode();  // the mode last set (0 at start-up)
void draw_rect(int x, int y, int w, int h, int rgb);
void spr_draw(int id, int x, int y);
void spr_draw_stretched(int id, int x, int y, int w, int h);
void spr_draw_zoomed(int id, int x, int y, double zoom_x, double zoom_y);
void spr_draw_rotated(int id, int x, int y, double angle);
void spr_draw_rotozoom(int id, int x, int y, double angle, double zoom);
void spr_draw_anim(int id, int frame, int x, int y);
void spr_grab(int id, int x, int y, int w, int h);
int draw_box_collide(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2);
