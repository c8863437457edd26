#include "game/state/round_state.h"

double cursor_col = 0, cursor_row = 0;
double turn = 0;
double last_taken = 0;
double moves_remain = 0;
double move_confirmed = 0;
double round_difficulty = 0;
double round_result = 0;
double next_key_time = 0;
double cursor_anim = 0;
double rock_angle = 0, rock_step = 0;
double fade_alpha = 0;
double sound_channel = 0;
