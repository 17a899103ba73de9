#pragma once
// PcmData: a sound as the mixer plays it.
#include <cstdint>
#include <vector>

// PCM converted once to the output's format: interleaved stereo 16-bit at the output's rate.
struct PcmData {
  std::vector<int16_t> frames;  // left, right, left, right, ...
  int rate = 0;
  int FrameCount() const { return static_cast<int>(frames.size() / 2); }
};
