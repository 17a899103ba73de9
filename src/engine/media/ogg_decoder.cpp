// Ogg Vorbis decoding: the whole stream to 16-bit little-endian PCM in one go.
#include <vector>

#include "engine/media/decoders.h"
#include "engine/media/ogg_reader.h"

std::shared_ptr<TAudioSample> DecodeOgg(TRamStream& stream) {
  std::unique_ptr<OggVorbisReader> reader = OggVorbisReader::Open(stream);
  if (!reader) return nullptr;
  const int channels = reader->Channels();
  auto sample = TAudioSample::Create(static_cast<int>(reader->Frames()), reader->Rate(),
                                     channels == 1 ? kMono16LE : kStereo16LE);
  if (!sample) return nullptr;
  auto* out = reinterpret_cast<int16_t*>(sample->samples.data());
  int64_t filled = 0;
  while (filled < reader->Frames()) {
    const int64_t room = reader->Frames() - filled;
    const int chunk = room > 16384 ? 16384 : static_cast<int>(room);
    const int got = reader->Read(out + filled * channels, chunk);
    if (got <= 0) return nullptr;  // a decoding error, or the data ended before the length it declared
    filled += got;
  }
  return sample;
}
