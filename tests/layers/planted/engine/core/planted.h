// An include that points up the layers, for the test of the layering check.
#pragma once
#include "engine/media/draw.h"
