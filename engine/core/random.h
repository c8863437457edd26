// The random generator: one full ISAAC round per draw.
#pragma once
#include <cstdint>

void rnd_seed(uint32_t seed);
uint32_t rnd_next();
int rnd_int(int n);  // 0..n inclusive; 0 (and no draw) when n < 1
