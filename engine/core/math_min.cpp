// The smaller of two numbers, preferring the second when they are equal.
#include "engine/core/str.h"

double math_min(double a, double b) { return b <= a ? b : a; }
