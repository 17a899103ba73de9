#pragma once
// Everything the game may use of the engine: one door per subsystem.
#include "engine/audio/audio.h"
#include "engine/base/base.h"
#include "engine/media/media.h"
#include "engine/platform/platform.h"
#include "engine/process/process.h"
#include "engine/render/render.h"
