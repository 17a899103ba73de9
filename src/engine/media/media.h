#pragma once
// Media for game code: the embedded asset registry, images (loaded, masked, cut into frames) and decoded
// sounds. Decoders, streams and conversion stay inside the engine.
#include "engine/media/audio_sample.h"
#include "engine/media/embedded.h"
#include "engine/media/image.h"
