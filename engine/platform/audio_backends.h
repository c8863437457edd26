// Constructors of the audio backends, for the selection in platform_audio.cpp.
#pragma once
#include <memory>
#include "engine/platform/platform_audio.h"

std::unique_ptr<PlatformAudio> make_sdl_audio();
std::unique_ptr<PlatformAudio> make_headless_audio();
