#pragma once
void stats_screen(double mode);
