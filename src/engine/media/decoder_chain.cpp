// The decoder chains: each decoder gets the stream from the same start position, and a decoder that ran
// out of data has simply not decoded it.
#include <initializer_list>

#include "engine/base/null_on_failure.h"
#include "engine/media/decoders.h"

namespace {

template <class Result>
std::shared_ptr<Result> RunChain(TRamStream& stream,
                                 std::initializer_list<std::shared_ptr<Result> (*)(TRamStream&)> decoders) {
  const size_t start = stream.Pos();
  for (auto decode : decoders) {
    stream.Seek(start);
    stream.ClearFailure();
    // A decoder that runs out of memory has not decoded the data either.
    std::shared_ptr<Result> result = NullOnFailure([&] { return decode(stream); });
    const bool ran_out = stream.Failed();
    stream.ClearFailure();
    if (result && !ran_out) return result;
  }
  return nullptr;
}

}  // namespace

std::shared_ptr<TPixmap> DecodeImageChain(TRamStream& stream) {
  return RunChain<TPixmap>(stream, {DecodePng});
}

std::shared_ptr<TAudioSample> DecodeAudioChain(TRamStream& stream) {
  return RunChain<TAudioSample>(stream, {DecodeWav, DecodeOgg});
}
