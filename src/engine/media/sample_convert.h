#pragma once
// The engine's own sample converter: any decoded sample to interleaved stereo 16-bit at a given rate,
// exact for whole-number rate ratios (11025 Hz comes out at exactly 4x the frames at 44100 Hz, every
// input frame kept) and linearly interpolated otherwise.
#include <cstdint>
#include <vector>

#include "engine/media/audio_sample.h"

// The number of output frames a sample of `length` frames at `from_rate` becomes at `to_rate`.
int64_t ConvertedFrameCount(int64_t length, int from_rate, int to_rate);

// False (and `out` empty) for an unknown format or a rate that is not positive.
bool ConvertSampleToStereo16(const TAudioSample& sample, int rate, std::vector<int16_t>* out);
