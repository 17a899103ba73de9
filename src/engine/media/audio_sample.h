#pragma once
// TAudioSample: decoded PCM in one of six formats (mono/stereo, 8-bit unsigned or 16-bit signed).
#include <cstdint>
#include <memory>
#include <vector>

enum SampleFormat : int {
  kMono8 = 1,
  kMono16LE = 2,
  kMono16BE = 3,
  kStereo8 = 4,
  kStereo16LE = 5,
  kStereo16BE = 6,
};

int SampleFormatBytesPerFrame(int format);
int SampleFormatChannels(int format);

// Largest sample the decoders accept (about 6 minutes of 44100 Hz stereo); bigger data is refused.
constexpr int64_t kMaxSampleBytes = 64LL * 1024 * 1024;
// Sample rates the decoders accept; others are refused so that resampling stays bounded.
constexpr int kMinSampleRate = 1000;
constexpr int kMaxSampleRate = 384000;

struct TAudioSample {
  std::vector<uint8_t> samples;
  int length = 0;  // in sample frames
  int hertz = 0;
  int format = 0;

  // A zeroed sample; null for a bad format, a rate outside kMinSampleRate..kMaxSampleRate, no frames or a
  // size over kMaxSampleBytes.
  static std::shared_ptr<TAudioSample> Create(int length, int hertz, int format);
};
