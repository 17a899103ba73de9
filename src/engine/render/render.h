#pragma once
// Drawing for game code: the window or full screen, the drawing state and the drawing operations.
#include "engine/render/graphics.h"
