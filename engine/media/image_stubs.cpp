// Placeholder picture readers until the real ones land.
#include "engine/media/image.h"
bool image_read_any(const char*, int, bool, ImageBuffer&) { return false; }
