// Feeds arbitrary bytes to the Ogg Vorbis decoder.
#include <cstddef>
#include <cstdint>

#include "engine/decoders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TRamStream stream(data, size);
  auto sample = DecodeOgg(stream);
  if (sample && sample->samples.size() !=
                    static_cast<size_t>(sample->length) * SampleFormatBytesPerFrame(sample->format)) {
    __builtin_trap();
  }
  return 0;
}
