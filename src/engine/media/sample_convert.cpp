#include "engine/media/sample_convert.h"

#include <algorithm>

namespace {
// A bound on what one conversion may allocate (256 MB, about 25 minutes at 44100 Hz): an absurd rate
// ratio is refused instead of exhausting memory.
constexpr int64_t kMaxConvertedFrames = 64LL * 1024 * 1024;

int16_t Read16(const uint8_t* p, bool big_endian) {
  const uint16_t v =
      big_endian ? static_cast<uint16_t>(p[0] << 8 | p[1]) : static_cast<uint16_t>(p[1] << 8 | p[0]);
  return static_cast<int16_t>(v);
}

// 8-bit samples are unsigned with silence at 128.
int16_t Widen8(uint8_t v) {
  return static_cast<int16_t>((static_cast<int>(v) - 128) * 256);
}

// One frame of the sample as a left/right pair.
void ReadFrame(const uint8_t* p, int format, int16_t* left, int16_t* right) {
  switch (format) {
    case kMono8:
      *left = *right = Widen8(p[0]);
      break;
    case kStereo8:
      *left = Widen8(p[0]);
      *right = Widen8(p[1]);
      break;
    case kMono16LE:
    case kMono16BE:
      *left = *right = Read16(p, format == kMono16BE);
      break;
    default:
      *left = Read16(p, format == kStereo16BE);
      *right = Read16(p + 2, format == kStereo16BE);
      break;
  }
}
}  // namespace

int64_t ConvertedFrameCount(int64_t length, int from_rate, int to_rate) {
  if (length <= 0 || from_rate <= 0 || to_rate <= 0) return 0;
  return (length * to_rate + from_rate / 2) / from_rate;
}

bool ConvertSampleToStereo16(const TAudioSample& sample, int rate, std::vector<int16_t>* out) {
  out->clear();
  const int bytes_per_frame = SampleFormatBytesPerFrame(sample.format);
  if (bytes_per_frame <= 0 || sample.format < kMono8 || sample.format > kStereo16BE) return false;
  if (sample.hertz <= 0 || rate <= 0) return false;
  // Never read past the bytes actually present, whatever `length` claims.
  const int64_t frames_present = static_cast<int64_t>(sample.samples.size()) / bytes_per_frame;
  const int64_t length = std::clamp<int64_t>(sample.length, 0, frames_present);
  if (length == 0) return true;

  std::vector<int16_t> stereo(static_cast<size_t>(length) * 2);
  for (int64_t i = 0; i < length; ++i) {
    ReadFrame(sample.samples.data() + i * bytes_per_frame, sample.format, &stereo[i * 2], &stereo[i * 2 + 1]);
  }
  if (sample.hertz == rate) {
    *out = std::move(stereo);
    return true;
  }

  const int64_t out_frames = ConvertedFrameCount(length, sample.hertz, rate);
  if (out_frames > kMaxConvertedFrames) return false;
  out->resize(static_cast<size_t>(out_frames) * 2);
  for (int64_t i = 0; i < out_frames; ++i) {
    // Source position i * hertz / rate as a whole frame and a fraction over `rate`; exact integer
    // arithmetic keeps every source frame where a whole-number ratio lands on it.
    const int64_t num = i * sample.hertz;
    const int64_t k = std::min(num / rate, length - 1);
    const int64_t next = std::min(k + 1, length - 1);
    const int64_t frac = num / rate >= length - 1 ? 0 : num % rate;
    for (int c = 0; c < 2; ++c) {
      const int64_t a = stereo[k * 2 + c];
      const int64_t b = stereo[next * 2 + c];
      (*out)[i * 2 + c] = static_cast<int16_t>(a + (b - a) * frac / rate);
    }
  }
  return true;
}
