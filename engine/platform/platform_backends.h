// Constructors of the backends, used only by the backend selection.
#pragma once
#include "engine/platform/platform.h"

Platform* platform_create_sdl();
Platform* platform_create_headless();
