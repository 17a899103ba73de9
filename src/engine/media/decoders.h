#pragma once
// The image and audio decoders. Each returns null for data it does not accept; none of them crashes,
// hangs or allocates without bound on hostile input.
#include <memory>

#include "engine/media/audio_sample.h"
#include "engine/media/pixmap.h"
#include "engine/media/stream.h"

std::shared_ptr<TPixmap> DecodePng(TRamStream& stream);
std::shared_ptr<TAudioSample> DecodeWav(TRamStream& stream);
std::shared_ptr<TAudioSample> DecodeOgg(TRamStream& stream);

// The decoder chains: every decoder in order from the stream's start position; the first result wins.
std::shared_ptr<TPixmap> DecodeImageChain(TRamStream& stream);
std::shared_ptr<TAudioSample> DecodeAudioChain(TRamStream& stream);
