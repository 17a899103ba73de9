#pragma once
// The real platform: an SDL2 window with an OpenGL 3.3 core context, SDL input and SDL audio.
#include <memory>

#include "engine/platform/seam.h"

// Null when SDL's video cannot start.
std::shared_ptr<Platform> CreateSdlPlatform();
