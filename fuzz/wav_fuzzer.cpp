// Feeds arbitrary bytes to the WAV decoder and the audio decoder chain.
#include <cstddef>
#include <cstdint>

#include "engine/decoders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TRamStream stream(data, size);
  auto sample = DecodeWav(stream);
  if (sample && sample->samples.size() !=
                    static_cast<size_t>(sample->length) * SampleFormatBytesPerFrame(sample->format)) {
    __builtin_trap();
  }
  TRamStream chain(data, size);
  DecodeAudioChain(chain);
  return 0;
}
