// RIFF WAVE decoding: uncompressed 8- or 16-bit PCM, mono or stereo. Every length read from the file
// is checked against what the stream still holds before it is used.
#include <cstring>

#include "engine/media/decoders.h"

namespace {

bool ReadTag(TRamStream& stream, const char* expected) {
  char tag[4];
  return stream.ReadBlock(tag, 4) && std::memcmp(tag, expected, 4) == 0;
}

int SampleFormatFor(int channels, int bits) {
  if (bits == 8 && channels == 1) return kMono8;
  if (bits == 8 && channels == 2) return kStereo8;
  if (bits == 16 && channels == 1) return kMono16LE;
  if (bits == 16 && channels == 2) return kStereo16LE;
  return 0;
}

size_t Remaining(const TRamStream& stream) {
  return stream.Size() - stream.Pos();
}

}  // namespace

std::shared_ptr<TAudioSample> DecodeWav(TRamStream& stream) {
  if (!ReadTag(stream, "RIFF")) return nullptr;
  stream.ReadU32LE();  // the RIFF size is not trusted: the chunks are walked instead
  if (!ReadTag(stream, "WAVE") || !ReadTag(stream, "fmt ")) return nullptr;

  const uint32_t fmt_length = stream.ReadU32LE();
  const uint16_t format_tag = stream.ReadU16LE();
  const uint16_t channels = stream.ReadU16LE();
  const uint32_t rate = stream.ReadU32LE();
  stream.ReadU32LE();  // byte rate
  stream.ReadU16LE();  // block alignment
  const uint16_t bits = stream.ReadU16LE();
  if (stream.Failed() || fmt_length < 16 || format_tag != 1) return nullptr;
  const int format = SampleFormatFor(channels, bits);
  if (format == 0 || rate > static_cast<uint32_t>(kMaxSampleRate)) return nullptr;
  if (!stream.Skip(fmt_length - 16)) return nullptr;

  for (;;) {
    if (stream.Eof()) return nullptr;
    char tag[4];
    if (!stream.ReadBlock(tag, 4)) return nullptr;
    if (std::memcmp(tag, "data", 4) == 0) break;
    const uint32_t chunk_length = stream.ReadU32LE();
    if (stream.Failed() || !stream.Skip(chunk_length)) return nullptr;
  }

  const uint32_t data_length = stream.ReadU32LE();
  if (stream.Failed() || data_length > kMaxSampleBytes || data_length > Remaining(stream)) return nullptr;
  const int bytes_per_frame = SampleFormatBytesPerFrame(format);
  auto sample =
      TAudioSample::Create(static_cast<int>(data_length / bytes_per_frame), static_cast<int>(rate), format);
  if (!sample) return nullptr;
  // Only whole frames are kept; a trailing partial frame is read past, not stored.
  const size_t whole = sample->samples.size();
  if (!stream.ReadBlock(sample->samples.data(), whole) || !stream.Skip(data_length - whole)) return nullptr;
  return sample;
}
