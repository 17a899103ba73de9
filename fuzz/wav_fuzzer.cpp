// Feeds arbitrary bytes to the WAV decoder and the audio decoder chain.
#include <cstddef>
#include <cstdint>

#include "engine/media/decoders.h"

// libvorbisfile 1.3.7 loses a few bytes (its serial-number list) when it gives up on some damaged
// files; the library is not ours to fix, and the loss is bounded per refused file.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libvorbisfile.so\n";
}

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
