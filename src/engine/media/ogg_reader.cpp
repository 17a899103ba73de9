#include "engine/media/ogg_reader.h"

#include <cerrno>
#include <cstdio>

#include "engine/media/audio_sample.h"

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

// The stream belongs to the reader; the library never closes it.
constexpr ov_callbacks kCallbacks = {ReadCallback, SeekCallback, nullptr, TellCallback};

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

std::unique_ptr<OggVorbisReader> OggVorbisReader::Open(const TRamStream& stream) {
  return OpenChecked(stream, true);
}

std::unique_ptr<OggVorbisReader> OggVorbisReader::Reopen(const TRamStream& stream) {
  return OpenChecked(stream, false);
}

std::unique_ptr<OggVorbisReader> OggVorbisReader::OpenChecked(const TRamStream& stream, bool check_end) {
  std::unique_ptr<OggVorbisReader> reader(new OggVorbisReader(stream));
  if (check_end && !EndsWithEndOfStream(reader->stream_)) return nullptr;
  // A refused stream leaves nothing to clear.
  reader->open_ = ov_open_callbacks(&reader->stream_, &reader->file_, nullptr, 0, kCallbacks) == 0;
  if (!reader->open_) return nullptr;
  const vorbis_info* info = ov_info(&reader->file_, -1);
  if (!info || info->channels < 1 || info->channels > 2) return nullptr;
  reader->channels_ = info->channels;
  reader->rate_ = static_cast<int>(info->rate);
  reader->frames_ = ov_pcm_total(&reader->file_, -1);
  if (reader->frames_ <= 0 || reader->frames_ > kMaxSampleBytes / (2 * reader->channels_)) return nullptr;
  if (info->rate < kMinSampleRate || info->rate > kMaxSampleRate) return nullptr;
  return reader;
}

OggVorbisReader::~OggVorbisReader() {
  if (open_) ov_clear(&file_);
}

int OggVorbisReader::Read(int16_t* out, int max_frames) {
  const int bytes_per_frame = 2 * channels_;
  const int want = max_frames * bytes_per_frame;
  int filled = 0;
  // One library call may end mid-frame only on a broken stream; keep asking until whole frames arrive.
  while (filled < want && (filled == 0 || filled % bytes_per_frame != 0)) {
    int section = 0;
    const long got = ov_read(&file_, reinterpret_cast<char*>(out) + filled, want - filled, 0, 2, 1, &section);
    if (got < 0) return -1;
    if (got == 0) break;
    // A chained stream may change its channel count between sections; its frames would not fit.
    const vorbis_info* section_info = ov_info(&file_, section);
    if (!section_info || section_info->channels != channels_) return -1;
    filled += static_cast<int>(got);
  }
  if (filled % bytes_per_frame != 0) return -1;
  return filled / bytes_per_frame;
}

bool OggVorbisReader::SeekFrame(int64_t frame) {
  return ov_pcm_seek(&file_, frame) == 0;
}
