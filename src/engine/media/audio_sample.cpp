#include "engine/media/audio_sample.h"

#include <new>

int SampleFormatBytesPerFrame(int format) {
  switch (format) {
    case kMono8:
      return 1;
    case kMono16LE:
    case kMono16BE:
    case kStereo8:
      return 2;
    case kStereo16LE:
    case kStereo16BE:
      return 4;
    default:
      return 0;
  }
}

int SampleFormatChannels(int format) {
  switch (format) {
    case kMono8:
    case kMono16LE:
    case kMono16BE:
      return 1;
    case kStereo8:
    case kStereo16LE:
    case kStereo16BE:
      return 2;
    default:
      return 0;
  }
}

std::shared_ptr<TAudioSample> TAudioSample::Create(int length, int hertz, int format) {
  const int bytes_per_frame = SampleFormatBytesPerFrame(format);
  if (bytes_per_frame == 0) return nullptr;
  if (hertz < kMinSampleRate || hertz > kMaxSampleRate) return nullptr;
  // An empty sample would give the mixer a loop of no length to repeat.
  if (length < 1 || static_cast<int64_t>(length) * bytes_per_frame > kMaxSampleBytes) return nullptr;
  try {
    auto sample = std::make_shared<TAudioSample>();
    sample->samples.assign(static_cast<size_t>(length) * bytes_per_frame, 0);
    sample->length = length;
    sample->hertz = hertz;
    sample->format = format;
    return sample;
  } catch (const std::bad_alloc&) {
    return nullptr;  // out of memory is a failed sample like any other
  }
}
