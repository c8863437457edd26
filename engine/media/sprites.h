// Loading pictures into sprite slots.
#pragma once
#include "engine/core/str.h"

void spr_load(const Str& file, int id);
void spr_load_anim(const Str& file, int id, int cell_w, int cell_h);
void spr_set_anim(int id, int cell_w, int cell_h);
void spr_get_size(double id, double* width, double* height);
void draw_set_transparency(int rgb);
