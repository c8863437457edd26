// Loading pictures into sprite slots. A load that fails leaves the slot empty with error code 3, or 7
// when the picture would not fit in the picture memory budget (picture_budget.h), and writes the
// file's one log line (media_log.h).
#pragma once
#include "engine/core/str.h"

void spr_load(const Str& file, int id);
void spr_load_anim(const Str& file, int id, int cell_w, int cell_h);
void spr_set_anim(int id, int cell_w, int cell_h);
void spr_get_size(double id, double* width, double* height);
void draw_set_transparency(int rgb);
