// Ogg Vorbis decoding with libvorbisfile: the whole stream to 16-bit little-endian PCM in one go.
#include <vorbis/vorbisfile.h>

#include <cerrno>
#include <cstdio>

#include "engine/media/decoders.h"

namespace {

size_t ReadCallback(void* out, size_t size, size_t count, void* source) {
  // vorbisfile tells the end of the data from a read error by errno: a stale value left by anything
  // earlier would turn the plain end into a read error.
  errno = 0;
  if (size == 0) return 0;
  auto* stream = static_cast<TRamStream*>(source);
  const size_t limit = static_cast<size_t>(-1) / size;
  return stream->Read(out, (count < limit ? count : limit) * size) / size;
}

int SeekCallback(void* source, ogg_int64_t offset, int whence) {
  auto* stream = static_cast<TRamStream*>(source);
  ogg_int64_t base = 0;
  if (whence == SEEK_CUR) {
    base = static_cast<ogg_int64_t>(stream->Pos());
  } else if (whence == SEEK_END) {
    base = static_cast<ogg_int64_t>(stream->Size());
  } else if (whence != SEEK_SET) {
    return -1;
  }
  const ogg_int64_t target = base + offset;
  if (target < 0 || target > static_cast<ogg_int64_t>(stream->Size())) return -1;
  stream->Seek(static_cast<size_t>(target));
  return 0;
}

long TellCallback(void* source) {
  return static_cast<long>(static_cast<TRamStream*>(source)->Pos());
}

// The stream belongs to the caller; the decoder never closes it.
constexpr ov_callbacks kCallbacks = {ReadCallback, SeekCallback, nullptr, TellCallback};

// Owns an opened decoder so that it is released on every path.
class VorbisFile {
 public:
  explicit VorbisFile(TRamStream* stream) {
    open_ = ov_open_callbacks(stream, &file_, nullptr, 0, kCallbacks) == 0;
  }
  ~VorbisFile() {
    if (open_) ov_clear(&file_);
  }
  VorbisFile(const VorbisFile&) = delete;
  VorbisFile& operator=(const VorbisFile&) = delete;

  bool open() const { return open_; }
  OggVorbis_File* get() { return &file_; }

 private:
  OggVorbis_File file_{};
  bool open_ = false;
};

// Whether the last whole Ogg page before the end (or before trailing bytes that are no page) closes
// its stream. The decoder takes the length from the last page it finds, so a file cut at a page boundary
// would otherwise decode "completely" with its end missing.
bool EndsWithEndOfStream(TRamStream& stream) {
  constexpr size_t kHeaderSize = 27;
  const size_t start = stream.Pos();
  size_t pos = start;
  bool last_closes = false;
  for (;;) {
    uint8_t header[kHeaderSize];
    uint8_t segments[255];
    stream.Seek(pos);
    if (stream.Read(header, kHeaderSize) != kHeaderSize || header[0] != 'O' || header[1] != 'g' ||
        header[2] != 'g' || header[3] != 'S') {
      break;
    }
    const size_t count = header[26];
    if (stream.Read(segments, count) != count) break;
    size_t body = 0;
    for (size_t i = 0; i < count; ++i) body += segments[i];
    if (body > stream.Size() - stream.Pos()) break;
    last_closes = (header[5] & 0x04) != 0;
    pos = stream.Pos() + body;
  }
  stream.Seek(start);
  return last_closes;
}

}  // namespace

std::shared_ptr<TAudioSample> DecodeOgg(TRamStream& stream) {
  if (!EndsWithEndOfStream(stream)) return nullptr;
  VorbisFile file(&stream);
  if (!file.open()) return nullptr;
  const vorbis_info* info = ov_info(file.get(), -1);
  if (!info || info->channels < 1 || info->channels > 2) return nullptr;
  const int channels = info->channels;
  const int bytes_per_frame = 2 * channels;
  const ogg_int64_t total = ov_pcm_total(file.get(), -1);
  if (total <= 0 || total > kMaxSampleBytes / bytes_per_frame) return nullptr;
  if (info->rate < kMinSampleRate || info->rate > kMaxSampleRate) return nullptr;

  auto sample = TAudioSample::Create(static_cast<int>(total), static_cast<int>(info->rate),
                                     channels == 1 ? kMono16LE : kStereo16LE);
  if (!sample) return nullptr;
  char* out = reinterpret_cast<char*>(sample->samples.data());
  size_t filled = 0;
  const size_t size = sample->samples.size();
  while (filled < size) {
    const size_t room = size - filled;
    const int chunk = room > 65536 ? 65536 : static_cast<int>(room);
    int section = 0;
    const long got = ov_read(file.get(), out + filled, chunk, 0, 2, 1, &section);
    if (got <= 0) return nullptr;  // a decoding error, or the data ended before the length it declared
    // A chained stream may change its channel count between sections; its frames would not fit.
    const vorbis_info* section_info = ov_info(file.get(), section);
    if (!section_info || section_info->channels != channels) return nullptr;
    filled += static_cast<size_t>(got);
  }
  return sample;
}
