// Placeholder sound and music until the real ones land.
#include "engine/media/music.h"
#include "engine/media/sound.h"
#include "engine/platform/platform_audio.h"
void snd_startup() {}
void snd_shutdown() {}
void music_service() {}
void music_shutdown() {}
void platform_audio_select(const char*) {}
