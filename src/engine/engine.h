#pragma once
// Everything the game may use of the engine.
#include "engine/audio.h"
#include "engine/clock.h"
#include "engine/embedded.h"
#include "engine/graphics.h"
#include "engine/image.h"
#include "engine/input.h"
#include "engine/process.h"
#include "engine/random.h"
