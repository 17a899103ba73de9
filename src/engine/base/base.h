#pragma once
// The engine's basic kit for game code: the object list and the engine's random numbers.
#include "engine/base/random.h"
#include "engine/base/tlist.h"
